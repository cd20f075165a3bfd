#include "app/ProgramTables.h"

#include "app/App.h"
#include "app/FSerial.h"
#include "app/GStru.h"
#include "app/StandardSDIWindow.h"
#include "app/StdDataWindow.h"
#include "app/SymbolNumbers.h"
#include "app/WinCentre.h"
#include "diag/DiagClasses.h"
#include "errors/DefErrorGen.h"
#include "errors/Error.h"
#include "errors/SetInternational.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/LateBinding.h"
#include "platform/runtime/MemberRecords.h"
#include "platform/runtime/RuntimeState.h"
#include "platform/window/Control.h"
#include "platform/window/TopAppWindow.h"
#include "serialtest/SerialTestClasses.h"

namespace app {
namespace {

using rt::Args;
using rt::MemberKind;
using rt::declare::Arg;
using rt::declare::Member;

rt::ClassRecord Class(rt::Symbol cls, rt::Symbol base) {
    rt::ClassRecord record;
    record.symbol = cls;
    record.base = base;
    return record;
}

// Close with the event the window layer hands over by address, or with a
// new one for a program's own request to close.
rt::Usual CloseWith(win::TopAppWindow& self, Args args) {
    const rt::Usual& event = Arg(args, 0);
    if (event.IsPtr() && event.AsPtr() != nullptr) {
        self.Close(*static_cast<win::CloseEvent*>(event.AsPtr()));
    } else {
        win::CloseEvent request;
        self.Close(request);
    }
    return rt::NIL;
}

// The window library's classes the program creates, checks or derives from,
// each after its base, with the members the program sends them.
void DeclareLibraryClasses(std::vector<Declaration>& out) {
    RT_ENTER("DECLARELIBRARYCLASSES", "Start");
    using namespace sym;
    const std::pair<rt::Symbol, rt::Symbol> classes[] = {
        {kOBJECT, {}},
        {kEVENTCONTEXT, kOBJECT},
        {kWINDOW, kEVENTCONTEXT},
        {kAPPWINDOW, kWINDOW},
        {kTOPAPPWINDOW, kAPPWINDOW},
        {kCHILDAPPWINDOW, kAPPWINDOW},
        {kDATAWINDOW, kCHILDAPPWINDOW},
        {kCONTROL, kOBJECT},
        {kTEXTCONTROL, kCONTROL},
        {kEDIT, kTEXTCONTROL},
        {kMULTILINEEDIT, kEDIT},
        {kBUTTON, kTEXTCONTROL},
        {kPUSHBUTTON, kBUTTON},
        {kRADIOBUTTON, kBUTTON},
        {kLISTBOX, kTEXTCONTROL},
        {kCOMBOBOX, kLISTBOX},
        {kFIXEDTEXT, kTEXTCONTROL},
        {kGROUPBOX, kTEXTCONTROL},
        {kRADIOBUTTONGROUP, kGROUPBOX},
        {kICON, kOBJECT},
        {kAPP, kOBJECT},
        {kRESOURCEID, kOBJECT},
        {kHYPERLABEL, kOBJECT},
        {kFONT, kOBJECT},
        {kCOLOR, kOBJECT},
        {kBRUSH, kOBJECT},
        {kPOINT, kOBJECT},
        {kDIMENSION, kOBJECT},
        {kTEXTBOX, kOBJECT},
        {kERRORBOX, kTEXTBOX},
        {kSERIAL, kOBJECT},
        {kERROR, kOBJECT},
    };
    for (const auto& [cls, base] : classes) {
        auto record = Class(cls, base);
        // The runtime's error class, which the program may make by name.
        if (cls == kERROR) {
            record.initArgCount = 1;
            record.initializer = [](Args args) -> rt::ObjectRef {
                return errors::Error::New(Arg(args, 0));
            };
        }
        out.emplace_back(std::move(record));
    }

    out.emplace_back(Member<win::App>(kAPP, kEXEC, MemberKind::Method, 0, [](win::App& self, Args) {
        self.Exec();
        return rt::NIL;
    }));
    out.emplace_back(Member<win::App>(kAPP, kQUIT, MemberKind::Method, 0, [](win::App& self, Args) {
        self.Quit();
        return rt::NIL;
    }));
    out.emplace_back(Member<win::Window>(
        kWINDOW, kSHOW, MemberKind::Method, 1, [](win::Window& self, Args args) {
            self.Show(Arg(args, 0).IsNil() ? win::kShowDefault : Arg(args, 0).AsLong());
            return rt::NIL;
        }));
    out.emplace_back(Member<win::Window>(kWINDOW, kENDWINDOW, MemberKind::Method, 0,
                                         [](win::Window& self, Args) {
                                             self.EndWindow();
                                             return rt::NIL;
                                         }));
    out.emplace_back(
        Member<win::Window>(kWINDOW, kCAPTION, MemberKind::Access, 0,
                            [](win::Window& self, Args) { return rt::Usual(self.Caption()); }));
    out.emplace_back(Member<win::Window>(kWINDOW, kCAPTION, MemberKind::Assign, 1,
                                         [](win::Window& self, Args args) {
                                             if (Arg(args, 0).IsString()) {
                                                 self.Caption(Arg(args, 0).AsText());
                                             }
                                             return rt::Usual(self.Caption());
                                         }));
    out.emplace_back(
        Member<win::TopAppWindow>(kTOPAPPWINDOW, kCLOSE, MemberKind::Method, 1, &CloseWith));
    using ControlAction = void (win::Control::*)();
    const std::pair<rt::Symbol, ControlAction> controlMethods[] = {
        {kENABLE, &win::Control::Enable},
        {kDISABLE, &win::Control::Disable},
        {kSETFOCUS, &win::Control::SetFocus},
    };
    for (const auto& method : controlMethods) {
        const ControlAction action = method.second;
        out.emplace_back(Member<win::Control>(kCONTROL, method.first, MemberKind::Method, 0,
                                              [action](win::Control& self, Args) {
                                                  (self.*action)();
                                                  return rt::NIL;
                                              }));
    }
    out.emplace_back(Member<win::Control>(kCONTROL, kVALUE, MemberKind::Access, 0,
                                          [](win::Control& self, Args) { return self.Value(); }));
    out.emplace_back(Member<win::Control>(kCONTROL, kVALUE, MemberKind::Assign, 1,
                                          [](win::Control& self, Args args) {
                                              self.Value(Arg(args, 0));
                                              return self.Value();
                                          }));
}

// An exported array field of GStru.
rt::ExportedField GStruField(rt::Symbol symbol, std::uint32_t position, rt::Usual GStru::*field) {
    return rt::ExportedField{
        symbol,
        position,
        rt::UsualType::Array,
        1,
        rt::kFieldRead | rt::kFieldWrite,
        [symbol](const rt::Object& self) {
            return self.IVarGet(std::string(rt::State().symbols.NameOf(symbol)));
        },
        [field](rt::Object& self, const rt::Usual& value) {
            if (auto* settings = dynamic_cast<GStru*>(&self)) settings->*field = value;
        }};
}

// The program's own classes and the Start it adds to App.
void DeclareOwnClasses(std::vector<Declaration>& out) {
    RT_ENTER("DECLAREOWNCLASSES", "Start");
    using namespace sym;
    RT_LINE();
    for (auto& declaration : serialtest::SerialTestDeclarations()) {
        out.push_back(std::move(declaration));
    }

    auto shell = Class(kSTANDARDSDIWINDOW, kTOPAPPWINDOW);
    shell.initArgCount = 1;
    shell.initializer = [](Args args) -> rt::ObjectRef {
        return std::make_shared<StandardSDIWindow>(Arg(args, 0).AsObject().get());
    };
    out.emplace_back(std::move(shell));
    out.emplace_back(
        Member<win::TopAppWindow>(kSTANDARDSDIWINDOW, kCLOSE, MemberKind::Method, 1, &CloseWith));

    auto data = Class(kSTDDATAWINDOW, kDATAWINDOW);
    data.layout = {1, {0}};  // the owner
    data.initArgCount = 4;
    data.initializer = [](Args args) -> rt::ObjectRef {
        return std::make_shared<StdDataWindow>(Arg(args, 0).AsObject().get(), Arg(args, 1),
                                               Arg(args, 2), Arg(args, 3));
    };
    out.emplace_back(std::move(data));

    auto settings = Class(kGSTRU, {});
    settings.layout = {3, {0, 1, 2}};
    settings.initializer = [](Args) -> rt::ObjectRef { return std::make_shared<GStru>(); };
    settings.fields = {GStruField(kABAUD, 0, &GStru::aBaud),
                       GStruField(kAPARITY, 1, &GStru::aParity),
                       GStruField(kAPORT, 2, &GStru::aPort)};
    out.emplace_back(std::move(settings));
    out.emplace_back(
        Member<GStru>(kGSTRU, kRPMSG, MemberKind::Method, 2, [](GStru& self, Args args) {
            self.RPMsg(Arg(args, 0), Arg(args, 1));
            return rt::NIL;
        }));

    auto icon = Class(kFSERIAL, kICON);
    icon.initArgCount = 3;
    icon.initializer = [](Args args) -> rt::ObjectRef {
        return std::make_shared<FSerial>(Arg(args, 0), Arg(args, 1), Arg(args, 2));
    };
    out.emplace_back(std::move(icon));

    out.emplace_back(Member<App>(kAPP, kSTART, MemberKind::Method, 0,
                                 [](App& self, Args) { return self.Start(); }));
}

}  // namespace

std::size_t ProgramTables::ClassCount() const {
    RT_ENTER("PROGRAMTABLES:CLASSCOUNT", "Start");
    std::size_t count = 0;
    for (const auto& declaration : declarations) {
        if (std::holds_alternative<rt::ClassRecord>(declaration)) ++count;
    }
    return count;
}

ProgramTables MakeProgramTables(std::function<rt::Usual()> start) {
    RT_ENTER("MAKEPROGRAMTABLES", "Start");
    ProgramTables tables;
    RT_LINE();
    DeclareLibraryClasses(tables.declarations);
    RT_LINE();
    for (auto& declaration : diag::DiagDeclarations()) {
        tables.declarations.push_back(std::move(declaration));
    }
    RT_LINE();
    DeclareOwnClasses(tables.declarations);

    tables.functions.push_back(
        {sym::kSTART, [start](Args) { return start ? start() : rt::NIL; }, 0});
    tables.functions.push_back(
        {sym::kWINCENTRE, [](Args args) { return WinCentre(Arg(args, 0)); }, 1});
    tables.functions.push_back(
        {sym::kSETINTERNATIONAL,
         [](Args args) { return rt::Usual(errors::SetInternational(Arg(args, 0))); }, 1});
    tables.functions.push_back(
        {sym::kDEFERRORGEN, [](Args args) { return errors::DefErrorGen(Arg(args, 0)); }, 1});

    tables.globals.push_back(&rt::State().program.oGStru);
    return tables;
}

}  // namespace app
