#pragma once
// The program's own icon: the icon group "FSERIAL" (one 45 x 45 image of
// 256 colours), used as the shell's large and small icon.

#include "platform/window/Icon.h"

namespace app {

class FSerial : public win::Icon {
  public:
    // The three arguments are handed on to the icon unchanged.
    explicit FSerial(const rt::Usual& a1 = rt::NIL, const rt::Usual& a2 = rt::NIL,
                     const rt::Usual& a3 = rt::NIL);
    std::string ClassName() const override { return "FSERIAL"; }
};

}  // namespace app
