// The program's class registration as the program uses it at run time:
// classes and bases, members with their kinds and argument counts, exported
// fields, instance checks and the push-button clicks that reach their
// methods through the registry.
#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "ProgramFixture.h"
#include "app/GStru.h"
#include "app/StandardSDIWindow.h"
#include "app/SymbolNumbers.h"
#include "errors/Error.h"
#include "platform/runtime/GenCode.h"
#include "platform/runtime/LateBinding.h"
#include "platform/runtime/LateBindingError.h"
#include "platform/runtime/RawError.h"
#include "platform/runtime/Startup.h"
#include "platform/serial/PortMap.h"
#include "platform/window/App.h"
#include "serialtest/WSerial.h"
#include "support/RecordedErrors.h"

namespace app::testing {
namespace {

using namespace sym;
using rt::MemberKind;

class RegistrationTest : public ProgramTest {
  protected:
    static std::string Name(rt::Symbol s) { return std::string(rt::State().symbols.NameOf(s)); }
};

TEST_F(RegistrationTest, BaseChainsReachTheRootClass) {
    struct Case {
        rt::Symbol cls;
        std::vector<rt::Symbol> chain;  // bases, nearest first
    };
    const Case cases[] = {
        {kSTANDARDSDIWINDOW, {kTOPAPPWINDOW, kAPPWINDOW, kWINDOW, kEVENTCONTEXT, kOBJECT}},
        {kWSERIAL, {kDATAWINDOW, kCHILDAPPWINDOW, kAPPWINDOW, kWINDOW, kEVENTCONTEXT, kOBJECT}},
        {kSTDDATAWINDOW,
         {kDATAWINDOW, kCHILDAPPWINDOW, kAPPWINDOW, kWINDOW, kEVENTCONTEXT, kOBJECT}},
        {kSERIALMLE, {kMULTILINEEDIT, kEDIT, kTEXTCONTROL, kCONTROL, kOBJECT}},
        {kFSERIAL, {kICON, kOBJECT}},
        {kAPP, {kOBJECT}},
        {kGSTRU, {}},
    };
    const auto& registry = rt::State().classes;
    for (const auto& c : cases) {
        std::vector<rt::Symbol> chain;
        const auto* record = registry.FindClass(c.cls);
        ASSERT_NE(record, nullptr) << Name(c.cls);
        for (record = registry.FindClass(record->base); record != nullptr;
             record = registry.FindClass(record->base)) {
            chain.push_back(record->symbol);
        }
        EXPECT_EQ(chain, c.chain) << Name(c.cls);
    }
    EXPECT_EQ(registry.ClassCount(), MakeProgramTables({}).ClassCount());
}

TEST_F(RegistrationTest, OwnMembersHaveTheirKindsAndArgumentCounts) {
    struct Case {
        rt::Symbol cls;
        rt::Symbol member;
        MemberKind kind;
        std::uint32_t args;
    };
    const Case cases[] = {
        {kSERIALMLE, kDISPATCH, MemberKind::Method, 1},
        {kSERIALMLE, kDEVICE, MemberKind::Access, 0},
        {kSERIALMLE, kDEVICE, MemberKind::Assign, 1},
        {kSTANDARDSDIWINDOW, kCLOSE, MemberKind::Method, 1},
        {kGSTRU, kRPMSG, MemberKind::Method, 2},
        {kWSERIAL, kPOSTINIT, MemberKind::Method, 0},
        {kWSERIAL, kBEGINBUTTON, MemberKind::Method, 0},
        {kWSERIAL, kENDBUTTON, MemberKind::Method, 0},
        {kWSERIAL, kEXITBUTTON, MemberKind::Method, 0},
        {kAPP, kSTART, MemberKind::Method, 0},
    };
    for (const auto& c : cases) {
        const auto* member = rt::State().classes.FindMember(c.cls, c.member, c.kind);
        ASSERT_NE(member, nullptr) << Name(c.cls) << ":" << Name(c.member);
        EXPECT_EQ(member->classSymbol, c.cls) << "declared for the class itself";
        EXPECT_EQ(member->argCount, c.args) << Name(c.cls) << ":" << Name(c.member);
    }
    EXPECT_EQ(rt::State().classes.FindMember(kGSTRU, kDEVICE, MemberKind::Access), nullptr);

    const std::pair<rt::Symbol, std::uint32_t> inits[] = {
        {kSERIALMLE, 6}, {kSTANDARDSDIWINDOW, 1}, {kSTDDATAWINDOW, 4},
        {kWSERIAL, 4},   {kFSERIAL, 3},           {kGSTRU, 0}};
    for (const auto& [cls, args] : inits) {
        const auto* record = rt::State().classes.FindClass(cls);
        ASSERT_NE(record, nullptr);
        EXPECT_TRUE(static_cast<bool>(record->initializer)) << Name(cls);
        EXPECT_EQ(record->initArgCount, args) << Name(cls);
    }
}

TEST_F(RegistrationTest, GStruExportsItsTablesAsArrays) {
    const rt::Usual settings = rt::CreateInstance(kGSTRU);
    ASSERT_TRUE(rt::IsInstanceOf(settings, kGSTRU));
    const rt::Usual ports = GStru::PortTable();
    EXPECT_EQ(rt::Assign(settings, kAPORT, ports), ports);
    EXPECT_EQ(rt::Access(settings, kAPORT), ports);
    EXPECT_EQ(static_cast<GStru&>(*settings.AsObject()).aPort, ports);
    EXPECT_EQ(rt::Assign(settings, kAPORT, rt::Usual(9600)), ports)
        << "a number is not an array: the write is ignored";
    EXPECT_TRUE(rt::Access(settings, kAPARITY).IsNil());
    const rt::Usual bauds = GStru::BaudTable();
    const rt::Usual parities = GStru::ParityTable();
    EXPECT_EQ(rt::Assign(settings, kABAUD, bauds), bauds);
    EXPECT_EQ(rt::Assign(settings, kAPARITY, parities), parities);
    // Each field is read by its own name and keeps its own table.
    EXPECT_EQ(rt::Access(settings, kAPORT), ports);
    EXPECT_EQ(rt::Access(settings, kABAUD), bauds);
    EXPECT_EQ(rt::Access(settings, kAPARITY), parities);
    testsupport::RecordedErrors errors;
    EXPECT_TRUE(rt::Access(settings, kCAPTION).IsNil());
    EXPECT_EQ(errors.GenCodes(), std::vector<std::uint32_t>{rt::gen::kNoVariable});
}

TEST_F(RegistrationTest, InstanceChecksFollowTheBaseChain) {
    win::App application;
    const rt::Usual shell(rt::ObjectRef(std::make_shared<StandardSDIWindow>(&application)));
    EXPECT_EQ(rt::ClassName(shell), kSTANDARDSDIWINDOW);
    EXPECT_TRUE(rt::IsInstanceOf(shell, kTOPAPPWINDOW));
    EXPECT_TRUE(rt::IsInstanceOf(shell, kOBJECT));
    EXPECT_FALSE(rt::IsInstanceOf(shell, kDATAWINDOW));
    testsupport::RecordedErrors errors;
    EXPECT_TRUE(rt::CheckInstance(shell, kWINDOW));
    EXPECT_TRUE(errors.GenCodes().empty());
    EXPECT_FALSE(rt::CheckInstance(shell, kDATAWINDOW));
    EXPECT_EQ(errors.GenCodes(), std::vector<std::uint32_t>{rt::gen::kDataType});
    EXPECT_EQ(rt::Assign(shell, kCAPTION, rt::Usual("Shell")), rt::Usual("Shell"));
    EXPECT_EQ(rt::Access(shell, kCAPTION), rt::Usual("Shell"));
}

TEST_F(RegistrationTest, ErrorHandlingFunctionsAreCalledBySymbol) {
    for (const auto function : {kSETINTERNATIONAL, kDEFERRORGEN, kWINCENTRE}) {
        const auto* entry = rt::FindFunction(function);
        ASSERT_NE(entry, nullptr) << Name(function);
        EXPECT_EQ(entry->params, 1u) << Name(function);
    }

    const rt::Usual previous = rt::CallFunction(kSETINTERNATIONAL, {{rt::Usual(kLEGACY)}});
    ASSERT_TRUE(previous.IsSymbol());
    EXPECT_EQ(rt::CallFunction(kSETINTERNATIONAL, {{rt::Usual(previous)}}), rt::Usual(kLEGACY))
        << "the mode set by the first call was in force";

    rt::RawError raw;
    raw.Set(rt::RawError::GenCode, rt::gen::kOpen);
    raw.SetText(rt::RawError::FileName, "COM1.CFG");
    const rt::Usual error = rt::CallFunction(kDEFERRORGEN, {{rt::Usual(static_cast<void*>(&raw))}});
    ASSERT_TRUE(rt::IsInstanceOf(error, kERROR));
    const auto made = std::dynamic_pointer_cast<errors::Error>(error.AsObject());
    EXPECT_EQ(made->GenCode, rt::gen::kOpen);
    EXPECT_EQ(made->FileName, "COM1.CFG");
}

TEST_F(RegistrationTest, DiagnosticsClassesAnswerLateBound) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("trace.log").toStdString();
    const rt::Usual log = rt::CreateInstance(kLOGFILE, {{rt::Usual(path)}});
    ASSERT_TRUE(rt::IsInstanceOf(log, kLOGFILE));
    testsupport::RecordedErrors errors;

