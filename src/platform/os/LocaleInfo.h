#pragma once
// The stand-ins for the platform's GetUserDefaultLCID and GetLocaleInfoA,
// answering from the installed LocaleSource.

#include <memory>

#include "platform/os/LocaleSource.h"

namespace os {

// The locale items the runtime reads, by their platform numbers.
inline constexpr LCTYPE LOCALE_SDECIMAL = 14;
inline constexpr LCTYPE LOCALE_STHOUSAND = 15;
inline constexpr LCTYPE LOCALE_IDIGITS = 17;
inline constexpr LCTYPE LOCALE_SDATE = 29;
inline constexpr LCTYPE LOCALE_STIME = 30;
inline constexpr LCTYPE LOCALE_SSHORTDATE = 31;
inline constexpr LCTYPE LOCALE_IDATE = 33;
inline constexpr LCTYPE LOCALE_ITIME = 35;
inline constexpr LCTYPE LOCALE_S1159 = 40;
inline constexpr LCTYPE LOCALE_S2359 = 41;

// The identifier that stands for "the current user's locale".
inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;

LCID GetUserDefaultLCID();

// Copies one locale item with its closing zero into `buffer` of `size`
// bytes and returns the bytes written, the zero included. A `size` of 0
// asks only for the bytes needed (buffer may be null). Returns 0 when the
// item cannot be read, when the buffer is too small (nothing is written
// then) or when the arguments are invalid.
int GetLocaleInfoA(LCID lcid, LCTYPE type, char* buffer, int size);

// Installs the source the two functions answer from and returns the one
// installed before; nullptr puts the platform's own source back.
std::shared_ptr<LocaleSource> SetLocaleSource(std::shared_ptr<LocaleSource> source);

}  // namespace os
