#include "errors/ErrorLog.h"

#include <gtest/gtest.h>

#include <QDir>
#include <fstream>

#include "ErrorTestSupport.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/DateTime.h"
#include "platform/runtime/Directories.h"
#include "platform/runtime/Files.h"

namespace errors {
namespace {

using testing::ReadFile;

const std::string kText =
    "Error Code:  21 [ FILE CANNOT BE OPENED ]\r\nCallStack:\r\n*EmptyCallStack*\r\n";

Error PortError() {
    Error error;
    error.SubSystem = "Serial";
    error.SubCode = 7;
    error.GenCode = 21;
    error.OsCode = 5;
    error.Severity = 2;
    error.CanDefault = true;
    error.Operation = "FOPEN";
    error.Description = "access denied";
    error.FileName = "COM1.CFG";
    error.Tries = 2;
    error.FuncSym = rt::State().symbols.Add("FOPEN2");
    error.FileHandle = 4;
    error.ArgNum = 1;
    error.SubCodeText = "busy";
    error.Arg = "Com1";
    error.ArgType = 7;
    error.ArgTypeReq = 1;
    error.MaxSize = 64;
    return error;
}

// The lines of an entry that do not depend on the moment or the machine,
// exactly as they must stand in the file.
const char* const kPortErrorFields =
    "SubSystem       :Serial\r\n"
    "SubCode         :7\r\n"
    "GenCode         :file cannot be opened\r\n"
    "OsCode          :5\r\n"
    "ArgType         :STRING\r\n"
    "FuncPtr         :0x00000000\r\n"
    "ArgNum          :1\r\n"
    "FuncSym         :FOPEN2\r\n"
    "Severity        :2\r\n"
    "CanDefault      :TRUE\r\n"
    "CanRetry        :FALSE\r\n"
    "CanSubstitute   :FALSE\r\n"
    "Operation       :FOPEN\r\n"
    "Description     :access denied\r\n"
    "FileName        :COM1.CFG\r\n"
    "Tries           :2\r\n"
    "FileHandle      :4\r\n"
    "SubCodeText     :busy\r\n"
    "Arg             :Com1\r\n"
    "ArgTypeReq      :LONG\r\n"
    "MaxSize         :64\r\n"
    "SubstituteType  :NIL\r\n"
    "CallFuncSym     :\r\n"
    "--------------------\r\n";

const char* const kExceptionFields =
    "SubSystem       :Serial\r\n"
    "SubCode         :5333\r\n"
    "GenCode         :file cannot be opened\r\n"
    "ExceptionCode   :C0000005\r\n"
    "ExceptionFlags  :00000000\r\n"
    "ExceptionAddress:00401000\r\n"
    "ParamNumber     :2\r\n"
    "ExceptionInfo   :000001BC\r\n"
    "Severity        :2\r\n";

class ErrorLogTest : public testing::ErrorSystemFixture {
  protected:
    // Writes one entry the way the handler does; returns the date and time
    // line as it may stand (the clock may tick during the write).
    std::vector<std::string> WriteEntry(const Error& error) {
        std::vector<std::string> moments{rt::DToC(rt::Today()) + " " + rt::Time()};
        const auto handle = ErrorLogOpen();
        EXPECT_NE(handle, rt::F_ERROR);
        rt::FSeek3(handle, 0, rt::FS_END);
        ErrorLogWrite(handle, kText, error);
        rt::FClose(handle);
        moments.push_back(rt::DToC(rt::Today()) + " " + rt::Time());
        return moments;
    }

