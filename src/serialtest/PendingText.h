#pragma once
// Received bytes on their way into the pane. They collect here and reach the
// pane in as few insertions as keep the window responsive: at once after a
// quiet spell, at most once per interval while a flood lasts. Only bytes
// whose text can be among the most recent `keep` characters are held, and
// they are rendered (ReceiveRenderer) only when the text is taken, so bytes
// the pane would drop at once cost no rendering.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace serialtest {

class PendingText {
  public:
    using Clock = std::chrono::steady_clock;

    PendingText(std::size_t keep, Clock::duration interval);

    // Appends received bytes, in order.
    void Append(std::string_view bytes);
    bool Empty() const { return bytes_.empty(); }
    // The text to insert: the rendering of the bytes held, its most recent
    // characters, at most `keep`. Valid until the next call on this object.
    std::u16string_view Text();
    // How long to wait from `now` before the next insertion: zero when the
    // previous one is at least one interval ago.
    Clock::duration Delay(Clock::time_point now) const;
    // Empties the text after it has been inserted at `now`.
    void MarkInserted(Clock::time_point now);

  private:
    std::string bytes_;
    std::u16string text_;
    std::size_t keep_;
    Clock::duration interval_;
    Clock::time_point lastInsert_{};
};

}  // namespace serialtest
