#include "platform/window/Enable3dControls.h"

namespace win {

bool Enable3dControls() {
    return true;
}

}  // namespace win
