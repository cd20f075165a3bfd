#include "serialtest/PendingText.h"

#include <algorithm>

#include "platform/runtime/Activation.h"
#include "platform/runtime/RuntimeState.h"
#include "serialtest/ReceiveRenderer.h"

namespace serialtest {

PendingText::PendingText(std::size_t keep, Clock::duration interval)
    : keep_(std::max<std::size_t>(keep, 1)), interval_(interval) {
    RT_ENTER("PENDINGTEXT:INIT", "SerialMLE Class");
    RT_LINE();
    text_.reserve(3 * keep_ + ReceiveRenderer::kMaxWidth);
}

void PendingText::Append(std::string_view bytes) {
    RT_ENTER("PENDINGTEXT:APPEND", "SerialMLE Class");
    // Of a long run only the bytes whose text lands among the last `keep`
    // characters can show; the rest is never rendered.
    RT_LINE();
    bytes.remove_prefix(bytes.size() - ReceiveRenderer::TailBytesFor(bytes, keep_));
    RT_LINE();
    ReceiveRenderer::Append(bytes, text_);
    // Dropping lazily, once twice the kept amount has collected, keeps the
    // cost per byte constant during a flood.
    RT_LINE();
    if (text_.size() > 2 * keep_) {
        RT_LINE();
        text_.erase(0, text_.size() - keep_);
    }
}

std::u16string_view PendingText::Text() const {
    RT_ENTER("PENDINGTEXT:TEXT", "SerialMLE Class");
    RT_LINE();
    const std::u16string_view all(text_);
    RT_LINE();
    return all.size() > keep_ ? all.substr(all.size() - keep_) : all;
}

PendingText::Clock::duration PendingText::Delay(Clock::time_point now) const {
    RT_ENTER("PENDINGTEXT:DELAY", "SerialMLE Class");
    RT_LINE();
    const Clock::time_point due = lastInsert_ + interval_;
    RT_LINE();
    return due > now ? due - now : Clock::duration::zero();
}

void PendingText::MarkInserted(Clock::time_point now) {
    RT_ENTER("PENDINGTEXT:MARKINSERTED", "SerialMLE Class");
    RT_LINE();
    text_.clear();
    RT_LINE();
    lastInsert_ = now;
}

}  // namespace serialtest
