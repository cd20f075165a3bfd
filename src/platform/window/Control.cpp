#include "platform/window/Control.h"

#include "platform/window/DataWindow.h"
#include "platform/window/Translations.h"

namespace win {

QString Control::CaptionText() const {
    return Translations::Text(QString::fromStdU16String(item_.caption));
}

Control::Control(DataWindow* owner, const ResourceID& id, std::unique_ptr<QWidget> widget)
    : owner_(owner), item_(owner->TemplateItem(id)) {
    widget_ = widget.release();
    owner_->AttachWidget(widget_.data(), item_);
}

Control::~Control() {
    if (widget_) delete widget_.data();
}

void Control::HyperLabel(const win::HyperLabel& label) {
    label_ = label;
    if (widget_) widget_->setObjectName(QString::fromStdString(label.name));
}

void Control::Enable() {
    if (widget_) widget_->setEnabled(true);
}

void Control::Disable() {
    if (widget_) widget_->setEnabled(false);
}

bool Control::IsEnabled() const {
    return widget_ && widget_->isEnabled();
}

void Control::SetFocus() {
    if (widget_) widget_->setFocus(Qt::OtherFocusReason);
}

}  // namespace win
