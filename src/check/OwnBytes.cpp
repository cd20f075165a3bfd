#include "check/OwnBytes.h"

namespace check {

OwnBytes::OwnBytes(std::string_view pattern) : pattern_(pattern), index_(pattern) {}

std::size_t OwnBytes::Start(std::string_view received) {
    if (start_) return *start_;
    const std::size_t span = index_.Span();
    if (span == 0) return *(start_ = 0);
    for (; scanned_ + span <= received.size(); ++scanned_) {
        if (index_.Find(received.substr(scanned_, span))) return *(start_ = scanned_);
    }
    return received.size();
}

bool OwnBytes::Complete(std::string_view received) {
    const std::size_t start = Start(received);
    if (received.size() - start >= pattern_.size()) return true;
    const std::size_t span = index_.Span();
    return span > 0 && received.size() >= span &&
           received.substr(received.size() - span) == pattern_.substr(pattern_.size() - span);
}

bool FromPattern(std::string_view bytes, std::string_view previous) {
    if (bytes.empty() || previous.empty()) return false;
    const PatternIndex index(previous);
    if (bytes.size() >= index.Span()) return index.Find(bytes.substr(0, index.Span())).has_value();
    return previous.find(bytes) != std::string_view::npos;
}

}  // namespace check
