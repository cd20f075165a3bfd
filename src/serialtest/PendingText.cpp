#include "serialtest/PendingText.h"

#include <algorithm>

#include "platform/runtime/Activation.h"
#include "serialtest/ReceiveRenderer.h"

namespace serialtest {

PendingText::PendingText(std::size_t keep, Clock::duration interval)
    : keep_(std::max<std::size_t>(keep, 1)), interval_(interval) {
    RT_ENTER("PENDINGTEXT:INIT", "SerialMLE Class");
    bytes_.reserve(2 * keep_);
}

void PendingText::Append(std::string_view bytes) {
    RT_ENTER("PENDINGTEXT:APPEND", "SerialMLE Class");
    // Every byte renders as at least one character, so only the last `keep`
    // bytes can show. Dropping lazily, once twice that has collected, keeps
    // the cost per byte constant during a flood.
    if (bytes.size() >= keep_) {
        bytes_.assign(bytes.substr(bytes.size() - keep_));
    } else {
        if (bytes_.size() + bytes.size() > 2 * keep_) bytes_.erase(0, bytes_.size() - keep_);
        bytes_.append(bytes);
    }
}

std::u16string_view PendingText::Text() {
    RT_ENTER("PENDINGTEXT:TEXT", "SerialMLE Class");
    const std::string_view all(bytes_);
    text_.clear();
    RT_LINE();
    ReceiveRenderer::Append(all.substr(all.size() - ReceiveRenderer::TailBytesFor(all, keep_)),
                            text_);
    const std::u16string_view rendered(text_);
    return rendered.size() > keep_ ? rendered.substr(rendered.size() - keep_) : rendered;
}

PendingText::Clock::duration PendingText::Delay(Clock::time_point now) const {
    RT_ENTER("PENDINGTEXT:DELAY", "SerialMLE Class");
    const Clock::time_point due = lastInsert_ + interval_;
    return due > now ? due - now : Clock::duration::zero();
}

void PendingText::MarkInserted(Clock::time_point now) {
    RT_ENTER("PENDINGTEXT:MARKINSERTED", "SerialMLE Class");
    bytes_.clear();
    text_.clear();
    lastInsert_ = now;
}

}  // namespace serialtest
