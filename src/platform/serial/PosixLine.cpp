#include "platform/serial/PosixLine.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/os/SavedTerminals.h"
#include "platform/serial/CustomBaud.h"
#include "platform/serial/DeviceAccess.h"
#include "platform/serial/DeviceScanner.h"
#include "platform/serial/LoopbackPlug.h"
#include "platform/serial/SerialTexts.h"

namespace serial {

struct PosixLine::Saved {
    termios tio;
};

namespace {

// The POSIX speed constants this system knows, by rate.
constexpr std::pair<std::uint32_t, speed_t> kSpeeds[] = {
    {50, B50},       {75, B75},         {110, B110},       {134, B134},     {150, B150},
    {200, B200},     {300, B300},       {600, B600},       {1200, B1200},   {1800, B1800},
    {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200}, {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400},
};

std::optional<speed_t> SpeedCode(std::uint32_t baud) {
    for (const auto& [rate, code] : kSpeeds)
        if (rate == baud) return code;
    return std::nullopt;
}

std::uint32_t RateOf(speed_t code) {
    for (const auto& [rate, c] : kSpeeds)
        if (c == code) return rate;
    return 0;
}

std::string ErrnoText(int error) {
    return std::strerror(error);
}

void MakeRaw(termios& tio) {
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
#ifdef CRTSCTS
    tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
#endif
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    // One byte satisfies a read, so a readable descriptor that reads 0 bytes
    // means the line hung up rather than "no data yet".
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
}

IoResult FromCall(ssize_t n) {
    if (n >= 0) return {IoResult::Status::Done, static_cast<std::size_t>(n), 0};
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
        return {IoResult::Status::WouldBlock, 0, 0};
    return {IoResult::Status::Lost, 0, errno};
}

}  // namespace

PosixLine::PosixLine() = default;

PosixLine::~PosixLine() {
    Close();
}

rt::Expected<> PosixLine::Open(const std::string& path) {
    Close();
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == EACCES || error == EPERM)
            return rt::Fail(DeviceAccess::PermissionReason(path));
        // A terminal in exclusive mode refuses further opens with EBUSY.
        if (error == EBUSY) return rt::Fail(DeviceAccess::BusyReason(path));
        return rt::Fail(ErrnoText(error));
    }
    // Until the device is ours, it is closed untouched: no setting changed
    // and no exclusive mode cleared that another program set.
    const auto refuse = [fd](std::string reason) {
        ::close(fd);
        return rt::Fail(std::move(reason));
    };
    if (!::isatty(fd)) return refuse(std::string(texts::kNotTerminal));
    // Root passes the exclusive mode's check, and so would clear another's
    // exclusive mode at Close; a mode found set is left alone.
    int exclusive = 0;
#ifdef TIOCGEXCL
    if (::ioctl(fd, TIOCGEXCL, &exclusive) != 0) exclusive = 0;
#endif
    // Whoever has the device open (root sees every process, so also the
    // holder of an exclusive mode), a program that locks nothing (a plain
    // reader, a logger) and one that keeps a UUCP lock file among them.
    std::vector<DeviceAccess::Holder> others = DeviceAccess::Holders(path);
    std::erase_if(others, [](const DeviceAccess::Holder& h) { return h.pid == ::getpid(); });
    if (!others.empty()) return refuse(DeviceAccess::BusyReason(others));
    // A lock of this process, or a holder this user may not see.
    const auto busy = [&] {
        auto holders = DeviceAccess::Holders(path);
        if (holders.size() > 1)
            std::erase_if(holders,
                          [](const DeviceAccess::Holder& h) { return h.pid == ::getpid(); });
        return refuse(DeviceAccess::BusyReason(holders));
    };
    // The lock keeps out programs that honour it (and root, whom the
    // terminal's exclusive mode does not stop); TIOCEXCL keeps out the rest.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        return error == EWOULDBLOCK ? busy() : refuse(ErrnoText(error));
    }
    if (lock_.Acquire(path)) return busy();
    const bool exclusiveSet = exclusive == 0 && ::ioctl(fd, TIOCEXCL) == 0;
    const auto fail = [&](int error) {
        if (exclusiveSet) ::ioctl(fd, TIOCNXCL);
        lock_.Release();
        return refuse(ErrnoText(error));
    };

    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) return fail(errno);
    if (!saved_) saved_ = std::make_unique<Saved>();
    saved_->tio = tio;
    // Kept for an end by a signal that leaves no time to Close.
    os::SavedTerminals::Keep(fd, tio);
    MakeRaw(tio);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        os::SavedTerminals::Forget(fd);
        return fail(errno);
    }
    // A test starts from a quiet line: nothing left over from before.
    ::tcflush(fd, TCIFLUSH);
    fd_ = fd;
    path_ = path;
    exclusiveSet_ = exclusiveSet;
    paced_ = DeviceScanner(DeviceScanner::DefaultRoot()).HasDevice(path);
    return {};
}

