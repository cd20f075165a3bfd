#pragma once
// A clean error system for one test: DefError as the error block,
// DefErrorGen as the generator, the runtime's working directory in a scratch
// folder, and a scripted error dialog that records what it was shown and
// answers from a queue (Default when the queue is empty). Everything is put back afterwards.

#include <gtest/gtest.h>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "errors/DefError.h"
#include "errors/DefErrorGen.h"
#include "errors/ErrorDialog.h"
#include "platform/runtime/Directories.h"
#include "platform/runtime/ErrorSystem.h"
#include "platform/runtime/RuntimeState.h"

namespace errors::testing {

struct ShownDialog {
    std::string text;
    std::string caption;
    rt::ErrorChoices choices;
};

class ErrorSystemFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.isValid());
        auto& state = rt::State().errors;
        saved_ = SavedState{state.errorBlock, state.generator,
                            state.messageBox, state.tone,
                            state.beep,       state.errorLog,
                            state.netErr,     rt::SetWorkDir(scratch_.path().toStdString())};
        rt::ErrorBlock(std::make_shared<const rt::CodeBlock>(
            [](const rt::Usual& error) { return DefError(error); }));
        rt::ErrorFunc(DefErrorGen);
        state.messageBox = [this](const std::string& text, const std::string& caption,
                                  const rt::ErrorChoices& choices) {
            shown_.push_back({text, caption, choices});
            // Unscripted dialogs carry on, so a test never ends the process
            // by accident.
            if (answers_.empty()) return rt::ErrorAnswer::Default;
            const auto answer = answers_.front();
            answers_.pop_front();
            return answer;
        };
        state.tone = [this](std::uint32_t hz, std::uint32_t d) { tones_.emplace_back(hz, d); };
        state.beep = true;
        state.errorLog = true;
        state.netErr = false;
    }

    void TearDown() override {
        auto& state = rt::State().errors;
        state.errorBlock = saved_.block;
        state.generator = saved_.generator;
        state.messageBox = saved_.messageBox;
        state.tone = saved_.tone;
        state.beep = saved_.beep;
        state.errorLog = saved_.errorLog;
        state.netErr = saved_.netErr;
        rt::SetWorkDir(saved_.workDir);
    }

    std::string LogPath() const { return scratch_.path().toStdString() + "/KXERROR.LOG"; }

    QTemporaryDir scratch_;
    std::deque<rt::ErrorAnswer> answers_;
    std::vector<ShownDialog> shown_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> tones_;

  private:
    struct SavedState {
        rt::CodeBlockRef block;
        rt::ErrorGenerator generator;
        rt::MessageBoxSeam messageBox;
        rt::ToneSeam tone;
        bool beep, errorLog, netErr;
        std::string workDir;
    };
    SavedState saved_;
};

// Answers the next error dialog that appears: once it is up (the event loop
// is polled, never slept on), `text` receives its report and `pick` chooses
// the button to press. Gives up after a bounded number of polls.
void AnswerNextErrorDialog(std::function<QPushButton*(ErrorDialog&)> pick,
                           std::string* text = nullptr);

// The bytes of a file; empty when it cannot be read.
std::string ReadFile(const std::string& path);

}  // namespace errors::testing
