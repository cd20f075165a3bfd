#include "platform/runtime/Tone.h"

#include <chrono>
#include <thread>

#include "platform/runtime/RuntimeState.h"

#include <fcntl.h>
#include <linux/kd.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace rt {
namespace {

constexpr std::uint32_t kMillisPerTenth = 100;

void PlatformTone(std::uint32_t hertz, std::uint32_t tenths) {
    const auto millis = tenths * kMillisPerTenth;
    // The console speaker counts in ticks of the PC timer's 1193180 Hz clock.
    constexpr std::uint32_t kTimerClock = 1193180;
    if (hertz > 0) {
        const int fd = ::open("/dev/console", O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (fd >= 0) {
            const bool sounding = ::ioctl(fd, KIOCSOUND, kTimerClock / hertz) == 0;
            if (sounding) {
                std::this_thread::sleep_for(std::chrono::milliseconds(millis));
                ::ioctl(fd, KIOCSOUND, 0);
            }
            ::close(fd);
            if (sounding) return;
        }
    }
    // No speaker to drive: the terminal's bell, when there is a terminal.
    if (::isatty(STDERR_FILENO)) {
        const char bell = '\a';
        [[maybe_unused]] const auto written = ::write(STDERR_FILENO, &bell, 1);
    }
}

}  // namespace

bool SetBeep() {
    return State().errors.beep;
}

bool SetBeep(bool value) {
    const bool previous = State().errors.beep;
    State().errors.beep = value;
    return previous;
}

void Tone(std::uint32_t hertz, std::uint32_t tenths) {
    const auto& seam = State().errors.tone;
    if (seam) {
        seam(hertz, tenths);
        return;
    }
    PlatformTone(hertz, tenths);
}

}  // namespace rt