void PosixLine::Close() {
    if (fd_ < 0) return;
    // Both calls fail harmlessly on a device that is gone.
    ::tcsetattr(fd_, TCSANOW, &saved_->tio);
    os::SavedTerminals::Forget(fd_);
    if (exclusiveSet_) ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    exclusiveSet_ = false;
    lock_.Release();
    plug_.reset();
}

void PosixLine::AttachPlug(std::shared_ptr<LoopbackPlug> plug) {
    if (fd_ >= 0) plug_ = std::move(plug);
}

rt::Expected<LineSettings> PosixLine::Apply(const LineSettings& requested) {
    if (!plug_) return ApplyToDevice(requested);
    // The plug's frame reaches the device as plain 8N1: the pseudo-terminal
    // would drop the rest anyway, and only its rate is its own.
    LineSettings device = requested;
    device.parity = static_cast<std::uint8_t>(ParityCode::None);
    device.byteSize = 8;
    device.stopBits = static_cast<std::uint8_t>(StopBitsCode::One);
    auto applied = ApplyToDevice(device);
    if (!applied) return applied;
    plug_->Keep(requested);
    return plug_->Kept(*applied);
}

rt::Expected<LineSettings> PosixLine::ApplyToDevice(const LineSettings& requested) {
    termios tio{};
    if (fd_ < 0 || ::tcgetattr(fd_, &tio) != 0) {
        return rt::Fail(std::string(texts::kCannotRead) + ": " + ErrnoText(errno));
    }
    MakeRaw(tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB);
#ifdef CMSPAR
    tio.c_cflag &= ~static_cast<tcflag_t>(CMSPAR);
#endif
    constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag |= kSizes[requested.byteSize - 5];

    switch (static_cast<ParityCode>(requested.parity)) {
        case ParityCode::None:
            break;
        case ParityCode::Odd:
            tio.c_cflag |= PARENB | PARODD;
            break;
        case ParityCode::Even:
            tio.c_cflag |= PARENB;
            break;
        case ParityCode::Mark:
        case ParityCode::Space:
#ifdef CMSPAR
            tio.c_cflag |= PARENB | CMSPAR;
            if (requested.parity == static_cast<std::uint8_t>(ParityCode::Mark))
                tio.c_cflag |= PARODD;
#else
            return rt::Fail(std::string(texts::kCannotApply) + ": parity " +
                            ParityName(requested.parity) + " is not available on this system");
#endif
            break;
    }
    // POSIX has no 1.5 stop bits; a UART gives 1.5 for CSTOPB with 5 data
    // bits, and the read-back reports the request honestly either way.
    if (requested.stopBits != static_cast<std::uint8_t>(StopBitsCode::One)) tio.c_cflag |= CSTOPB;

    const auto speed = SpeedCode(requested.baud);
    if (speed) {
        cfsetispeed(&tio, *speed);
        cfsetospeed(&tio, *speed);
#ifdef CIBAUD
        // cfsetispeed leaves the separate input-rate field alone, so a rate
        // set there before (split speeds, or a custom rate through termios2)
        // would stay in force; cleared, the input follows the output.
        tio.c_cflag &= ~static_cast<tcflag_t>(CIBAUD);
#endif
    }
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0) {
        return rt::Fail(std::string(texts::kCannotApply) + ": " + ErrnoText(errno));
    }
    if (!speed && !SetCustomBaud(fd_, requested.baud)) {
        return rt::Fail(std::string(texts::kCannotApply) + ": " + std::to_string(requested.baud) +
                        " baud: " + ErrnoText(errno));
    }
    if (auto applied = DeviceSettings()) return *applied;
    return rt::Fail(std::string(texts::kCannotRead) + ": " + ErrnoText(errno));
}

std::optional<LineSettings> PosixLine::ReadBack() const {
    auto kept = DeviceSettings();
    if (kept && plug_) return plug_->Kept(*kept);
    return kept;
}

