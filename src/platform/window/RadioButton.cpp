#include "platform/window/RadioButton.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QRadioButton>

namespace win {
namespace {

// The whole rectangle of the button takes clicks, as the platform's radio
// buttons do, not only the indicator and the text.
class RadioButtonWidget : public QRadioButton {
  protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

    // The arrow keys move to the next or previous button of the group, in
    // the group's order and round at its ends, and check it, as the
    // platform's radio buttons do. The toolkit's own arrow handling goes by
    // the buttons' places and only to buttons that take Tab, which in a
    // group is the checked one alone.
    void keyPressEvent(QKeyEvent* event) override {
        int step = 0;
        switch (event->key()) {
            case Qt::Key_Down:
            case Qt::Key_Right:
                step = 1;
                break;
            case Qt::Key_Up:
            case Qt::Key_Left:
                step = -1;
                break;
            default:
                return QRadioButton::keyPressEvent(event);
        }
        event->accept();
        if (group() == nullptr) return;
        const QList<QAbstractButton*> buttons = group()->buttons();
        const auto count = buttons.size();
        const auto at = buttons.indexOf(this);
        for (qsizetype n = 1; n < count; ++n) {
            QAbstractButton* next = buttons[((at + step * n) % count + count) % count];
            if (!next->isEnabled() || !next->isVisible()) continue;
            next->setFocus(Qt::TabFocusReason);
            next->click();
            return;
        }
    }
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
