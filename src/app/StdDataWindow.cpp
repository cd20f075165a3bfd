#include "app/StdDataWindow.h"

#include "app/StandardSDIWindow.h"
#include "app/SymbolNumbers.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/LateBinding.h"
#include "platform/runtime/Program.h"
#include "platform/window/Icon.h"

namespace app {
namespace {

constexpr char kModule[] = "Standard SDI";

// The runtime's instance check: the object must be of the class, else a
// data-type error is raised.
StandardSDIWindow* CheckShell(rt::Object* object) {
    if (!rt::CheckInstance(object, sym::kSTANDARDSDIWINDOW)) return nullptr;
    return dynamic_cast<StandardSDIWindow*>(object);
}

}  // namespace

StdDataWindow::StdDataWindow(rt::Object* oOwner, const rt::Usual&, const rt::Usual&,
                             const rt::Usual&)
    : win::DataWindow(dynamic_cast<win::Window*>(oOwner)) {
    RT_ENTER("STDDATAWINDOW:INIT", kModule);
    EnableSystemMenu(true);
    EnableBorder();
    EnableMaxBox(true);
    EnableMinBox(true);
    Origin(win::Point{0, 0});
    auto* owner = dynamic_cast<win::Window*>(oOwner);
    if (owner) Size(win::Dimension{owner->CanvasArea().Width(), owner->CanvasArea().Height()});
    RT_LINE();
    oOwner_ = CheckShell(oOwner);
    ViewAs("FormView");
    RT_LINE();
    Icon(win::Icon(win::ResourceID(101, rt::GetInst())));
    Show();
    ViewAs("BrowseView");
}

}  // namespace app
