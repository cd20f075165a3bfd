#pragma once
// SetInternational: sets all of the runtime's international settings at
// once from one of three modes.
//
//   WINDOWS  from the current user's locale (os::GetLocaleInfoA), each item
//            that cannot be read replaced by its fallback: "." decimal, ","
//            thousands, ":" time separator, 12-hour clock, " am" / " pm",
//            date format from order, separator and short date pattern (the
//            pattern's "YYYY" decides between a four- and a two-letter
//            year; day and month always take two letters), 2 decimals;
//            then the dictionary switch on, century on, epoch 1910.
//  LEGACY,   fixed: ".", ",", ":", 24-hour clock, empty am/pm texts,
//  BINARY    "MM/DD/YY", 2 decimals, century off, the epoch left alone;
//            both switches FALSE (LEGACY) or 2 (BINARY).
//
// Returns the mode in force before the call. Without an argument (NIL) it
// only returns it. An argument that is not one of the three mode symbols is
// reported to the current error block as an argument error (SubSystem
// "International", GenCode 30, the argument's text as Arg, the default
// offered) and nothing changes. While the settings are applied a guard
// stands in for the error block: a runtime error ends the call quietly,
// the settings made until then stay, and the error block is put back.
//
// One deliberate difference to reading the items literally: an item read
// as an empty text gives no character, so a separator falls back as if the
// read had failed, instead of becoming a zero byte that would end every
// text it appears in.

#include "platform/runtime/Symbol.h"
#include "platform/runtime/Usual.h"

namespace errors {

rt::Symbol SetInternational(const rt::Usual& mode = rt::NIL);

// Reports an argument that is no mode (IntlArgError).
void IntlArgError(const rt::Usual& mode);

}  // namespace errors