    EXPECT_EQ(rt::Access(log, kFNAME), rt::Usual(path));
    EXPECT_EQ(rt::Access(log, kLOGPATH), rt::Usual(dir.path().toStdString()));
    EXPECT_TRUE(rt::Access(log, kSERVERPATH).IsString());
    EXPECT_EQ(rt::Access(log, kAPPEND), rt::Usual(true));
    EXPECT_EQ(rt::Access(log, kLOG2FILE), rt::Usual(true));
    EXPECT_EQ(rt::Assign(log, kFNAME, rt::Usual(5)), rt::Usual(path)) << "a number is ignored";
    EXPECT_EQ(rt::Assign(log, kBACKUPNAME, rt::Usual("old.bak")), rt::Usual("old.bak"));
    EXPECT_EQ(rt::Access(log, kBACKUPNAME), rt::Usual("old.bak"));
    EXPECT_EQ(rt::Assign(log, kAPPEND, rt::Usual(false)), rt::Usual(false));

    EXPECT_EQ(rt::Send(log, kDEBUGMSG, {{rt::Usual("line one")}}), rt::Usual(true));
    EXPECT_EQ(rt::Send(log, kDEBUGMSG, {{rt::Usual(7)}}), rt::Usual(false));
    auto error = errors::Error::New();
    error->GenCode = rt::gen::kOpen;
    EXPECT_EQ(rt::Send(log, kDUMPERROR, {{rt::Usual(rt::ObjectRef(error))}}), log)
        << "answers the log object";
    EXPECT_TRUE(errors.GenCodes().empty());
    EXPECT_EQ(rt::Send(log, kDUMPERROR, {{rt::Usual("no error")}}), log);
    EXPECT_EQ(errors.GenCodes(), std::vector<std::uint32_t>{rt::gen::kDataType});
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string written = file.readAll().toStdString();
    EXPECT_EQ(written.rfind("line one\r\n***********************ERROR", 0), 0u) << written;
    EXPECT_EQ(rt::Assign(log, kLOG2FILE, rt::Usual(false)), rt::Usual(false));

