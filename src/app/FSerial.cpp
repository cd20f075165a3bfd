#include "app/FSerial.h"

#include "platform/runtime/Activation.h"
#include "platform/runtime/Program.h"

namespace app {

FSerial::FSerial(const rt::Usual& a1, const rt::Usual& a2, const rt::Usual& a3)
    : win::Icon(win::ResourceID("FSerial", rt::GetInst()), a1, a2, a3) {
    RT_ENTER("FSERIAL:INIT", "Image");
}

}  // namespace app
