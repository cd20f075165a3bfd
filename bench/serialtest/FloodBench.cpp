// Flood benchmark of the receive pane. For each of three payloads the far end
// of a pseudo-terminal writes 4 MiB as fast as the line takes it into a
// SerialMLE running in a real event loop, while a 10 ms timer measures how
// late the loop runs and a key (F5, which has no local echo) is pressed every
// 20 ms. Prints per payload: MiB/s until the pane shows the last byte, CPU
// seconds per MiB, peak RSS and its growth, the longest stall, the worst key
// lateness (key press to its byte at the far end) and whether the pane's
// final text is the tail of the expected rendering; then whether each target
// is met. Exit status 0 when every target is met. Arguments (text, random,
// control) run only the payloads named.

#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "FloodWriter.h"
#include "platform/serial/PortMap.h"
#include "serialtest/PaneConstants.h"
#include "serialtest/ReceiveRenderer.h"
#include "serialtest/SerialMLE.h"

namespace {

constexpr std::size_t kPayloadSize = 4u << 20;
constexpr double kMiB = 1024.0 * 1024.0;
constexpr int kTickMs = 10;
constexpr int kTicksPerKey = 2;
constexpr long long kTimeoutNanos = 60'000'000'000LL;

// Targets on a 2-core machine.
constexpr double kMinMiBPerSecond = 10.0;
constexpr double kMaxCpuPerMiB = 0.08;
constexpr double kMaxStallMs = 50.0;
constexpr double kMaxKeyLatenessMs = 50.0;
constexpr double kMaxRssGrowthMiB = 20.0;

struct Payload {
    const char* key;  // the name that selects it on the command line
    const char* name;
    std::string bytes;
};

// Lines of printable ASCII of random length, each ended by CR LF.
std::string PrintableText() {
    std::mt19937 random(1);
    std::string s;
    s.reserve(kPayloadSize);
    while (s.size() < kPayloadSize) {
        const std::size_t length = 10 + random() % 80;
        for (std::size_t i = 0; i < length; ++i) s.push_back(static_cast<char>(32 + random() % 95));
        s += "\r\n";
    }
    s.resize(kPayloadSize);
    return s;
}

std::string RandomBytes(unsigned seed, unsigned modulo) {
    std::mt19937 random(seed);
    std::string s(kPayloadSize, '\0');
    for (char& c : s) c = static_cast<char>(random() % modulo);
    return s;
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& tv) { return tv.tv_sec + tv.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double RssMiB() {
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / kMiB;
}

struct Result {
    bool finished = false;
    bool correct = false;
    bool echoFree = true;
    double mibPerSecond = 0;
    double cpuPerMiB = 0;
    double peakRssMiB = 0;
    double rssGrowthMiB = 0;
    double maxStallMs = 0;
    double maxKeyLatenessMs = 0;
    std::size_t keysPressed = 0;
    std::size_t keysArrived = 0;
};

Result RunFlood(const Payload& payload) {
    Result result;
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("pseudo-terminal");
        return result;
    }
    serial::PortMap map;
    if (const auto added = map.AddMapping(std::string("Com1=") + ptsname(master)); !added) {
        std::fprintf(stderr, "%s\n", added.Error().c_str());
        return result;
    }
    serial::PortMap::Install(std::move(map));

    serialtest::SerialMLE pane;
    pane.View()->resize(650, 140);  // the test window's pane at 96 DPI
    pane.View()->show();
    pane.SetFont("Courier New", 10, true);
    serial::Serial* port = pane.Device();
    if (!port->Open("Com1")) return result;
    port->SetBaud(19200);
    port->SetParity(0);
    port->SetByteSize(8);
    port->SetStopBits(0);
    if (!port->SetProtocol()) std::fprintf(stderr, "SetProtocol: %s\n", port->ErrorDesc().c_str());
    pane.SetValue("");
    pane.SetFocus();
    port->EnableEvents(serial::EV_RXCHAR);
    QCoreApplication::processEvents();

    const std::u16string rendered = serialtest::ReceiveRenderer::Render(payload.bytes);
    const std::size_t keep = std::min(rendered.size(), serialtest::kPaneTextCap);
    const QString expected =
        QString::fromUtf16(rendered.data() + rendered.size() - keep, static_cast<qsizetype>(keep));

    const double rss0 = RssMiB();
    const double cpu0 = CpuSeconds();
    const long long t0 = bench::MonotonicNanos();
    double peakRss = rss0;
    long long lastTick = t0;
    long long doneAt = 0;
    int ticks = 0;
    std::vector<long long> keyTimes;

    bench::FloodWriter writer(master, payload.bytes);
    if (!writer.Started()) return result;

    QEventLoop loop;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(kTickMs);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const long long now = bench::MonotonicNanos();
        const double late = (now - lastTick) / 1e6 - kTickMs;
        result.maxStallMs = std::max(result.maxStallMs, late);
        lastTick = now;
        peakRss = std::max(peakRss, RssMiB());
        if (++ticks % kTicksPerKey == 0) {
            keyTimes.push_back(bench::MonotonicNanos());
            QCoreApplication::postEvent(
                pane.View(), new QKeyEvent(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier));
        }
        if (writer.PayloadWritten() && pane.Value() == expected) {
            doneAt = now;
            loop.quit();
        } else if (now - t0 > kTimeoutNanos) {
            loop.quit();
        }
    });
    tick.start();
    loop.exec();
    tick.stop();
    const double cpu1 = CpuSeconds();

    // Let the keys pressed last reach the far end before it stops.
    QEventLoop settle;
    QTimer::singleShot(200, &settle, &QEventLoop::quit);
    settle.exec();
    const auto arrivals = writer.Finish();
    port->Close();
    ::close(master);

    result.finished = doneAt != 0;
    result.correct = pane.Value() == expected;
    const double seconds = ((doneAt ? doneAt : bench::MonotonicNanos()) - t0) / 1e9;
    const double mib = static_cast<double>(payload.bytes.size()) / kMiB;
    result.mibPerSecond = mib / seconds;
    result.cpuPerMiB = (cpu1 - cpu0) / mib;
    result.peakRssMiB = peakRss;
    result.rssGrowthMiB = peakRss - rss0;
    result.keysPressed = keyTimes.size();
    for (const auto& a : arrivals) {
        // F5's one byte is all the pane may ever write here.
        if (a.byte != 0x74) result.echoFree = false;
    }
    result.keysArrived = arrivals.size();
    for (std::size_t i = 0; i < keyTimes.size(); ++i) {
        const double late = i < arrivals.size() ? (arrivals[i].nanos - keyTimes[i]) / 1e6 : 1e9;
        result.maxKeyLatenessMs = std::max(result.maxKeyLatenessMs, late);
    }
    return result;
}

