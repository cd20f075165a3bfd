// The raw error record as the error generator reads it: an arbitrary
// 100-byte record, arbitrary memory behind its addresses and arbitrary
// ArgBlock counts, turned into an error object.
//
// Input: 100 bytes of record, one steering byte, then the memory. Random
// addresses almost never land in the memory, so each set bit of the
// steering byte points one address field (Args and the texts) into it at
// an offset taken from the field's own value; the counts of an ArgBlock so
// found stay arbitrary. Any broken invariant traps.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "errors/DefErrorGen.h"
#include "errors/Error.h"
#include "platform/runtime/RawError.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

constexpr rt::RawError::Field kAddressFields[] = {
    rt::RawError::Args,     rt::RawError::Operation,   rt::RawError::Description,
    rt::RawError::FileName, rt::RawError::SubCodeText, rt::RawError::Arg,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t recordSize = std::min(size, rt::RawError::kSize);
    const std::uint8_t steer = size > rt::RawError::kSize ? data[rt::RawError::kSize] : 0;
    std::vector<std::uint8_t> memory;
    if (size > rt::RawError::kSize + 1) memory.assign(data + rt::RawError::kSize + 1, data + size);

    rt::RawError raw = rt::RawError::FromBytes(std::span(data, recordSize), memory);
    for (std::size_t i = 0; i < std::size(kAddressFields); ++i) {
        if ((steer >> i & 1) == 0) continue;
        const auto field = kAddressFields[i];
        const std::uint32_t offset = raw.Get(field) % static_cast<std::uint32_t>(memory.size() + 8);
        raw.Set(field, rt::RawError::kMemoryBase + offset);
    }

    // The record's own reading.
    std::size_t cells = 0;
    if (raw.HasArgBlock()) {
        const std::size_t at = raw.Get(rt::RawError::Args) - rt::RawError::kMemoryBase;
        Check(at + 4 <= memory.size());
        const std::size_t count1 = memory[at] | memory[at + 1] << 8;
        const std::size_t count2 = memory[at + 2] | memory[at + 3] << 8;
        cells =
            std::min(std::max(count1, count2), (memory.size() - at - 4) / rt::RawError::kCellSize);
    }
    const rt::Array args = raw.ArgValues();
    Check(args.size() == cells);
    for (const auto field : kAddressFields) {
        const std::string text = raw.Text(field);
        Check(text.size() <= memory.size());
        Check(text.find('\0') == std::string::npos);
    }

    // The generator's reading into an error object.
    const rt::Usual made = errors::DefErrorGen(rt::Usual(static_cast<void*>(&raw)));
    const auto error = errors::AsError(made);
    Check(error != nullptr);
    Check(error->SubCode == raw.Get(rt::RawError::SubCode));
    Check(error->GenCode == raw.Get(rt::RawError::GenCode));
    Check(error->Description == raw.Text(rt::RawError::Description));
    Check(error->FileName == raw.Text(rt::RawError::FileName));
    Check(error->Args != nullptr && error->Args->size() == cells);
    return 0;
}
