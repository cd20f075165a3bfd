#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include <map>
#include <sstream>

#include "DiagTestSupport.h"
#include "diag/ErrorDump.h"
#include "diag/LogFile.h"
#include "errors/Error.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/DateTime.h"
#include "platform/runtime/Directories.h"
#include "platform/runtime/RuntimeState.h"

namespace diag {
namespace {

using testing::ReadFile;
using testing::WriteFile;

// An error object made by hand: its properties by name.
using Properties = std::map<std::string, rt::Usual, std::less<>>;

ErrorPropertyReader Reader(const Properties& properties) {
    return [&properties](std::string_view name) -> std::optional<rt::Usual> {
        const auto it = properties.find(name);
        if (it == properties.end()) return std::nullopt;
        return it->second;
    };
}

Properties SharingError() {
    return {
        {"SubSystem", "/opt/comtest/comtest"},
        {"SubCode", std::int32_t{7}},
        {"GenCode", std::int32_t{21}},
        {"Stack", "WSERIAL:BEGINBUTTON (Line:12)\r\nAPP:START (Line:40)\r\nSTART (Line:3)\r\n"},
        {"OsCode", 32.0},
        {"ArgType", std::int32_t{7}},
        {"FuncPtr", reinterpret_cast<void*>(std::uintptr_t{0x401000})},
        {"ArgNum", std::int32_t{2}},
        {"FuncSym", rt::State().symbols.Add("FOPEN")},
        {"Severity", std::int32_t{2}},
        {"CanDefault", true},
        {"CanRetry", false},
        {"CanSubstitute", false},
        {"Operation", "FOPEN"},
        {"Description", "Sharing violation"},
        {"FileName", "/var/log/x.log"},
        {"Tries", std::int32_t{3}},
        {"FileHandle", std::int32_t{0}},
        {"SubCodeText", ""},
        {"Arg", "abc"},
        {"ArgTypeReq", std::int32_t{1}},
        {"MaxSize", std::int32_t{0}},
        {"SubstituteType", std::int32_t{0}},
        {"CallFuncSym", rt::Symbol{}},
    };
}

Properties AccessViolation() {
    Properties error = SharingError();
    error.erase("Stack");
    error["SubCode"] = std::int32_t{5333};
    error["GenCode"] = std::int32_t{0};
    error["OsCode"] = 3221225477.0;
    error["ArgType"] = std::int32_t{0};
    error["FuncSym"] = std::int32_t{0x12345678};
    return error;
}

// Written by hand from the dump's layout; lines end in CR LF in the file.
constexpr const char* kSharingDump = R"(***********************ERROR********************************
runtime 9.9
01/02/26 10:11:12
 
Error Object created:
--------------------
SubSystem       :/opt/comtest/comtest
SubCode         :7
GenCode         :file cannot be opened
Stack           :'WSERIAL:BEGINBUTTON (Line:12)'
                :'APP:START (Line:40)'
                :'START (Line:3)'
OsCode          :32
ArgType         :STRING
FuncPtr         :0x00401000
ArgNum          :2
FuncSym         :FOPEN
Severity        :2
CanDefault      :TRUE
CanRetry        :FALSE
CanSubstitute   :FALSE
Operation       :FOPEN
Description     :Sharing violation
FileName        :/var/log/x.log
Tries           :3
FileHandle      :0
SubCodeText     :
Arg             :abc
ArgTypeReq      :LONG
MaxSize         :0
SubstituteType  :NIL
CallFuncSym     :
--------------------
)";

constexpr const char* kAccessViolationDump =
    R"(***********************ERROR********************************
runtime 9.9
01/02/26 10:11:12
 
Error Object created:
--------------------
SubSystem       :/opt/comtest/comtest
SubCode         :5333
GenCode         :no error
ExceptionCode   :C0000005
ExceptionFlags  :00000000
ExceptionAddress:00401000
ParamNumber     :2
ExceptionInfo   :12345678
Severity        :2
CanDefault      :TRUE
CanRetry        :FALSE
CanSubstitute   :FALSE
Operation       :FOPEN
Description     :Sharing violation
FileName        :/var/log/x.log
Tries           :3
FileHandle      :0
SubCodeText     :
Arg             :abc
ArgTypeReq      :LONG
MaxSize         :0
SubstituteType  :NIL
CallFuncSym     :
--------------------
)";

