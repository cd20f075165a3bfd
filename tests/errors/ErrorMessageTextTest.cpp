#include "errors/ErrorMessageText.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <functional>

#include "platform/os/ModuleHandle.h"
#include "platform/runtime/RuntimeState.h"

namespace errors {
namespace {

Error Blank() {
    Error error;
    error.GenCode = 21;
    error.Severity = 2;
    return error;
}

const std::string kFirst21 = "Error Code:  21 [ FILE CANNOT BE OPENED ]\r\n";

TEST(ErrorMessageTextTest, EachLineAppearsOnlyWhenItsFieldHasSomethingToSay) {
    const auto sym = rt::State().symbols.Add("WSERIAL:BEGINBUTTON");
    struct Case {
        const char* what;
        std::function<void(Error&)> set;
        std::string expected;
    };
    const Case cases[] = {
        {"nothing set", [](Error&) {}, kFirst21},
        {"warning", [](Error& e) { e.Severity = 1; },
         "WARNING :  21 [ FILE CANNOT BE OPENED ]\r\n"},
        {"generic code 0 shows the description twice",
         [](Error& e) {
             e.GenCode = 0;
             e.Description = "port gone";
         },
         "Error Code:  port gone\r\nDescription: port gone\r\n"},
        {"subsystem", [](Error& e) { e.SubSystem = "Serial"; }, kFirst21 + "Subsystem: Serial\r\n"},
        {"subcode 0 hides its text", [](Error& e) { e.SubCodeText = "ignored"; }, kFirst21},
        {"subcode without text", [](Error& e) { e.SubCode = 7; },
         kFirst21 + "Error Subcode: 7\r\n"},
        {"subcode with text",
         [](Error& e) {
             e.SubCode = 7;
             e.SubCodeText = "busy";
         },
         kFirst21 + "Error Subcode: 7 (busy)\r\n"},
        {"operation", [](Error& e) { e.Operation = "FOPEN"; }, kFirst21 + "Operation: FOPEN\r\n"},
        {"function", [&](Error& e) { e.FuncSym = sym; },
         kFirst21 + "Function: WSERIAL:BEGINBUTTON\r\n"},
        {"file name cut to 40", [](Error& e) { e.FileName = std::string(40, 'a') + "0123456789"; },
         kFirst21 + "Filename: " + std::string(40, 'a') + "\r\n"},
        {"file name cut at 40 characters, not inside one",
         [](Error& e) { e.FileName = std::string(39, 'a') + "\u20AC\u0436.log"; },
         kFirst21 + "Filename: " + std::string(39, 'a') + "\u20AC\r\n"},
        {"two-byte characters counted as one each",
         [](Error& e) {
             for (int i = 0; i < 45; ++i) e.FileName += "\u0436";
         },
         [] {
             std::string forty;
             for (int i = 0; i < 40; ++i) forty += "\u0436";
             return kFirst21 + "Filename: " + forty + "\r\n";
         }()},
        {"bytes that are no UTF-8 counted one each",
         [](Error& e) { e.FileName = std::string(45, '\xFF'); },
         kFirst21 + "Filename: " + std::string(40, '\xFF') + "\r\n"},
        {"argument with type",
         [](Error& e) {
             e.Arg = "Com1";
             e.ArgType = 7;
         },
         kFirst21 + "Argument: Com1\r\nType: STRING\r\n"},
        {"type without argument", [](Error& e) { e.ArgType = 7; }, kFirst21},
        {"argument number", [](Error& e) { e.ArgNum = 2; }, kFirst21 + "Argument Number: 2\r\n"},
        {"requested type differs",
         [](Error& e) {
             e.ArgType = 7;
             e.ArgTypeReq = 1;
         },
         kFirst21 + "Requested type: LONG\r\n"},
        {"requested type equal", [](Error& e) { e.ArgType = e.ArgTypeReq = 7; }, kFirst21},
        {"all in order",
         [&](Error& e) {
             e.SubSystem = "S";
             e.SubCode = 3;
             e.Operation = "O";
             e.FuncSym = sym;
             e.FileName = "F";
             e.Arg = "A";
             e.ArgType = 1;
             e.ArgNum = 1;
             e.ArgTypeReq = 7;
             e.Description = "D";
         },
         kFirst21 +
             "Subsystem: S\r\nError Subcode: 3\r\nOperation: O\r\nFunction: WSERIAL:BEGINBUTTON\r\n"
             "Filename: F\r\nArgument: A\r\nType: LONG\r\nArgument Number: 1\r\n"
             "Requested type: STRING\r\nDescription: D\r\n"},
    };
    for (const auto& c : cases) {
        Error error = Blank();
        c.set(error);
        EXPECT_EQ(ErrorMessageText(error), c.expected) << c.what;
    }
}

class LoadedModule {
  public:
    explicit LoadedModule(const char* path) : handle_(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {}
    ~LoadedModule() {
        if (handle_) dlclose(handle_);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    bool Loaded() const { return handle_ != nullptr; }

  private:
    void* handle_;
};

const std::string kCause = "This may be the cause of the current runtime error !!\r\n\r\n";

TEST(ErrorMessageTextTest, OldRuntimeModulesInMemoryAddANote) {
    ASSERT_EQ(os::GetModuleHandleA("KXCORE20.DLL"), 0u);
    ASSERT_EQ(os::GetModuleHandleA("KX27RUN.DLL"), 0u);
    const Error error = Blank();
    EXPECT_EQ(ErrorMessageText(error), kFirst21);
    {
        LoadedModule run(COMTEST_OLD_RUN_MODULE);
        ASSERT_TRUE(run.Loaded()) << dlerror();
        EXPECT_EQ(ErrorMessageText(error),
                  kFirst21 +
                      "\r\nPLEASE NOTE:\r\n"
                      "The Kexform 2.7 runtime file KX27RUN.DLL was found in memory\r\n" +
                      kCause);
        LoadedModule core(COMTEST_OLD_CORE_MODULE);
        ASSERT_TRUE(core.Loaded()) << dlerror();
        EXPECT_EQ(ErrorMessageText(error),
                  kFirst21 +
                      "\r\nPLEASE NOTE:\r\n"
                      "The old runtime KXCORE20.DLL was found in memory\r\n" +
                      kCause);
    }
    {
        LoadedModule core(COMTEST_OLD_CORE_MODULE);
        ASSERT_TRUE(core.Loaded()) << dlerror();
        EXPECT_EQ(ErrorMessageText(error),
                  kFirst21 +
                      "\r\nPLEASE NOTE:\r\n"
                      "The old runtime KXCORE20.DLL was found in memory\r\n" +
                      kCause);
    }
}

}  // namespace
}  // namespace errors
