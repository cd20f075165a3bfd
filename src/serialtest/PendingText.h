#pragma once
// Received text on its way into the pane. Rendered bytes collect here and
// reach the pane in as few insertions as keep the window responsive: at
// once after a quiet spell, at most once per interval while a flood lasts.
// Only the most recent `keep` characters are held: the pane keeps no more
// than that, so older text would be dropped on insertion anyway.

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

    // Appends the rendering of received bytes, in order. Bytes whose text
    // could not be among the most recent `keep` characters are skipped.
    void Append(std::string_view bytes);
    bool Empty() const { return text_.empty(); }
    // The text to insert: the most recent characters, at most `keep`.
    std::u16string_view Text() const;
    // How long to wait from `now` before the next insertion: zero when the
    // previous one is at least one interval ago.
    Clock::duration Delay(Clock::time_point now) const;
    // Empties the text after it has been inserted at `now`.
    void MarkInserted(Clock::time_point now);

  private:
    std::u16string text_;
    std::size_t keep_;
    Clock::duration interval_;
    Clock::time_point lastInsert_{};
};

}  // namespace serialtest