    const rt::Usual version = rt::CreateInstance(kWINDLLVERSION, {{rt::Usual("NOTLOADED.DLL")}});
    ASSERT_TRUE(rt::IsInstanceOf(version, kWINDLLVERSION));
    EXPECT_EQ(rt::Access(version, kDLL), rt::Usual("NOTLOADED.DLL"));
    EXPECT_EQ(rt::Access(version, kISWINNT), rt::Usual(false));
    for (const auto field : {kMAJORVERSION, kMINORVERSION, kBUILD, kPLATFORMID}) {
        EXPECT_EQ(rt::Access(version, field), rt::Usual(0)) << Name(field);
    }
    EXPECT_EQ(rt::Assign(version, kPLATFORMID, rt::Usual(2)), rt::Usual(2));
    EXPECT_EQ(rt::Access(version, kISWINNT), rt::Usual(true));
    EXPECT_EQ(rt::Assign(version, kDLL, rt::Usual("OTHER.DLL")), rt::Usual("OTHER.DLL"));
    EXPECT_EQ(rt::Access(version, kDLL), rt::Usual("OTHER.DLL"));
    EXPECT_EQ(errors.GenCodes().size(), 1u) << "no further late-bound failure";
}

class ButtonRoutingTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        serial::PortMap loop;
        ASSERT_TRUE(loop.AddMapping("Com1=loop"));
        serial::PortMap::Install(std::move(loop));
        shell_ = std::make_unique<StandardSDIWindow>(&application_);
        shell_->Show();
        window_ = std::make_unique<serialtest::WSerial>(
            shell_.get(),
            serialtest::LineTables{GStru::PortTable(), GStru::BaudTable(), GStru::ParityTable()});
        window_->Show();
    }
    void TearDown() override {
        window_.reset();
        shell_.reset();
        serial::PortMap::Install(serial::PortMap());
        ProgramTest::TearDown();
    }
    QPushButton* Button(const char* name) {
        return window_->Widget()->findChild<QPushButton*>(QString::fromLatin1(name));
    }

    win::App application_;
    std::unique_ptr<StandardSDIWindow> shell_;
    std::unique_ptr<serialtest::WSerial> window_;
};

