#include "check/SettingsPlan.h"

#include <gtest/gtest.h>

#include "check/LineCheck.h"

namespace check {
namespace {

const SweepTables kTables{
    {300, 9600, 19200}, {{"Even", 2}, {"None", 0}, {"Odd", 1}}, {7, 8}, {0, 2}};

std::vector<std::string> Texts(const std::vector<serial::LineSettings>& plan) {
    std::vector<std::string> out;
    for (const auto& s : plan) out.push_back(SettingsText(s));
    return out;
}

struct PlanCase {
    const char* name;
    CheckOptions options;
    std::vector<std::string> expected;
};

class SettingsPlanTest : public ::testing::TestWithParam<PlanCase> {};

TEST_P(SettingsPlanTest, Plans) {
    EXPECT_EQ(Texts(PlanSettings(GetParam().options, kTables)), GetParam().expected);
}

CheckOptions With(std::vector<std::uint32_t> bauds, std::vector<std::uint8_t> parities,
                  std::vector<std::uint8_t> dataBits = {}, std::vector<std::uint8_t> stop = {}) {
    CheckOptions o;
    o.bauds = std::move(bauds);
    o.parities = std::move(parities);
    o.dataBits = std::move(dataBits);
    o.stopBits = std::move(stop);
    return o;
}

INSTANTIATE_TEST_SUITE_P(Runs, SettingsPlanTest,
                         ::testing::Values(
                             // Every rate at 8N1, then each other choice at 9600, 9600 8N1 once.
                             PlanCase{"Default",
                                      {},
                                      {"300 8N1", "9600 8N1", "19200 8N1", "9600 8E1", "9600 8O1",
                                       "9600 7N1", "9600 8N2"}},
                             PlanCase{"AnyRate", With({115200}, {}), {"115200 8N1"}},
                             PlanCase{"OneParity", With({}, {3}), {"9600 8M1"}},
                             PlanCase{"Combinations",
                                      With({1200, 2400}, {0, 2}, {7}, {2}),
                                      {"1200 7N2", "1200 7E2", "2400 7N2", "2400 7E2"}}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace check
