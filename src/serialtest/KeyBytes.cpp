#include "serialtest/KeyBytes.h"

#include "platform/runtime/Activation.h"
#include "serialtest/PaneConstants.h"

namespace serialtest {

std::string KeyBytes::ForKey(os::WPARAM virtualKey) {
    RT_ENTER("KEYBYTES:FORKEY", "SerialMLE Class");
    if (virtualKey == kKeyEnter) return std::string(kEnterBytes);
    if (virtualKey == kKeyDelete) return std::string(kDeleteBytes);
    return std::string(1, static_cast<char>(virtualKey & 0xFF));
}

}  // namespace serialtest
