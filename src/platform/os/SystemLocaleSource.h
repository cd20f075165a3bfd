#pragma once
// The platform's locale source: a Qt locale (by default the user's, as the
// environment selects it) mapped onto the locale items of LocaleInfo.h.
//
//   LOCALE_SDECIMAL, LOCALE_STHOUSAND   the decimal and group separators
//   LOCALE_STIME                        the character after the hours of the
//                                       short time format
//   LOCALE_ITIME                        "0" when the short time format shows
//                                       am/pm (12-hour clock), else "1"
//   LOCALE_S1159, LOCALE_S2359          the am and pm texts
//   LOCALE_IDATE                        date order of the short date format:
//                                       "0" month first, "1" day first,
//                                       "2" year first
//   LOCALE_SDATE                        the character after the first field
//                                       of the short date format
//   LOCALE_SSHORTDATE                   the short date format
//
// A short date format that writes the month as a name (the C locale's
// "d MMM yyyy") fails the three date items: the runtime's date formats are
// numeric, and its fallbacks are the better answer.
//
// Texts are UTF-8. A one-character item whose character is not ASCII reads
// as " " when it is a kind of space (a no-break space between thousands)
// and fails otherwise, so the runtime's fallback applies rather than a
// broken byte. Items the locale has no equivalent for fail: LOCALE_IDIGITS
// (Qt keeps no default number of decimals) and any other item number, as
// does every item asked for another locale identifier.

#include <QLocale>

#include "platform/os/LocaleSource.h"

namespace os {

class SystemLocaleSource : public LocaleSource {
  public:
    explicit SystemLocaleSource(QLocale locale = QLocale::system());

    // Always LOCALE_USER_DEFAULT: the locale has no platform number here.
    LCID UserDefaultLCID() const override;
    std::optional<std::string> Item(LCID lcid, LCTYPE type) const override;

  private:
    QLocale locale_;
};

}  // namespace os
