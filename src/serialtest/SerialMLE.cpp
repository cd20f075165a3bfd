#include "serialtest/SerialMLE.h"

#include <QStringView>

#include "platform/runtime/Activation.h"
#include "platform/runtime/RuntimeState.h"
#include "serialtest/KeyBytes.h"
#include "serialtest/PaneConstants.h"

namespace serialtest {

SerialMLE::SerialMLE(QWidget* parent)
    : MultiLineEdit(parent), pending_(kPaneTextCap, kInsertInterval) {
    RT_ENTER("SERIALMLE:INIT", "SerialMLE Class");
    RT_LINE();
    received_.reserve(kDrainBudget);
    RT_LINE();
    port_ = new serial::Serial(Handle(), this);
    RT_LINE();
    insertTimer_.setSingleShot(true);
    RT_LINE();
    insertTimer_.setTimerType(Qt::PreciseTimer);
    RT_LINE();
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
    RT_LINE();
    return port_.data();
}

serial::Serial* SerialMLE::SetDevice(QObject* value) {
    RT_ENTER("SERIALMLE:DEVICE", "SerialMLE Class");
    RT_LINE();
    if (auto* port = qobject_cast<serial::Serial*>(value)) port_ = port;
    RT_LINE();
    return port_.data();
}

win::LRESULT SerialMLE::Dispatch(const win::Event& event) {
    RT_ENTER("SERIALMLE:DISPATCH", "SerialMLE Class");
    RT_LINE();
    const std::uint32_t message = event.Message();
    RT_LINE();
    if ((message == os::WM_KEYDOWN || message == os::WM_CHAR) && !pending_.Empty()) InsertPending();
    RT_LINE();
    const win::LRESULT result = MultiLineEdit::Dispatch(event);
    RT_LINE();
    if (message == os::WM_COMMNOTIFY) {
        RT_LINE();
        Drain();
    } else if (message == os::WM_KEYDOWN) {
        RT_LINE();
        if (port_) port_->Write(KeyBytes::ForKey(event.wParam()));
    }
    RT_LINE();
    return result;
}

void SerialMLE::SetValue(const QString& text) {
    RT_ENTER("SERIALMLE:VALUE", "SerialMLE Class");
    RT_LINE();
    InsertPending();
    RT_LINE();
    MultiLineEdit::SetValue(text);
}

void SerialMLE::Drain() {
    RT_ENTER("SERIALMLE:DRAIN", "SerialMLE Class");
    RT_LINE();
    serial::Serial* port = port_.data();
    RT_LINE();
    if (!port) return;
    RT_LINE();
    received_.clear();
    RT_LINE();
    bool stop = false;
    // Reading the count once per batch reads the same bytes in the same
    // order as asking before every byte, at a fraction of the cost. The
    // per-byte body records its line once: it runs millions of times in a
    // flood.
    RT_LINE();
    for (std::uint32_t waiting = port->ReceiverPending(); waiting != 0 && !stop;
         waiting = port->ReceiverPending()) {
        for (; waiting != 0 && !stop; --waiting) {
            RT_LINE();
            const std::string byte = port->Read(1);
            // A port that reports bytes it cannot deliver must not keep the
            // loop spinning.
            if (byte.empty()) break;
            received_.push_back(byte.front());
            stop = received_.size() == kDrainBudget;
        }
        if (waiting != 0) stop = true;
    }
    RT_LINE();
    if (received_.size() == kDrainBudget && port->ReceiverPending() != 0)
        os::PostMessageA(Handle(), os::WM_COMMNOTIFY, 0, 0);
    RT_LINE();
    pending_.Append(received_);
    RT_LINE();
    SchedulePending();
}

void SerialMLE::SchedulePending() {
    RT_ENTER("SERIALMLE:SCHEDULEPENDING", "SerialMLE Class");
    RT_LINE();
    if (pending_.Empty() || insertTimer_.isActive()) return;
    RT_LINE();
    const auto delay = pending_.Delay(PendingText::Clock::now());
    RT_LINE();
    insertTimer_.start(std::chrono::ceil<std::chrono::milliseconds>(delay));
}

void SerialMLE::InsertPending() {
    RT_ENTER("SERIALMLE:INSERTPENDING", "SerialMLE Class");
    RT_LINE();
    insertTimer_.stop();
    RT_LINE();
    if (pending_.Empty()) return;
    RT_LINE();
    const std::u16string_view text = pending_.Text();
    RT_LINE();
    if (View()) View()->InsertText(QStringView(text.data(), static_cast<qsizetype>(text.size())));
    RT_LINE();
    pending_.MarkInserted(PendingText::Clock::now());
}

}  // namespace serialtest
