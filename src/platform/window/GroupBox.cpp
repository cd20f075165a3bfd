#include "platform/window/GroupBox.h"

#include <QGroupBox>

namespace win {

GroupBox::GroupBox(DataWindow* owner, const ResourceID& id)
    : Control(owner, id, std::make_unique<QGroupBox>()) {
    auto* box = static_cast<QGroupBox*>(Widget());
    box->setTitle(CaptionText());
    // The platform draws the frame from half the text height down and sets
    // the title into its top line; templates are laid out for that.
    box->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 6px; padding: 0 2px; }"));
}

}  // namespace win
