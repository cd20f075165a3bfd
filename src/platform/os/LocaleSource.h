#pragma once
// Where the locale stand-ins (LocaleInfo.h) take the current user's locale
// from. The platform's own source is SystemLocaleSource; a host or a test
// installs another one with SetLocaleSource.

#include <cstdint>
#include <optional>
#include <string>

namespace os {

using LCID = std::uint32_t;
using LCTYPE = std::uint32_t;

class LocaleSource {
  public:
    virtual ~LocaleSource() = default;
    // The current user's locale identifier.
    virtual LCID UserDefaultLCID() const = 0;
    // The text of one locale item as 8-bit bytes, without a closing zero;
    // nothing when the locale cannot give that item (or is not `lcid`).
    virtual std::optional<std::string> Item(LCID lcid, LCTYPE type) const = 0;
};

}  // namespace os
