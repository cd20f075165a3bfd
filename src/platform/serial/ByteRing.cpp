#include "platform/serial/ByteRing.h"

#include <algorithm>
#include <cstring>

namespace serial {
namespace {

std::size_t RoundUpPowerOfTwo(std::size_t n) {
    std::size_t p = 16;
    while (p < n) p <<= 1;
    return p;
}

}  // namespace

ByteRing::ByteRing(std::size_t capacity)
    : capacity_(RoundUpPowerOfTwo(capacity)),
      buffer_(std::make_unique_for_overwrite<char[]>(capacity_)),
      mask_(capacity_ - 1) {}

ByteRing::Span ByteRing::WritableSpan() {
    const std::size_t index = tail_ & mask_;
    const std::size_t untilEnd = Capacity() - index;
    return Span{buffer_.get() + index, std::min(untilEnd, Free())};
}

void ByteRing::Commit(std::size_t count) {
    tail_ += std::min(count, Free());
}

ByteRing::Span ByteRing::ReadableSpan() {
    const std::size_t index = head_ & mask_;
    return Span{buffer_.get() + index, std::min(Capacity() - index, Size())};
}

void ByteRing::Drop(std::size_t count) {
    head_ += std::min(count, Size());
}

std::size_t ByteRing::Push(const char* data, std::size_t size) {
    std::size_t taken = 0;
    while (taken < size) {
        const Span span = WritableSpan();
        if (span.size == 0) break;
        const std::size_t n = std::min(span.size, size - taken);
        std::memcpy(span.data, data + taken, n);
        Commit(n);
        taken += n;
    }
    return taken;
}

std::string ByteRing::PopFront(std::size_t count) {
    const std::size_t n = std::min(count, Size());
    if (n == 1) {
        // The reader's usual call: one byte, no copy loop.
        const char byte = buffer_[head_ & mask_];
        ++head_;
        return std::string(1, byte);
    }
    std::string out;
    out.reserve(n);
    std::size_t left = n;
    while (left > 0) {
        const std::size_t index = head_ & mask_;
        const std::size_t run = std::min(left, Capacity() - index);
        out.append(buffer_.get() + index, run);
        head_ += run;
        left -= run;
    }
    return out;
}

}  // namespace serial
