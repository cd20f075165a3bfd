#pragma once
// Generic error codes: the runtime's classification of an error, carried in
// an error object's GenCode and used as the exit code when the operator
// aborts without a recovery point. ErrString gives each code's text.

#include <cstdint>

namespace rt {

namespace gen {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kArgument = 1;     // an argument is out of its range
inline constexpr std::uint32_t kBound = 2;        // an index beyond an array's end
inline constexpr std::uint32_t kNumOverflow = 4;  // a result does not fit 32 bits
inline constexpr std::uint32_t kZeroDivide = 5;
inline constexpr std::uint32_t kNumeric = 6;      // any other arithmetic fault
inline constexpr std::uint32_t kMemory = 11;      // memory could not be had
inline constexpr std::uint32_t kNoFunction = 12;  // a function name is unknown
inline constexpr std::uint32_t kNoMethod = 13;    // an object lacks the method sent
inline constexpr std::uint32_t kNoVariable = 14;  // a variable does not exist
inline constexpr std::uint32_t kCreate = 20;      // a file cannot be created
inline constexpr std::uint32_t kOpen = 21;        // a file cannot be opened
inline constexpr std::uint32_t kClose = 22;
inline constexpr std::uint32_t kRead = 23;
inline constexpr std::uint32_t kWrite = 24;
inline constexpr std::uint32_t kDataType = 28;    // a value of the wrong type
inline constexpr std::uint32_t kBadSetting = 30;  // an unknown mode or setting
inline constexpr std::uint32_t kNoObject = 34;    // a window, icon or object cannot be made
inline constexpr std::uint32_t kLock = 40;        // a record or file lock is refused
inline constexpr std::uint32_t kInternal = 50;    // the runtime's own internal error
inline constexpr std::uint32_t kException = 51;   // a C++ exception left an event handler
}  // namespace gen

// SubCode that marks an operating-system exception: OsCode, ArgType, FuncPtr
// and FuncSym then carry the exception's code, flags, address and information.
inline constexpr std::uint32_t kSubCodeOsException = 5333;

// Operating-system codes the error system tells apart.
namespace oscode {
inline constexpr std::uint32_t kPathNotFound = 3;
inline constexpr std::uint32_t kAccessDenied = 5;
inline constexpr std::uint32_t kSharingViolation = 32;
inline constexpr std::uint32_t kLockViolation = 33;
}  // namespace oscode

}  // namespace rt
