#include "platform/os/SavedTerminals.h"

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace os {
namespace {

// A slot's life: Free -> Busy (being filled or emptied) -> Kept; RestoreAll
// takes a Kept slot to Restoring and back.
enum State : int { kFree, kBusy, kKept, kRestoring };

struct Slot {
    std::atomic<int> state{kFree};
    int fd = -1;
    termios settings{};
};

// Lock-free, so that a signal handler may use them.
static_assert(std::atomic<int>::is_always_lock_free);

// Constant-initialised, so that a signal handler never meets a guarded
// first use.
constinit Slot slots[SavedTerminals::kSlots];

Slot& At(int i) {
    return slots[i];
}

}  // namespace

bool SavedTerminals::Keep(int fd, const termios& settings) {
    // An exit() that bypasses the program's own end (the toolkit's, when
    // the X server goes away) puts the settings back too.
    static std::once_flag atExit;
    std::call_once(atExit, [] { std::atexit([] { RestoreAll(); }); });
    for (int i = 0; i < kSlots; ++i) {
        Slot& slot = At(i);
        int expected = kFree;
        if (!slot.state.compare_exchange_strong(expected, kBusy, std::memory_order_acquire))
            continue;
        slot.fd = fd;
        slot.settings = settings;
        slot.state.store(kKept, std::memory_order_release);
        return true;
    }
    return false;
}

void SavedTerminals::Forget(int fd) {
    for (int i = 0; i < kSlots; ++i) {
        Slot& slot = At(i);
        while (true) {
            int state = slot.state.load(std::memory_order_acquire);
            // The restore on another thread ends in one system call.
            if (state == kRestoring) {
                std::this_thread::yield();
                continue;
            }
            if (state != kKept || slot.fd != fd) break;
            if (slot.state.compare_exchange_strong(state, kBusy, std::memory_order_acquire)) {
                slot.fd = -1;
                slot.state.store(kFree, std::memory_order_release);
                break;
            }
        }
    }
}

int SavedTerminals::RestoreAll() {
    int restored = 0;
    for (int i = 0; i < kSlots; ++i) {
        Slot& slot = At(i);
        int expected = kKept;
        if (!slot.state.compare_exchange_strong(expected, kRestoring, std::memory_order_acquire))
            continue;
        if (::tcsetattr(slot.fd, TCSANOW, &slot.settings) == 0) ++restored;
        slot.state.store(kKept, std::memory_order_release);
    }
    return restored;
}

}  // namespace os
