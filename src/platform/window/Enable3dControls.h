#pragma once
// Switches on three-dimensional drawing of controls for windows created
// afterwards. The toolkit's styles always draw controls that way, so there
// is nothing to switch; answers TRUE, as the platform does on success.

namespace win {

bool Enable3dControls();

}  // namespace win
