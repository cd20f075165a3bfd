#pragma once
// The language the user asks the program's messages in, decided from the
// environment as gettext decides it:
//  - the messages locale is LC_ALL, else LC_MESSAGES, else LANG (the first
//    that is set and not empty);
//  - with no messages locale, or "C" or "POSIX" (with or without a codeset,
//    as "C.UTF-8"), the answer is empty: the program's own texts;
//  - otherwise the entries of LANGUAGE (a colon-separated list, as
//    "en_GB:ru") are looked through first, in order, for a language in
//    `available`, then the messages locale's own language.
// A language is the part of an entry before '_', '.' or '@' ("en" of
// "en_US.UTF-8"). The answer is one of `available`, or empty when none fits.

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace os {

class MessageLanguage {
  public:
    // Reads a variable: nullptr when it is not set.
    using Getenv = std::function<const char*(const char*)>;

    static std::string Choose(const Getenv& getenv,
                              std::initializer_list<std::string_view> available);
};

}  // namespace os
