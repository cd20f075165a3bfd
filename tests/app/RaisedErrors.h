#pragma once
// Catches the runtime errors raised during one test: a generator that keeps
// the raw record's generic code, operation and description, and an error
// block that records them and gives a set answer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/runtime/ErrorSystem.h"

namespace app::testing {

struct RaisedError {
    std::uint32_t genCode;
    std::string operation;
    std::string description;
    bool canSubstitute;
};

class RaisedErrors {
  public:
    explicit RaisedErrors(rt::Usual answer = rt::Usual(false)) : answer_(std::move(answer)) {
        previousGenerator_ = rt::ErrorFunc(&Generate);
        previousBlock_ =
            rt::ErrorBlock(std::make_shared<const rt::CodeBlock>([this](const rt::Usual& error) {
                const auto& fields = *error.AsArray();
                seen_.push_back({static_cast<std::uint32_t>(fields[0].AsLong()), fields[1].AsText(),
                                 fields[2].AsText(), fields[3].AsLogic()});
                return answer_;
            }));
    }
    ~RaisedErrors() {
        rt::ErrorBlock(previousBlock_);
        rt::ErrorFunc(previousGenerator_);
    }
    RaisedErrors(const RaisedErrors&) = delete;
    RaisedErrors& operator=(const RaisedErrors&) = delete;

    const std::vector<RaisedError>& Seen() const { return seen_; }

  private:
    static rt::Usual Generate(const rt::Usual& pointer) {
        const auto* raw = static_cast<const rt::RawError*>(pointer.AsPtr());
        return rt::Usual::ArrayOf(
            {rt::Usual(static_cast<std::int32_t>(raw->Get(rt::RawError::GenCode))),
             rt::Usual(raw->Text(rt::RawError::Operation)),
             rt::Usual(raw->Text(rt::RawError::Description)),
             rt::Usual(raw->Logic(rt::RawError::CanSubstitute))});
    }

    rt::Usual answer_;
    std::vector<RaisedError> seen_;
    rt::CodeBlockRef previousBlock_;
    rt::ErrorGenerator previousGenerator_ = nullptr;
};

}  // namespace app::testing