const char* Verdict(bool met) {
    return met ? "met" : "MISSED";
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const Payload payloads[] = {
        {"text", "printable text, CR LF", PrintableText()},
        {"random", "random bytes", RandomBytes(2, 256)},
        {"control", "control bytes 0..31", RandomBytes(3, 32)},
    };
    // Arguments, if any, pick payloads by key: flood_bench control
    const QStringList picked = app.arguments().mid(1);
    bool allMet = true;
    std::printf("Flood of %zu MiB per payload into the receive pane (text cap %zu)\n",
                kPayloadSize >> 20, serialtest::kPaneTextCap);
    for (const auto& payload : payloads) {
        if (!picked.isEmpty() && !picked.contains(QLatin1String(payload.key))) continue;
        const Result r = RunFlood(payload);
        const bool correct = r.finished && r.correct && r.echoFree;
        const bool rate = r.mibPerSecond >= kMinMiBPerSecond;
        const bool cpu = r.cpuPerMiB <= kMaxCpuPerMiB;
        const bool stall = r.maxStallMs < kMaxStallMs;
        const bool keys = r.keysPressed > 0 && r.keysArrived == r.keysPressed &&
                          r.maxKeyLatenessMs < kMaxKeyLatenessMs;
        const bool rss = r.rssGrowthMiB < kMaxRssGrowthMiB;
        std::printf("\n%s\n", payload.name);
        std::printf("  final text correct   %-5s  %s\n", correct ? "yes" : "no", Verdict(correct));
        std::printf("  throughput           %7.2f MiB/s       (>= %.0f)   %s\n", r.mibPerSecond,
                    kMinMiBPerSecond, Verdict(rate));
        std::printf("  CPU                  %7.4f s/MiB       (<= %.2f) %s\n", r.cpuPerMiB,
                    kMaxCpuPerMiB, Verdict(cpu));
        std::printf("  longest stall        %7.2f ms          (< %.0f)    %s\n", r.maxStallMs,
                    kMaxStallMs, Verdict(stall));
        std::printf("  key lateness (max)   %7.2f ms, %zu/%zu keys (< %.0f)    %s\n",
                    r.maxKeyLatenessMs, r.keysArrived, r.keysPressed, kMaxKeyLatenessMs,
                    Verdict(keys));
        std::printf("  RSS peak / growth    %7.2f / %.2f MiB (< %.0f)    %s\n", r.peakRssMiB,
                    r.rssGrowthMiB, kMaxRssGrowthMiB, Verdict(rss));
        allMet = allMet && correct && rate && cpu && stall && keys && rss;
    }
    std::printf("\n%s\n", allMet ? "All targets met." : "Some targets missed.");
    return allMet ? 0 : 1;
}
