#include "platform/runtime/RawError.h"

#include <algorithm>
#include <cstring>

namespace rt {
namespace {

void PutU32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetU32(const std::uint8_t* at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return value;
}

}  // namespace

RawError RawError::FromBytes(std::span<const std::uint8_t> record,
                             std::vector<std::uint8_t> memory) {
    RawError raw;
    std::copy_n(record.begin(), std::min(record.size(), kSize), raw.bytes_.begin());
    raw.memory_ = std::move(memory);
    return raw;
}

void RawError::Clear() {
    bytes_.fill(0);
    memory_.clear();
}

std::uint32_t RawError::Get(Field field) const {
    return GetU32(bytes_.data() + field);
}

void RawError::Set(Field field, std::uint32_t value) {
    PutU32(bytes_.data() + field, value);
}

std::uint32_t RawError::Store(std::span<const std::uint8_t> data) {
    const auto address = kMemoryBase + static_cast<std::uint32_t>(memory_.size());
    memory_.insert(memory_.end(), data.begin(), data.end());
    return address;
}

std::uint32_t RawError::StoreText(std::string_view text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return Store(bytes);
}

void RawError::SetText(Field field, std::string_view text) {
    Set(field, text.empty() ? 0 : StoreText(text));
}

bool RawError::Resolve(std::uint32_t address, std::size_t& offset) const {
    if (address < kMemoryBase) return false;
    offset = address - kMemoryBase;
    return offset < memory_.size();
}

std::uint32_t RawError::ReadU32(std::size_t offset) const {
    if (offset + 4 > memory_.size()) return 0;
    return GetU32(memory_.data() + offset);
}

std::string RawError::Text(Field field) const {
    std::size_t offset = 0;
    if (!Resolve(Get(field), offset)) return {};
    const auto begin = memory_.begin() + static_cast<std::ptrdiff_t>(offset);
    const auto end = std::find(begin, memory_.end(), std::uint8_t{0});
    return std::string(begin, end);
}

std::vector<std::uint8_t> RawError::CellOf(const Usual& value) {
    std::uint32_t type = static_cast<std::uint32_t>(value.Type());
    std::uint32_t content = 0;
    switch (value.Type()) {
        case UsualType::Long:
            content = static_cast<std::uint32_t>(value.AsLong());
            break;
        case UsualType::Logic:
            content = value.AsLogic() ? 1 : 0;
            break;
        case UsualType::Date:
            content = static_cast<std::uint32_t>(value.AsDate().julian);
            break;
        case UsualType::Symbol:
            content = value.AsSymbol().number;
            break;
        case UsualType::Ptr:
            content = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(value.AsPtr()));
            break;
        case UsualType::String:
            content = StoreText(value.AsText());
            break;
        case UsualType::Float: {
            std::uint8_t bits[8];
            const double v = value.AsFloat();
            std::memcpy(bits, &v, sizeof bits);
            content = Store(bits);
            break;
        }
        case UsualType::Nil:
        case UsualType::Array:
        case UsualType::Object:
            type = static_cast<std::uint32_t>(UsualType::Nil);
            break;
    }
    std::vector<std::uint8_t> cell(kCellSize);
    PutU32(cell.data(), type);
    PutU32(cell.data() + 4, content);
    return cell;
}

void RawError::SetArgBlock(std::uint16_t count1, std::uint16_t count2, const Array& cells) {
    // Texts and floats of the cells go into the memory first, so that the
    // block itself stays one contiguous run.
    std::vector<std::uint8_t> block(4);
    block[0] = static_cast<std::uint8_t>(count1);
    block[1] = static_cast<std::uint8_t>(count1 >> 8);
    block[2] = static_cast<std::uint8_t>(count2);
    block[3] = static_cast<std::uint8_t>(count2 >> 8);
    for (const auto& value : cells) {
        const auto cell = CellOf(value);
        block.insert(block.end(), cell.begin(), cell.end());
    }
    Set(Args, Store(block));
}

void RawError::SetArgs(const Array& values) {
    const auto count = static_cast<std::uint16_t>(std::min<std::size_t>(values.size(), 0xFFFF));
    SetArgBlock(count, count, Array(values.begin(), values.begin() + count));
}

bool RawError::HasArgBlock() const {
    std::size_t offset = 0;
    return Resolve(Get(Args), offset) && offset + 4 <= memory_.size();
}

Usual RawError::ValueOfCell(std::size_t offset) const {
    const auto type = static_cast<UsualType>(ReadU32(offset));
    const auto content = ReadU32(offset + 4);
    switch (type) {
        case UsualType::Long:
            return Usual(static_cast<std::int32_t>(content));
        case UsualType::Logic:
            return Usual(content != 0);
        case UsualType::Date:
            return Usual(Date{static_cast<std::int32_t>(content)});
        case UsualType::Symbol:
            return Usual(Symbol{content});
        case UsualType::Ptr:
            return Usual(reinterpret_cast<void*>(static_cast<std::uintptr_t>(content)));
        case UsualType::String: {
            std::size_t at = 0;
            if (!Resolve(content, at)) return Usual(std::string());
            const auto begin = memory_.begin() + static_cast<std::ptrdiff_t>(at);
            return Usual(std::string(begin, std::find(begin, memory_.end(), std::uint8_t{0})));
        }
        case UsualType::Float: {
            std::size_t at = 0;
            if (!Resolve(content, at) || at + 8 > memory_.size()) return Usual(0.0);
            double v = 0;
            std::memcpy(&v, memory_.data() + at, sizeof v);
            return Usual(v);
        }
        default:
            return NIL;
    }
}

Array RawError::ArgValues() const {
    std::size_t offset = 0;
    if (!Resolve(Get(Args), offset) || offset + 4 > memory_.size()) return {};
    const std::size_t count1 = memory_[offset] | (memory_[offset + 1] << 8);
    const std::size_t count2 = memory_[offset + 2] | (memory_[offset + 3] << 8);
    const std::size_t available = (memory_.size() - offset - 4) / kCellSize;
    const std::size_t count = std::min(std::max(count1, count2), available);
    Array values;
    values.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        values.push_back(ValueOfCell(offset + 4 + i * kCellSize));
    return values;
}

}  // namespace rt