    // The expected file, written out by hand, with the moment that the log
    // actually shows when it is one of the possible ones.
    std::string Expected(const std::string& fields, const std::vector<std::string>& moments,
                         const std::string& actual, std::size_t at) {
        const auto lineStart = actual.find("\r\n", at + 1) + 2;
        const auto versionEnd = actual.find("\r\n", lineStart);
        const auto momentEnd = actual.find("\r\n", versionEnd + 2);
        std::string moment = actual.substr(versionEnd + 2, momentEnd - versionEnd - 2);
        if (moment != moments.front() && moment != moments.back()) moment = moments.front();
        return "***********************ERROR********************************\r\n" + rt::Version() +
               "\r\n" + moment + "\r\n" + "Application: " + rt::ExecName() + "\r\n" + " \r\n" +
               "Error message:\r\n" + "--------------\r\n" + kText + "\r\n" +
               "Error Object created:\r\n" + "--------------------\r\n" + fields;
    }
};

TEST_F(ErrorLogTest, NewLogHoldsTheEntryByteForByte) {
    const auto moments = WriteEntry(PortError());
    const auto actual = ReadFile(LogPath());
    const auto expected = Expected(kPortErrorFields, moments, actual, 0);
    std::ofstream(scratch_.path().toStdString() + "/expected.log", std::ios::binary) << expected;
    EXPECT_EQ(actual, ReadFile(scratch_.path().toStdString() + "/expected.log"));
}

TEST_F(ErrorLogTest, ExistingLogGetsAnEmptyLineBeforeTheNextEntry) {
    std::ofstream(LogPath(), std::ios::binary) << "older entry\r\n";
    const auto moments = WriteEntry(PortError());
    const auto actual = ReadFile(LogPath());
    const std::string before = "older entry\r\n\r\n";
    ASSERT_EQ(actual.substr(0, before.size()), before);
    EXPECT_EQ(actual.substr(before.size()),
              Expected(kPortErrorFields, moments, actual, before.size()));
}

TEST_F(ErrorLogTest, TwoEntriesInARowAreKeptApart) {
    WriteEntry(PortError());
    const auto first = ReadFile(LogPath());
    WriteEntry(PortError());
    const auto both = ReadFile(LogPath());
    ASSERT_EQ(both.substr(0, first.size()), first);
    EXPECT_EQ(both.substr(first.size(), 62),
              "\r\n***********************ERROR********************************");
}

TEST_F(ErrorLogTest, OperatingSystemExceptionsAreLoggedInHexadecimal) {
    Error error = PortError();
    error.SubCode = 5333;
    error.OsCode = 0xC0000005u;
    error.ArgType = 0;
    error.FuncPtr = reinterpret_cast<void*>(std::uintptr_t{0x00401000});
    error.ArgNum = 2;
    error.FuncSym = rt::Symbol{0x1BC};
    WriteEntry(error);
    const auto actual = ReadFile(LogPath());
    EXPECT_NE(actual.find(kExceptionFields), std::string::npos) << actual;
    EXPECT_EQ(actual.find("OsCode          :"), std::string::npos);
}

TEST_F(ErrorLogTest, LogHeldByAnotherWriterIsLeftIntactAndSkipped) {
    std::ofstream(LogPath(), std::ios::binary) << "entry of another writer\r\n";
    const auto other = rt::FOpen2(LogPath(), rt::FO_WRITE);
    ASSERT_NE(other, rt::F_ERROR);
    EXPECT_EQ(ErrorLogOpen(), rt::F_ERROR);
    rt::FClose(other);
    EXPECT_EQ(ReadFile(LogPath()), "entry of another writer\r\n");
    EXPECT_TRUE(shown_.empty());
}

TEST_F(ErrorLogTest, LogThatCannotBeOpenedIsSkippedQuietly) {
    // A directory where the log file should be.
    ASSERT_TRUE(QDir(scratch_.path()).mkdir("KXERROR.LOG"));
    EXPECT_EQ(ErrorLogOpen(), rt::F_ERROR);
    EXPECT_TRUE(shown_.empty());
}

TEST_F(ErrorLogTest, MissingPathClearsTheSettingAtFaultAndReportsIt) {
    struct Case {
        std::string defaultDir, defaultPath;
        std::string message;
        bool dirCleared, pathCleared;
    };
    const auto missing = scratch_.path().toStdString() + "/gone/deeper";
    const Case cases[] = {
        {"/srv/dir", "/srv/path", "SetDefaultDir: /srv/dir", true, false},
        {"", "/srv/path", "SetDefault: /srv/path", false, true},
    };
    for (const auto& c : cases) {
        shown_.clear();
        rt::SetWorkDir(missing);
        const auto previousDir = rt::SetDefaultDir(c.defaultDir);
        const auto previousPath = rt::SetDefault(c.defaultPath);
        EXPECT_EQ(ErrorLogOpen(), rt::F_ERROR);
        EXPECT_EQ(rt::GetDefaultDir().empty(), c.dirCleared || c.defaultDir.empty());
        EXPECT_EQ(rt::GetDefault().empty(), c.pathCleared);
        // One report of the internal error; its own log attempt stays quiet.
        ASSERT_EQ(shown_.size(), 1u);
        EXPECT_NE(shown_[0].text.find("Description: " + c.message + "\r\n"), std::string::npos)
            << shown_[0].text;
        rt::SetDefaultDir(previousDir);
        rt::SetDefault(previousPath);
    }
}

}  // namespace
}  // namespace errors
