#include "platform/window/PushButton.h"

#include <QPushButton>

#include "platform/runtime/ErrorSystem.h"
#include "platform/window/DataWindow.h"

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
    rt::DispatchGuarded([owner, &name] { owner->Send(name); }, name);
}

}  // namespace win
