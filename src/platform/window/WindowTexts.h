#pragma once
// Texts the window layer shows by itself.

namespace win::texts {

// Caption of an error box when its owner gives none.
inline constexpr char kErrorBoxCaption[] = "Error";

}  // namespace win::texts
