#pragma once
// Records the runtime errors raised while it lives: its error block keeps
// each error's generic code and answers `answer` (FALSE: take the default).
// The error block and generator in place before are put back afterwards.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/runtime/ErrorSystem.h"
#include "platform/runtime/RawError.h"

namespace testsupport {

class RecordedErrors {
  public:
    explicit RecordedErrors(rt::Usual answer = rt::Usual(false)) : answer_(std::move(answer)) {
        previousGenerator_ = rt::ErrorFunc([](const rt::Usual& raw) {
            const auto* record = static_cast<const rt::RawError*>(raw.AsPtr());
            return rt::Usual(static_cast<std::int32_t>(record->Get(rt::RawError::GenCode)));
        });
        previousBlock_ =
            rt::ErrorBlock(std::make_shared<const rt::CodeBlock>([this](const rt::Usual& error) {
                codes_.push_back(static_cast<std::uint32_t>(error.AsLong()));
                return answer_;
            }));
    }
    ~RecordedErrors() {
        rt::ErrorBlock(previousBlock_);
        rt::ErrorFunc(previousGenerator_);
    }
    RecordedErrors(const RecordedErrors&) = delete;
    RecordedErrors& operator=(const RecordedErrors&) = delete;

    // Generic codes of the errors raised so far, in order.
    const std::vector<std::uint32_t>& GenCodes() const { return codes_; }
    void Clear() { codes_.clear(); }

  private:
    rt::Usual answer_;
    std::vector<std::uint32_t> codes_;
    rt::CodeBlockRef previousBlock_;
    rt::ErrorGenerator previousGenerator_ = nullptr;
};

}  // namespace testsupport
