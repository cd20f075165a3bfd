#include "serialtest/SerialMLE.h"

#include <QKeyEvent>
#include <QStringView>

#include "platform/runtime/Activation.h"
#include "serialtest/KeyBytes.h"
#include "serialtest/PaneConstants.h"

namespace serialtest {

SerialMLE::SerialMLE(QWidget* parent)
    : MultiLineEdit(parent), pending_(kPaneTextCap, kInsertInterval) {
    RT_ENTER("SERIALMLE:INIT", "SerialMLE Class");
    received_.reserve(kDrainBudget);
    port_ = new serial::Serial(Handle(), this);
    insertTimer_.setSingleShot(true);
    insertTimer_.setTimerType(Qt::PreciseTimer);
    connect(&insertTimer_, &QTimer::timeout, this, &SerialMLE::InsertPending);
}

SerialMLE::SerialMLE(win::DataWindow* owner, const win::ResourceID& id)
    : SerialMLE(owner->Widget()) {
    RT_ENTER("SERIALMLE:INIT", "SerialMLE Class");
    RT_LINE();
    owner->AttachWidget(View(), owner->TemplateItem(id));
}

serial::Serial* SerialMLE::Device() const {
    RT_ENTER("SERIALMLE:DEVICE", "SerialMLE Class");
    return port_.data();
}

serial::Serial* SerialMLE::SetDevice(QObject* value) {
    RT_ENTER("SERIALMLE:DEVICE", "SerialMLE Class");
    if (auto* port = qobject_cast<serial::Serial*>(value)) port_ = port;
    return port_.data();
}

win::LRESULT SerialMLE::Dispatch(const win::Event& event) {
    RT_ENTER("SERIALMLE:DISPATCH", "SerialMLE Class");
    const std::uint32_t message = event.Message();
    RT_LINE();
    if ((message == os::WM_KEYDOWN || message == os::WM_CHAR) && !pending_.Empty()) InsertPending();
    const win::LRESULT result = SentNowhere(event) ? 0 : MultiLineEdit::Dispatch(event);
    if (message == os::WM_COMMNOTIFY) {
        RT_LINE();
        Drain();
    } else if (message == os::WM_KEYDOWN) {
        RT_LINE();
        if (port_) port_->Write(KeyBytes::ForKey(event.wParam()));
    }
    return result;
}

bool SerialMLE::SentNowhere(const win::Event& event) const {
    if (!port_ || !port_->IsLost()) return false;
    if (event.Message() == os::WM_CHAR) return true;
    // A key that edits the text types something; moving the caret does not.
    return event.Message() == os::WM_KEYDOWN && event.KeyEvent() != nullptr &&
           !event.KeyEvent()->text().isEmpty();
}

void SerialMLE::SetValue(const QString& text) {
    RT_ENTER("SERIALMLE:VALUE", "SerialMLE Class");
    RT_LINE();
    InsertPending();
    MultiLineEdit::SetValue(text);
}

void SerialMLE::Drain() {
    RT_ENTER("SERIALMLE:DRAIN", "SerialMLE Class");
    serial::Serial* port = port_.data();
    if (!port) return;
    received_.clear();
    bool stop = false;
    // Reading the count once per batch reads the same bytes in the same
    // order as asking before every byte, at a fraction of the cost.
    for (std::uint32_t waiting = port->ReceiverPending(); waiting != 0 && !stop;
         waiting = port->ReceiverPending()) {
        for (; waiting != 0 && !stop; --waiting) {
            const std::string byte = port->Read(1);
            // A port that reports bytes it cannot deliver must not keep the
            // loop spinning.
            if (byte.empty()) break;
            received_.push_back(byte.front());
            stop = received_.size() == kDrainBudget;
        }
        if (waiting != 0) stop = true;
    }
    if (received_.size() == kDrainBudget && port->ReceiverPending() != 0)
        os::PostMessageA(Handle(), os::WM_COMMNOTIFY, 0, 0);
    RT_LINE();
    pending_.Append(received_);
    RT_LINE();
    SchedulePending();
}

void SerialMLE::SchedulePending() {
    RT_ENTER("SERIALMLE:SCHEDULEPENDING", "SerialMLE Class");
    if (pending_.Empty() || insertTimer_.isActive()) return;
    RT_LINE();
    const auto delay = pending_.Delay(PendingText::Clock::now());
    insertTimer_.start(std::chrono::ceil<std::chrono::milliseconds>(delay));
}

void SerialMLE::InsertPending() {
    RT_ENTER("SERIALMLE:INSERTPENDING", "SerialMLE Class");
    insertTimer_.stop();
    if (pending_.Empty()) return;
    RT_LINE();
    const std::u16string_view text = pending_.Text();
    if (View()) View()->InsertText(QStringView(text.data(), static_cast<qsizetype>(text.size())));
    RT_LINE();
    pending_.MarkInserted(PendingText::Clock::now());
}

}  // namespace serialtest
