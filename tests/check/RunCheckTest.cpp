#include "check/RunCheck.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "PtyPair.h"

namespace check {
namespace {

using serial::testing::ScopedPortMap;

std::string Contents(std::FILE* f) {
    std::rewind(f);
    std::string text;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, f)) text.append(buffer, n);
    return text;
}

struct Run {
    int code;
    std::string out;
    std::string err;
};

Run RunWith(const CheckOptions& options) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Run r{RunCheck(options, {}, out, err), Contents(out), Contents(err)};
    std::fclose(out);
    std::fclose(err);
    return r;
}

TEST(RunCheckTest, PortsThatCannotBeCheckedEndWith255AndTheReason) {
    ScopedPortMap map(std::vector<std::pair<std::string, std::string>>{{"Com1", "/nonexistent/tty"},
                                                                       {"Com2", "loop"}});
    struct Case {
        std::string port;
        std::optional<std::string> to;
        std::string reason;
    };
    const Case cases[] = {
        {"Com1", std::nullopt, "Com1: No such file or directory"},
        {"Com2", "com2", "--to names the port being checked"},
        {"Com2", "Com1", "Com1: No such file or directory"},
        {"Nowhere", std::nullopt, "Nowhere: the name maps to no device"},
    };
    for (const auto& c : cases) {
        CheckOptions options;
        options.port = c.port;
        options.to = c.to;
        const auto run = RunWith(options);
        EXPECT_EQ(run.code, kExitUsage) << c.reason;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

}  // namespace
}  // namespace check
