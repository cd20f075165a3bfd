#include "diag/DiagClasses.h"

#include <cstdint>
#include <memory>
#include <span>

#include "diag/DiagTexts.h"
#include "diag/LogFile.h"
#include "diag/WinDllVersion.h"
#include "errors/Error.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/LateBinding.h"
#include "platform/runtime/MemberRecords.h"

namespace diag {
namespace {

using rt::declare::Arg;
using rt::Args;
using rt::declare::Member;
using rt::MemberKind;
using rt::declare::Sym;

// The record of a diagnostics class: derived from OBJECT, five slots, made
// by `initializer` from `initArgCount` arguments.
rt::ClassRecord ClassOfObject(rt::Symbol cls, std::uint32_t initArgCount,
                              rt::ClassInitializer initializer) {
    rt::ClassRecord record;
    record.symbol = cls;
    record.base = Sym("OBJECT");
    record.layout = {5, {}};
    record.initArgCount = initArgCount;
    record.initializer = std::move(initializer);
    return record;
}

rt::Usual Self(LogFile& log) {
    return rt::Usual(rt::ObjectRef(log.shared_from_this()));
}

// A LogFile property: its access answers `read`'s value, its assign hands
// the value to `write` and answers what `write` answers.
template <typename Read, typename Write>
void Property(std::vector<rt::Declaration>& out, rt::Symbol cls, const char* name, Read read,
              Write write) {
    out.emplace_back(Member<LogFile>(cls, name, MemberKind::Access, 0, [read](LogFile& self, Args) {
        return rt::Usual((self.*read)());
    }));
    out.emplace_back(Member<LogFile>(
        cls, name, MemberKind::Assign, 1,
        [write](LogFile& self, Args args) { return rt::Usual((self.*write)(Arg(args, 0))); }));
}

void DeclareLogFile(std::vector<rt::Declaration>& out) {
    RT_ENTER("DECLARELOGFILE", kLogFileModule);
    const rt::Symbol cls = Sym("LOGFILE");
    out.emplace_back(ClassOfObject(cls, 3, [](Args args) -> rt::ObjectRef {
        return std::make_shared<LogFile>(Arg(args, 0), Arg(args, 1), Arg(args, 2));
    }));

    out.emplace_back(
        Member<LogFile>(cls, "INIT", MemberKind::Method, 3, [](LogFile& self, Args args) {
            self.Init(Arg(args, 0), Arg(args, 1), Arg(args, 2));
            return Self(self);
        }));
    out.emplace_back(
        Member<LogFile>(cls, "DEBUGMSG", MemberKind::Method, 1, [](LogFile& self, Args args) {
            // A message that is no text is ignored: nothing is written.
            const rt::Usual& text = Arg(args, 0);
            return rt::Usual(text.IsString() && self.DebugMsg(text.AsText()));
        }));
    out.emplace_back(
        Member<LogFile>(cls, "DUMPERROR", MemberKind::Method, 1, [](LogFile& self, Args args) {
            if (const auto error = errors::AsError(Arg(args, 0))) {
                self.DumpError(*error);
            } else {
                rt::NotAnInstance(Sym("ERROR"));
            }
            return Self(self);
        }));

    Property(out, cls, "FNAME", &LogFile::FName, &LogFile::SetFName);
    Property(out, cls, "BACKUPNAME", &LogFile::BackupName, &LogFile::SetBackupName);
    Property(out, cls, "APPEND", &LogFile::Append, &LogFile::SetAppend);
    Property(out, cls, "LOG2FILE", &LogFile::Log2File, &LogFile::SetLog2File);
    out.emplace_back(
        Member<LogFile>(cls, "SERVERPATH", MemberKind::Access, 0,
                        [](LogFile& self, Args) { return rt::Usual(self.ServerPath()); }));
    out.emplace_back(
        Member<LogFile>(cls, "LOGPATH", MemberKind::Access, 0,
                        [](LogFile& self, Args) { return rt::Usual(self.LogPath()); }));
}

// An exported unsigned 32-bit field of WinDllVersion, carried as a number
// that keeps its value.
rt::ExportedField VersionField(const char* name, std::uint32_t position,
                               std::uint32_t WinDllVersion::*field) {
    return rt::ExportedField{Sym(name),
                             position,
                             rt::UsualType::Long,
                             4,
                             rt::kFieldRead | rt::kFieldWrite,
                             [field](const rt::Object& self) {
                                 const auto* version = dynamic_cast<const WinDllVersion*>(&self);
                                 return version ? errors::Error::Number(version->*field) : rt::NIL;
                             },
                             [field](rt::Object& self, const rt::Usual& value) {
                                 if (auto* version = dynamic_cast<WinDllVersion*>(&self)) {
                                     version->*field = static_cast<std::uint32_t>(value.AsLong());
                                 }
                             }};
}

void DeclareWinDllVersion(std::vector<rt::Declaration>& out) {
    RT_ENTER("DECLAREWINDLLVERSION", kDllVersionModule);
    const rt::Symbol cls = Sym("WINDLLVERSION");
    rt::ClassRecord record = ClassOfObject(cls, 1, [](Args args) -> rt::ObjectRef {
        return std::make_shared<WinDllVersion>(Arg(args, 0));
    });
    record.fields = {VersionField("MAJORVERSION", 1, &WinDllVersion::MajorVersion),
                     VersionField("MINORVERSION", 2, &WinDllVersion::MinorVersion),
                     VersionField("BUILD", 3, &WinDllVersion::Build),
                     VersionField("PLATFORMID", 4, &WinDllVersion::PlatformID)};
    out.emplace_back(std::move(record));

    out.emplace_back(Member<WinDllVersion>(cls, "DLL", MemberKind::Access, 0,
                                           [](WinDllVersion& self, Args) { return self.DLL(); }));
    out.emplace_back(Member<WinDllVersion>(
        cls, "DLL", MemberKind::Assign, 1,
        [](WinDllVersion& self, Args args) { return self.SetDLL(Arg(args, 0)); }));
    out.emplace_back(
        Member<WinDllVersion>(cls, "ISWINNT", MemberKind::Access, 0,
                              [](WinDllVersion& self, Args) { return rt::Usual(self.IsWinNT()); }));
}

}  // namespace

std::vector<rt::Declaration> DiagDeclarations() {
    RT_ENTER("DIAGDECLARATIONS", kLogFileModule);
    std::vector<rt::Declaration> out;
    DeclareLogFile(out);
    DeclareWinDllVersion(out);
    return out;
}

}  // namespace diag
