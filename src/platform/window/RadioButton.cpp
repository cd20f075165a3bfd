#include "platform/window/RadioButton.h"

#include <QRadioButton>

namespace win {

RadioButton::RadioButton(DataWindow* owner, const ResourceID& id)
    : Control(owner, id, std::make_unique<QRadioButton>()) {
    static_cast<QRadioButton*>(Widget())->setText(CaptionText());
}

bool RadioButton::IsChecked() const {
    const auto* button = static_cast<QRadioButton*>(Widget());
    return button && button->isChecked();
}

void RadioButton::Check(bool on) {
    if (auto* button = static_cast<QRadioButton*>(Widget())) button->setChecked(on);
}

}  // namespace win
