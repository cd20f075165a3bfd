#include "errors/ErrorSysInit.h"

#include <gtest/gtest.h>

#include "errors/DefErrorGen.h"
#include "errors/SetInternational.h"
#include "platform/runtime/ErrorSystem.h"
#include "platform/runtime/RuntimeState.h"

namespace errors {
namespace {

class ErrorSysInitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto& state = rt::State().errors;
        block_ = state.errorBlock;
        generator_ = state.generator;
        messageBox_ = state.messageBox;
        rtCount_ = state.rtCount;
    }
    void TearDown() override {
        auto& state = rt::State().errors;
        state.errorBlock = block_;
        state.generator = generator_;
        state.messageBox = messageBox_;
        state.rtCount = rtCount_;
    }

  private:
    rt::CodeBlockRef block_;
    rt::ErrorGenerator generator_ = nullptr;
    rt::MessageBoxSeam messageBox_;
    std::uint32_t rtCount_ = 1;
};

rt::Usual Mode(const char* name) {
    return rt::Usual(rt::State().symbols.Add(name));
}

TEST_F(ErrorSysInitTest, InstallsTheHandlerOnceAndASecondRunChangesNothing) {
    const auto previousMode = SetInternational(Mode("LEGACY"));
    rt::ErrorBlock(nullptr);
    rt::State().errors.messageBox = nullptr;
    ErrorSysInit();
    const auto installed = rt::ErrorBlock();
    ASSERT_TRUE(installed);
    EXPECT_TRUE(rt::State().errors.messageBox);
    EXPECT_EQ(SetInternational(), Mode("WINDOWS").AsSymbol()) << "the user's settings apply";

    // The installed block is DefError: a sharing conflict only sets the flag.
    rt::NetErr(false);
    rt::RawError raw;
    raw.Set(rt::RawError::GenCode, 21);
    raw.Set(rt::RawError::OsCode, 32);
    raw.SetLogic(rt::RawError::CanDefault, true);
    const auto previousGenerator = rt::ErrorFunc(DefErrorGen);
    EXPECT_EQ(rt::Raise(raw), rt::Usual(false));
    EXPECT_TRUE(rt::NetErr());
    rt::NetErr(false);
    rt::ErrorFunc(previousGenerator);

    // With a block installed (here its own) nothing is touched.
    SetInternational(Mode("LEGACY"));
    rt::State().errors.messageBox = nullptr;
    ErrorSysInit();
    EXPECT_EQ(rt::ErrorBlock(), installed);
    EXPECT_FALSE(rt::State().errors.messageBox) << "second run installed the dialog again";
    EXPECT_EQ(SetInternational(), Mode("LEGACY").AsSymbol()) << "second run changed the settings";
    SetInternational(rt::Usual(previousMode));
}

TEST_F(ErrorSysInitTest, GeneratorIsInstalledOnlyForASingleProgram) {
    struct Case {
        std::uint32_t count;
        bool installed;
    };
    for (const auto c : {Case{1, true}, Case{2, false}, Case{0, false}}) {
        rt::ErrorFunc(nullptr);
        rt::State().errors.rtCount = c.count;
        ErrorGenInit();
        EXPECT_EQ(rt::State().errors.generator == DefErrorGen, c.installed) << c.count;
    }
}

}  // namespace
}  // namespace errors
