#pragma once
// The bytes the pane writes to the line for a key-down: Enter (13) sends
// CR LF, Delete (46) sends ESC 'd' '0', any other key one byte, the low
// eight bits of its virtual-key code (so 'A' sends 65 with or without
// Shift, and Shift alone sends 16).

#include <string>

#include "platform/os/PostedMessage.h"

namespace serialtest {

class KeyBytes {
  public:
    static std::string ForKey(os::WPARAM virtualKey);
};

}  // namespace serialtest
