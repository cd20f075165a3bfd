#include "serialtest/SerialTestClasses.h"

#include <stdexcept>

#include "platform/runtime/Activation.h"
#include "platform/runtime/LateBinding.h"
#include "platform/runtime/MemberRecords.h"
#include "platform/runtime/Program.h"
#include "platform/runtime/RuntimeState.h"
#include "platform/window/Event.h"
#include "serialtest/SerialMLE.h"
#include "serialtest/SerialObject.h"
#include "serialtest/WSerial.h"

namespace serialtest {
namespace {

using rt::declare::Arg;
using rt::declare::Member;
using rt::declare::Sym;

// The object value of the first argument as T; nullptr for any other value
// (a number, a pointer, an object of another class).
template <typename T>
T* ObjectArg(std::span<const rt::Usual> args) {
    if (args.empty() || !args[0].IsObject()) return nullptr;
    return dynamic_cast<T*>(args[0].AsObject().get());
}

// The window's tables, read late-bound by field name from the program's
// settings object, which start-up makes before any window.
LineTables SettingsTables() {
    const rt::Usual& settings = rt::State().program.oGStru;
    if (!settings.IsObject() || !settings.AsObject())
        throw std::runtime_error("oGStru is not an object");
    const rt::Object& object = *settings.AsObject();
    return {object.IVarGet("APORT"), object.IVarGet("ABAUD"), object.IVarGet("APARITY")};
}

win::Window* OwnerWindow(std::span<const rt::Usual> args) {
    if (args.empty() || !args[0].IsObject()) return nullptr;
    return dynamic_cast<win::Window*>(args[0].AsObject().get());
}

rt::Usual PortValue(serial::Serial* port) {
    if (port == nullptr) return rt::NIL;
    return rt::Usual(rt::ObjectRef(std::make_shared<SerialObject>(port)));
}

void DeclareSerialMLE(std::vector<rt::Declaration>& out) {
    RT_ENTER("DECLARESERIALMLE", "SerialMLE Class");
    using rt::MemberKind;
    rt::ClassRecord cls;
    cls.symbol = Sym("SERIALMLE");
    cls.base = Sym("MULTILINEEDIT");
    cls.layout = {1, {0}};  // the port object
    cls.initArgCount = 6;
    cls.initializer = [](std::span<const rt::Usual> args) -> rt::ObjectRef {
        auto* owner = dynamic_cast<win::DataWindow*>(OwnerWindow(args));
        if (owner == nullptr) return std::make_shared<SerialMLE>();
        auto pane = std::make_shared<SerialMLE>(
            owner,
            win::ResourceID(static_cast<std::uint32_t>(Arg(args, 1).AsLong()), rt::GetInst()));
        // The runtime's reference is the pane's one owner: as a child of the
        // window's widget it would be deleted with it as well. Its view
        // stays in the window and goes with it.
        pane->setParent(nullptr);
        return pane;
    };
    out.emplace_back(std::move(cls));
    out.emplace_back(Member<SerialMLE>("SERIALMLE", "DISPATCH", MemberKind::Method, 1,
                                       [](SerialMLE& self, std::span<const rt::Usual> args) {
                                           // Anything but an event object is ignored: there is no
                                           // message to handle.
                                           const auto* event = ObjectArg<const win::Event>(args);
                                           if (event == nullptr) return rt::NIL;
                                           return rt::Usual(
                                               static_cast<std::int32_t>(self.Dispatch(*event)));
                                       }));
    out.emplace_back(Member<SerialMLE>(
        "SERIALMLE", "DEVICE", MemberKind::Access, 0,
        [](SerialMLE& self, std::span<const rt::Usual>) { return PortValue(self.Device()); }));
    // A value that is not a port object (a number, an address, an object of
    // another class, a port that has gone) leaves the device as it is.
    out.emplace_back(Member<SerialMLE>(
        "SERIALMLE", "DEVICE", MemberKind::Assign, 1,
        [](SerialMLE& self, std::span<const rt::Usual> args) {
            if (const auto* port = ObjectArg<const SerialObject>(args); port && port->Port())
                self.SetDevice(port->Port());
            return PortValue(self.Device());
        }));
}

void DeclareWSerial(std::vector<rt::Declaration>& out) {
    RT_ENTER("DECLAREWSERIAL", "WSerial");
    using rt::MemberKind;
    rt::ClassRecord cls;
    cls.symbol = Sym("WSERIAL");
    cls.base = Sym("DATAWINDOW");
    // Seventeen controls and the shell's system menu handle.
    cls.layout = {18, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}};
    cls.initArgCount = 4;
    cls.initializer = [](std::span<const rt::Usual> args) -> rt::ObjectRef {
        return std::make_shared<WSerial>(OwnerWindow(args), SettingsTables(), Arg(args, 1).AsLong(),
                                         Arg(args, 2), Arg(args, 3));
    };
    out.emplace_back(std::move(cls));
    using Action = void (WSerial::*)();
    const std::pair<const char*, Action> methods[] = {
        {"POSTINIT", &WSerial::PostInit},
        {"BEGINBUTTON", &WSerial::BeginButton},
        {"ENDBUTTON", &WSerial::EndButton},
        {"EXITBUTTON", &WSerial::ExitButton},
    };
    for (const auto& [name, bound] : methods) {
        // A copy: clang before 16 cannot capture a structured binding.
        const auto action = bound;
        out.emplace_back(Member<WSerial>("WSERIAL", name, MemberKind::Method, 0,
                                         [action](WSerial& self, std::span<const rt::Usual>) {
                                             (self.*action)();
                                             return rt::NIL;
                                         }));
    }
}

}  // namespace

std::vector<rt::Declaration> SerialTestDeclarations() {
    RT_ENTER("SERIALTESTDECLARATIONS", "WSerial");
    std::vector<rt::Declaration> out;
    RT_LINE();
    DeclareSerialMLE(out);
    RT_LINE();
    DeclareWSerial(out);
    return out;
}

}  // namespace serialtest
