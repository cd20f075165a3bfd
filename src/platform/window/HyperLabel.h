#pragma once
// The label every window and control carries: its name (by which a push
// button's click finds its owner's method), its caption, a description and
// a help context.

#include <string>

namespace win {

struct HyperLabel {
    std::string name;
    std::string caption;
    std::string description;
    std::string helpContext;
};

}  // namespace win
