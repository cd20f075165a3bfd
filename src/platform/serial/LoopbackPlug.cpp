#include "platform/serial/LoopbackPlug.h"

namespace serial {

void LoopbackPlug::Keep(const LineSettings& requested) {
    const std::lock_guard lock(mutex_);
    parity_ = requested.parity;
    byteSize_ = requested.byteSize;
    stopBits_ = requested.stopBits;
}

LineSettings LoopbackPlug::Kept(LineSettings fromDevice) const {
    const std::lock_guard lock(mutex_);
    fromDevice.parity = parity_;
    fromDevice.byteSize = byteSize_;
    fromDevice.stopBits = stopBits_;
    return fromDevice;
}

void LoopbackPlug::Carry(char* bytes, std::size_t size) const {
    std::uint8_t byteSize = 8;
    {
        const std::lock_guard lock(mutex_);
        byteSize = byteSize_;
    }
    if (byteSize >= 8) return;
    const auto mask = static_cast<unsigned char>((1u << byteSize) - 1u);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) & mask);
}

void LoopbackPlug::SetOutputs(bool rts, bool dtr) {
    const std::lock_guard lock(mutex_);
    rts_ = rts;
    dtr_ = dtr;
}

ModemLines LoopbackPlug::Lines() const {
    const std::lock_guard lock(mutex_);
    ModemLines m;
    m.rts = m.cts = rts_;
    m.dtr = m.dsr = m.dcd = dtr_;
    m.ri = false;
    return m;
}

void LoopbackPlug::SetHardwareFlow(bool on) {
    const std::lock_guard lock(mutex_);
    flow_ = on;
}

bool LoopbackPlug::HardwareFlow() const {
    const std::lock_guard lock(mutex_);
    return flow_;
}

bool LoopbackPlug::Holds() const {
    const std::lock_guard lock(mutex_);
    return flow_ && !rts_;
}

}  // namespace serial