TEST_F(ButtonRoutingTest, ClicksReachTheMethodsThroughTheRegistry) {
    ASSERT_NE(Button("BeginButton"), nullptr);
    QTest::mouseClick(Button("BeginButton"), Qt::LeftButton);
    EXPECT_TRUE(Button("EndButton")->isEnabled()) << "BEGINBUTTON ran: the test runs";
    EXPECT_FALSE(Button("BeginButton")->isEnabled());
    QTest::mouseClick(Button("EndButton"), Qt::LeftButton);
    EXPECT_TRUE(Button("BeginButton")->isEnabled()) << "ENDBUTTON ran: the test ended";
    EXPECT_FALSE(Button("EndButton")->isEnabled());
}

TEST_F(ButtonRoutingTest, WithoutTheMemberInTheRegistryAClickDoesNothing) {
    // The same classes, but WSERIAL without its members.
    auto tables = MakeProgramTables({});
    rt::RTInitParams params;
    params.classCount = static_cast<std::uint32_t>(tables.ClassCount());
    ASSERT_EQ(rt::RTInit(params), 0);
    for (auto& declaration : tables.declarations) {
        const auto* member = std::get_if<rt::MethodRecord>(&declaration);
        if (member != nullptr && member->classSymbol == kWSERIAL) continue;
        ASSERT_EQ(rt::State().classes.Declare(std::move(declaration)), 0);
    }
    QTest::mouseClick(Button("BeginButton"), Qt::LeftButton);
    EXPECT_TRUE(Button("BeginButton")->isEnabled());
    EXPECT_FALSE(Button("EndButton")->isEnabled());
    EXPECT_EQ(window_->Port()->IsOpen(), false);
}

}  // namespace
}  // namespace app::testing
