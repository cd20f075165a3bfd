#include "platform/window/PushButton.h"

#include <QPushButton>

#include "platform/window/DataWindow.h"
#include "platform/window/EventGuard.h"

namespace win {

PushButton::PushButton(DataWindow* owner, const ResourceID& id)
    : Control(owner, id, std::make_unique<QPushButton>()) {
    auto* button = static_cast<QPushButton*>(Widget());
    button->setText(CaptionText());
    button->setAutoDefault(false);
    button->setDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] { Clicked(); });
}

void PushButton::Clicked() {
    const std::string name = HyperLabel().name;
    DataWindow* owner = Owner();
    Guarded(name, [owner, &name] { owner->Send(name); });
}

}  // namespace win
