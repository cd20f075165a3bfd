#include "platform/window/PushButton.h"

#include <QKeyEvent>
#include <QPushButton>

#include "platform/runtime/ErrorSystem.h"
#include "platform/window/DataWindow.h"

namespace win {
namespace {

// Enter presses a focused button as Space does, although the window's
// buttons are never default buttons (for which alone the toolkit does so).
class PushButtonWidget : public QPushButton {
  protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
        if (!enter || modifiers != Qt::NoModifier) return QPushButton::keyPressEvent(event);
        event->accept();
        if (!event->isAutoRepeat()) click();
    }
};

}  // namespace

PushButton::PushButton(DataWindow* owner, const ResourceID& id)
    : Control(owner, id, std::make_unique<PushButtonWidget>()) {
    auto* button = static_cast<QPushButton*>(Widget());
    button->setText(CaptionText());
    button->setAutoDefault(false);
    button->setDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] { Clicked(); });
}

void PushButton::Clicked() {
    const std::string name = HyperLabel().name;
    DataWindow* owner = Owner();
    rt::DispatchGuarded([owner, &name] { owner->Send(name); }, name);
}

}  // namespace win
