#pragma once
// Texts the runtime's conversions produce for values that have no digits
// of their own.

namespace rt::texts {

inline constexpr char kNil[] = "NIL";
inline constexpr char kTrue[] = "TRUE";
inline constexpr char kFalse[] = "FALSE";
inline constexpr char kNullArray[] = "NULL_ARRAY";
inline constexpr char kNullObject[] = "NULL_OBJECT";
inline constexpr char kInfinite[] = "INF";
inline constexpr char kNotANumber[] = "NAN";
// The runtime's version text (Version()).
inline constexpr char kVersion[] = "Comtest Runtime 1.0";

}  // namespace rt::texts
