#pragma once
// A byte ring of fixed capacity, the queue of either direction of a port:
// received bytes between the device and the reader, and bytes waiting to be
// sent. The producer writes straight into the free space (WritableSpan, then
// Commit) or copies in (Push); the consumer takes bytes from the front by copy
// (PopFront) or in place (ReadableSpan, then Drop). PopFront of one byte is
// O(1) and never allocates; the ring never grows beyond its capacity, and
// memory it has never held bytes in is not touched.

#include <cstddef>
#include <memory>
#include <string>

namespace serial {

class ByteRing {
  public:
    // `capacity` is rounded up to a power of two (at least 16).
    explicit ByteRing(std::size_t capacity);

    std::size_t Size() const { return tail_ - head_; }
    std::size_t Capacity() const { return capacity_; }
    std::size_t Free() const { return Capacity() - Size(); }
    bool Empty() const { return head_ == tail_; }

    // The longest contiguous free run after the last byte; may be shorter
    // than Free() when the free space wraps. Empty span when the queue is full.
    struct Span {
        char* data;
        std::size_t size;
    };
    Span WritableSpan();
    // Makes `count` bytes written into the last WritableSpan part of the queue;
    // `count` must not exceed that span's size.
    void Commit(std::size_t count);

    // The longest contiguous run of bytes at the front; may be shorter than
    // Size() when the bytes wrap. Empty span when the queue is empty.
    Span ReadableSpan();
    // Removes up to `count` bytes from the front without copying them.
    void Drop(std::size_t count);

    // Appends as much of `data` as fits; returns how many bytes were taken.
    std::size_t Push(const char* data, std::size_t size);
    // Removes and returns up to `count` bytes from the front.
    std::string PopFront(std::size_t count);
    void Clear() { head_ = tail_ = 0; }

  private:
    std::size_t capacity_;
    // Left uninitialised: pages the ring never reaches stay unmapped.
    std::unique_ptr<char[]> buffer_;
    std::size_t mask_;
    // Free-running positions; their difference is the size, masking gives
    // the index. Unsigned wrap-around keeps the difference right.
    std::size_t head_ = 0;
    std::size_t tail_ = 0;
};

}  // namespace serial
