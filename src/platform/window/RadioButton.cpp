#include "platform/window/RadioButton.h"

#include "platform/window/Accessibility.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QRadioButton>
#include <QStyle>

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
    auto* button = static_cast<QRadioButton*>(Widget());
    button->setText(CaptionText());
    // A template row is made for the platform's indicator at 96 dpi; a style
    // that draws a bigger one (a higher resolution without scaling) gets a
    // row grown around its middle, so the whole circle shows.
    const int indicator =
        button->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, button);
    if (const int grow = indicator - button->height(); grow > 0)
        button->setGeometry(button->geometry().adjusted(0, -grow / 2, 0, grow - grow / 2));
    Accessibility::Forget(button);
}

bool RadioButton::IsChecked() const {
    const auto* button = static_cast<QRadioButton*>(Widget());
    return button && button->isChecked();
}

void RadioButton::Check(bool on) {
    if (auto* button = static_cast<QRadioButton*>(Widget())) button->setChecked(on);
}

}  // namespace win
