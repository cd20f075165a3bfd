#pragma once
// A byte ring of fixed capacity between the device and the reader. The device
// side writes straight into the free space (WritableSpan, then Commit); the
// reader takes bytes from the front. PopFront of one byte is O(1) and never
// allocates; the queue never grows beyond its capacity.

#include <cstddef>
#include <string>
#include <vector>

namespace serial {

class ReceiveQueue {
  public:
    // `capacity` is rounded up to a power of two (at least 16).
    explicit ReceiveQueue(std::size_t capacity);

    std::size_t Size() const { return tail_ - head_; }
    std::size_t Capacity() const { return buffer_.size(); }
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

    // Appends as much of `data` as fits; returns how many bytes were taken.
    std::size_t Push(const char* data, std::size_t size);
    // Removes and returns up to `count` bytes from the front.
    std::string PopFront(std::size_t count);
    void Clear() { head_ = tail_ = 0; }

  private:
    std::vector<char> buffer_;
    std::size_t mask_;
    // Free-running positions; their difference is the size, masking gives
    // the index. Unsigned wrap-around keeps the difference right.
    std::size_t head_ = 0;
    std::size_t tail_ = 0;
};

}  // namespace serial
