#include "platform/runtime/AtomTableReader.h"

#include <cstring>

namespace rt {
namespace {

constexpr unsigned char kMagic[AtomTableReader::kMagicSize] = {'A', 'T', 'O', 'M', 'T', 'A',
                                                               'B', 'L', 'E', 0,   0,   0};

}  // namespace

AtomTableReader::AtomTableReader(const unsigned char* data, std::size_t size)
    : data_(data), size_(size) {
    if (data_ == nullptr) {
        fault_ = AtomTableFault::Missing;
    } else if (size_ < kMagicSize || std::memcmp(data_, kMagic, kMagicSize) != 0) {
        fault_ = AtomTableFault::BadMagic;
    }
}

bool AtomTableReader::Next(std::string_view& name) {
    if (fault_ != AtomTableFault::None || ended_) return false;
    if (size_ - offset_ < 4) {
        fault_ = AtomTableFault::Truncated;
        return false;
    }
    const std::uint32_t length = static_cast<std::uint32_t>(data_[offset_]) |
                                 static_cast<std::uint32_t>(data_[offset_ + 1]) << 8 |
                                 static_cast<std::uint32_t>(data_[offset_ + 2]) << 16 |
                                 static_cast<std::uint32_t>(data_[offset_ + 3]) << 24;
    if (length == 0) {
        ended_ = true;
        return false;
    }
    // Compared as a difference so that a huge length cannot wrap the sum.
    if (length > size_ - offset_ - 4) {
        fault_ = AtomTableFault::Overlong;
        return false;
    }
    const auto* text = reinterpret_cast<const char*>(data_ + offset_ + 4);
    if (length == 1 || text[length - 1] != '\0' || std::memchr(text, '\0', length - 1) != nullptr) {
        fault_ = AtomTableFault::BadEntry;
        return false;
    }
    name = std::string_view(text, length - 1);
    offset_ += 4 + length;
    return true;
}

}  // namespace rt