std::optional<LineSettings> PosixLine::DeviceSettings() const {
    termios tio{};
    if (fd_ < 0 || ::tcgetattr(fd_, &tio) != 0) return std::nullopt;
    LineSettings s;
    if (const auto exact = ReadBackSpeeds(fd_)) {
        s.baud = exact->output;
        s.inputBaud = exact->input;
    } else {
        s.baud = RateOf(cfgetospeed(&tio));
        // An input speed code of 0 means "as the output".
        const speed_t input = cfgetispeed(&tio);
        s.inputBaud = input == B0 ? s.baud : RateOf(input);
    }
    switch (tio.c_cflag & CSIZE) {
        case CS5:
            s.byteSize = 5;
            break;
        case CS6:
            s.byteSize = 6;
            break;
        case CS7:
            s.byteSize = 7;
            break;
        default:
            s.byteSize = 8;
            break;
    }
    ParityCode parity = ParityCode::None;
    if (tio.c_cflag & PARENB) {
        const bool odd = (tio.c_cflag & PARODD) != 0;
        parity = odd ? ParityCode::Odd : ParityCode::Even;
#ifdef CMSPAR
        if (tio.c_cflag & CMSPAR) parity = odd ? ParityCode::Mark : ParityCode::Space;
#endif
    }
    s.parity = static_cast<std::uint8_t>(parity);
    s.stopBits =
        static_cast<std::uint8_t>((tio.c_cflag & CSTOPB) ? StopBitsCode::Two : StopBitsCode::One);
    return s;
}

rt::Expected<ModemLines> PosixLine::Modem() const {
    if (plug_) return plug_->Lines();
    int bits = 0;
    if (fd_ < 0 || ::ioctl(fd_, TIOCMGET, &bits) != 0)
        return rt::Fail(ErrnoText(fd_ < 0 ? EBADF : errno));
    ModemLines m;
    m.rts = (bits & TIOCM_RTS) != 0;
    m.dtr = (bits & TIOCM_DTR) != 0;
    m.cts = (bits & TIOCM_CTS) != 0;
    m.dsr = (bits & TIOCM_DSR) != 0;
    m.dcd = (bits & TIOCM_CAR) != 0;
    m.ri = (bits & TIOCM_RNG) != 0;
    return m;
}

rt::Expected<> PosixLine::SetModem(bool rts, bool dtr) {
    if (plug_) {
        plug_->SetOutputs(rts, dtr);
        return {};
    }
    int bits = 0;
    if (fd_ < 0 || ::ioctl(fd_, TIOCMGET, &bits) != 0)
        return rt::Fail(ErrnoText(fd_ < 0 ? EBADF : errno));
    bits &= ~(TIOCM_RTS | TIOCM_DTR);
    if (rts) bits |= TIOCM_RTS;
    if (dtr) bits |= TIOCM_DTR;
    if (::ioctl(fd_, TIOCMSET, &bits) != 0) return rt::Fail(ErrnoText(errno));
    return {};
}

rt::Expected<> PosixLine::SetHardwareFlow(bool on) {
    if (plug_) {
        plug_->SetHardwareFlow(on);
        return {};
    }
    termios tio{};
    if (fd_ < 0 || ::tcgetattr(fd_, &tio) != 0) return rt::Fail(ErrnoText(fd_ < 0 ? EBADF : errno));
    if (on)
        tio.c_cflag |= CRTSCTS;
    else
        tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0) return rt::Fail(ErrnoText(errno));
    // tcsetattr succeeds when the driver took any part of the call.
    if (::tcgetattr(fd_, &tio) != 0) return rt::Fail(ErrnoText(errno));
    if (((tio.c_cflag & CRTSCTS) != 0) != on) return rt::Fail(std::string(texts::kFlowNotKept));
    return {};
}

std::optional<ErrorCounters> PosixLine::Counters() const {
#if defined(__linux__) && defined(TIOCGICOUNT)
    serial_icounter_struct count{};
    if (fd_ < 0 || ::ioctl(fd_, TIOCGICOUNT, &count) != 0) return std::nullopt;
    return ErrorCounters{count.parity, count.frame, count.overrun, count.brk, count.buf_overrun};
#else
    return std::nullopt;
#endif
}

void PosixLine::Flush() {
    if (fd_ >= 0) ::tcflush(fd_, TCIOFLUSH);
}

IoResult PosixLine::Read(char* data, std::size_t size) {
    if (fd_ < 0) return {IoResult::Status::Lost, 0, EBADF};
    const ssize_t n = ::read(fd_, data, size);
    // Readable yet nothing to read: the line hung up.
    if (n == 0 && size > 0) return {IoResult::Status::Lost, 0, 0};
    return FromCall(n);
}

IoResult PosixLine::Write(const char* data, std::size_t size) {
    if (fd_ < 0) return {IoResult::Status::Lost, 0, EBADF};
    return FromCall(::write(fd_, data, size));
}

}  // namespace serial
