#pragma once
// The settings of the terminal devices the process holds open and has
// changed (the serial ports under test), kept so that an end by a signal can
// put them back even when the thread that opened a port cannot: the stop
// signals' own thread after its grace, or the handler of a signal whose
// default ends the process (os::StopSignals).
//
// The record is one per process, as signals are: a fixed set of kSlots
// entries reached through atomic flags only, so RestoreAll may run in a
// signal handler and on any thread while others Keep and Forget. A device
// beyond kSlots open at once is not kept (Keep answers false); comtest holds
// two at most. A process that ends through exit() (the toolkit's, when the
// X server goes away) puts the settings kept back as well.

#include <termios.h>

namespace os {

class SavedTerminals {
  public:
    static constexpr int kSlots = 16;

    // Keeps `settings` to put back on `fd` should the process end by a
    // signal before Forget(fd). FALSE when every slot is taken.
    static bool Keep(int fd, const termios& settings);
    // Drops what Keep kept for `fd`; call it after putting the settings back
    // and before closing `fd`, so that no other descriptor given the same
    // number is touched. Waits for a RestoreAll under way on another thread.
    static void Forget(int fd);
    // Puts back every setting kept (tcsetattr, TCSANOW) and answers how many
    // were. Async-signal-safe; a slot being kept or forgotten at that very
    // moment is passed over.
    static int RestoreAll();
};

}  // namespace os
