#include "platform/window/FixedText.h"

#include <QLabel>

namespace win {

FixedText::FixedText(DataWindow* owner, const ResourceID& id)
    : Control(owner, id, std::make_unique<QLabel>()) {
    auto* label = static_cast<QLabel*>(Widget());
    label->setText(CaptionText());
    // A left-aligned static text wraps at its right edge.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
}

void FixedText::LabelFor(const Control& control) {
    if (auto* label = static_cast<QLabel*>(Widget())) label->setBuddy(control.Widget());
}

}  // namespace win
