#include "platform/window/RadioButton.h"

#include <QRadioButton>

namespace win {
namespace {

// The whole rectangle of the button takes clicks, as the platform's radio
// buttons do, not only the indicator and the text.
class RadioButtonWidget : public QRadioButton {
  protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

}  // namespace

RadioButton::RadioButton(DataWindow* owner, const ResourceID& id)
    : Control(owner, id, std::make_unique<RadioButtonWidget>()) {
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
