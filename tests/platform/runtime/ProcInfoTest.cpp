#include "platform/runtime/ProcInfo.h"

#include <gtest/gtest.h>

#include "platform/runtime/RuntimeState.h"

namespace rt {
namespace {

void Nameless(std::size_t base, int outerLine) {
    RT_ENTER("", "Nameless Module");
    RT_LINE();
    const int innerLine = __LINE__ - 1;
    {
        EXPECT_EQ(ActivationCount(), base + 2);
        EXPECT_EQ(ProcName(0), "");
        EXPECT_EQ(ProcFile(0), "Nameless Module");
        EXPECT_EQ(ProcLine(0), static_cast<std::uint32_t>(innerLine));
        EXPECT_EQ(ProcName(1), "OUTER:RUN");
        EXPECT_EQ(ProcFile(1), "Outer Module");
        EXPECT_EQ(ProcLine(1), static_cast<std::uint32_t>(outerLine));
        EXPECT_EQ(ProcName(base + 2), "");
        EXPECT_EQ(ProcLine(base + 2), 0u);
        EXPECT_EQ(ProcFile(base + 2), "");
    }
}

TEST(ProcInfoTest, LevelsCountOutFromTheInnermostActivation) {
    const auto base = ActivationCount();
    RT_ENTER("OUTER:RUN", "Outer Module");
    RT_LINE();
    Nameless(base, __LINE__ - 1);
    EXPECT_EQ(ActivationCount(), base + 1);
    ASSERT_NE(GetDASPtr(), nullptr);
}

}  // namespace
}  // namespace rt
