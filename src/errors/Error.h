#pragma once
// The error object: every runtime error travels as one. The fields are
// declared in the order the runtime lays them out; a new object has every
// field 0, FALSE, empty or NIL except Stack and SubSystem (see Init).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/runtime/Symbol.h"
#include "platform/runtime/Usual.h"

namespace errors {

class Error : public rt::Object, public std::enable_shared_from_this<Error> {
  public:
    std::string SubSystem;       // who raised it; the program path at first
    std::uint32_t SubCode = 0;   // the subsystem's own number; 5333: OS exception
    std::uint32_t GenCode = 0;   // generic code (rt::gen); the exit code on abort
    std::uint32_t OsCode = 0;    // operating-system code; the exception code for 5333
    std::uint32_t Severity = 0;  // 1 warning, 2 error, 3 raised by the handler
    bool CanDefault = false;
    bool CanRetry = false;
    bool CanSubstitute = false;
    std::string Operation;
    std::string Description;
    std::string FileName;
    rt::ArrayRef Args;  // null until the generator sets it
    std::uint32_t Tries = 0;
    rt::Symbol FuncSym;  // exception information for 5333
    std::uint32_t FileHandle = 0;
    std::uint32_t ArgNum = 0;  // parameter count for 5333
    void* FuncPtr = nullptr;   // exception address for 5333
    std::string SubCodeText;
    std::string Arg;
    std::uint32_t ArgType = 0;  // type code; exception flags for 5333
    std::uint32_t ArgTypeReq = 0;
    std::uint32_t MaxSize = 0;
    std::uint32_t SubstituteType = 0;
    std::uint32_t Choice = 0;
    rt::Symbol CallFuncSym;
    rt::Usual Cargo;
    rt::Usual MethodSelf;
    std::string Stack;

    // Error{level}: a new object, Init run. Null when no object could be made.
    static std::shared_ptr<Error> New(const rt::Usual& level = rt::NIL);

    // Stack := the call stack from `level` (a number, taken as unsigned 32
    // bits; anything else counts as 0), counted out from the code that
    // creates the object; SubSystem := the program's full path.
    void Init(const rt::Usual& level = rt::NIL);
    // Hands the object to the current error block; returns the block's
    // result (NIL when no block is installed).
    rt::Usual Throw();

    std::string ClassName() const override { return "ERROR"; }

    // An unsigned 32-bit field as a dynamic value: an integer when it fits,
    // else a floating number (so 3221225477 keeps its value).
    static rt::Usual Number(std::uint32_t value);

  private:
    // The work of Init, called by Init and New alike.
    void InitAt(const rt::Usual& level);
};

// The error object carried by `value`; null when it carries none (the
// instance check of the class Error and the classes derived from it).
std::shared_ptr<Error> AsError(const rt::Usual& value);

}  // namespace errors
