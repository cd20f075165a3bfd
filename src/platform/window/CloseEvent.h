#pragma once
// The event a top-level window's Close receives when the window is asked to
// close (close box, keyboard, window manager, or a program's request). The
// library's own Close accepts it; a window that does not pass it on to the
// library's Close stays open.

namespace win {

class CloseEvent {
  public:
    void Accept() { accepted_ = true; }
    bool IsAccepted() const { return accepted_; }

  private:
    bool accepted_ = false;
};

}  // namespace win
