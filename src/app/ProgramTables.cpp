#include "app/ProgramTables.h"

#include "app/SymbolNumbers.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/RuntimeState.h"

namespace app {
namespace {

rt::ClassRecord Class(rt::Symbol cls, rt::Symbol base) {
    rt::ClassRecord record;
    record.symbol = cls;
    record.base = base;
    return record;
}

// The library classes the program creates, checks or derives from, each
// after its base.
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
        {kLOGFILE, kOBJECT},
        {kWINDLLVERSION, kOBJECT},
    };
    for (const auto& [cls, base] : classes) {
        RT_LINE();
        out.emplace_back(Class(cls, base));
    }
}

// The program's own classes.
void DeclareOwnClasses(std::vector<Declaration>& out) {
    RT_ENTER("DECLAREOWNCLASSES", "Start");
    using namespace sym;
    RT_LINE();
    out.emplace_back(Class(kSERIALMLE, kMULTILINEEDIT));
    out.emplace_back(Class(kSTANDARDSDIWINDOW, kTOPAPPWINDOW));
    out.emplace_back(Class(kSTDDATAWINDOW, kDATAWINDOW));
    out.emplace_back(Class(kGSTRU, {}));
    out.emplace_back(Class(kWSERIAL, kDATAWINDOW));
    out.emplace_back(Class(kFSERIAL, kICON));
}

}  // namespace

std::size_t ProgramTables::ClassCount() const {
    std::size_t count = 0;
    for (const auto& declaration : declarations) {
        if (std::holds_alternative<rt::ClassRecord>(declaration)) ++count;
    }
    return count;
}

ProgramTables MakeProgramTables() {
    RT_ENTER("MAKEPROGRAMTABLES", "Start");
    ProgramTables tables;
    RT_LINE();
    DeclareLibraryClasses(tables.declarations);
    RT_LINE();
    DeclareOwnClasses(tables.declarations);
    return tables;
}

}  // namespace app
