#include "platform/window/GroupBox.h"

#include <QGroupBox>

namespace win {

GroupBox::GroupBox(DataWindow* owner, const ResourceID& id)
    : Control(owner, id, std::make_unique<QGroupBox>()) {
    static_cast<QGroupBox*>(Widget())->setTitle(CaptionText());
}

}  // namespace win