const DumpStamp kStamp{"runtime 9.9", "01/02/26", "10:11:12"};

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

TEST(ErrorDumpTest, LinesFollowTheLayout) {
    const Properties sharing = SharingError();
    EXPECT_EQ(Joined(ErrorDumpLines(Reader(sharing), kStamp)), kSharingDump);
    const Properties violation = AccessViolation();
    EXPECT_EQ(Joined(ErrorDumpLines(Reader(violation), kStamp)), kAccessViolationDump);
}

TEST(ErrorDumpTest, StackListingEndsAtTheTextsEndOrAnEmptyLine) {
    struct Case {
        std::optional<std::string> stack;  // nothing: the object has no Stack
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {std::nullopt, {}},
        {"", {}},
        {"A (Line:1)", {"Stack           :'A (Line:1)'"}},
        {"A\r\nB", {"Stack           :'A'", "                :'B'"}},
        {"A\r\nB\r\n", {"Stack           :'A'", "                :'B'"}},
        {"A\r\n\r\nB\r\n", {"Stack           :'A'"}},
        {"\r\nA", {}},
        {"A\rB\nC", {"Stack           :'A\rB\nC'"}},
    };
    for (const auto& c : cases) {
        Properties error = SharingError();
        if (c.stack)
            error["Stack"] = *c.stack;
        else
            error.erase("Stack");
        const auto lines = ErrorDumpLines(Reader(error), kStamp);
        // The stack lines stand between GenCode and OsCode.
        const std::vector<std::string> stackLines(lines.begin() + 9, lines.end() - 21);
        EXPECT_EQ(stackLines, c.lines) << (c.stack ? *c.stack : "no Stack");
    }
}

class DumpErrorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = QDir::toNativeSeparators(dir_.filePath("dump.log")).toStdString();
    }
    QTemporaryDir dir_;
    std::string path_;
};

TEST_F(DumpErrorTest, DumpGoesToTheFileEvenWhenMessagesGoToTheDebugger) {
    WriteFile(path_, "before\r\n");
    LogFile log(path_);
    log.SetLog2File(false);
    const Properties violation = AccessViolation();
    EXPECT_EQ(&log.DumpError(Reader(violation)), &log);

    std::istringstream written(ReadFile(path_));
    std::vector<std::string> lines;
    for (std::string line; std::getline(written, line);) {
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.back(), '\r');
        line.pop_back();
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 1u + 30u);
    EXPECT_EQ(lines[0], "before");
    EXPECT_EQ(lines[2], rt::Version());
    EXPECT_EQ(lines[3].rfind(rt::DToC(rt::Today()) + " ", 0), 0u) << lines[3];
    // From the fourth line on, the dump is the hand-written one.
    std::istringstream expected(kAccessViolationDump);
    std::vector<std::string> expectedLines;
    for (std::string line; std::getline(expected, line);) expectedLines.push_back(line);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 4, lines.end()),
              std::vector<std::string>(expectedLines.begin() + 3, expectedLines.end()));
}

TEST_F(DumpErrorTest, ErrorObjectIsDumpedFieldByField) {
    const auto error = errors::Error::New();
    ASSERT_NE(error, nullptr);
    error->SubCode = 5333;
    error->OsCode = 3221225477u;
    error->FuncPtr = reinterpret_cast<void*>(std::uintptr_t{0x401000});
    error->ArgNum = 2;
    error->FuncSym = rt::Symbol{0x1234};
    error->CanRetry = true;
    error->Stack = "A (Line:1)\r\nB (Line:2)\r\n";
    LogFile log(path_);
    log.DumpError(*error);
    const std::string content = ReadFile(path_);
    const std::string expected[] = {
        "\r\nSubSystem       :" + rt::ExecName() + "\r\nSubCode         :5333\r\n",
        "\r\nStack           :'A (Line:1)'\r\n                :'B (Line:2)'\r\n"
        "ExceptionCode   :C0000005\r\nExceptionFlags  :00000000\r\n"
        "ExceptionAddress:00401000\r\nParamNumber     :2\r\nExceptionInfo   :00001234\r\n"
        "Severity        :0\r\nCanDefault      :FALSE\r\nCanRetry        :TRUE\r\n",
    };
    for (const auto& piece : expected) EXPECT_NE(content.find(piece), std::string::npos) << piece;
}

}  // namespace
}  // namespace diag
