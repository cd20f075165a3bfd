#include "platform/os/SystemLocaleSource.h"

#include <vector>

#include "platform/os/LocaleInfo.h"

namespace os {
namespace {

std::optional<std::string> OneCharacter(const QString& text) {
    if (text.isEmpty()) return std::nullopt;
    const QChar c = text.front();
    if (c.unicode() < 0x80) return std::string(1, static_cast<char>(c.unicode()));
    if (c.isSpace()) return std::string(" ");
    return std::nullopt;
}

// The pattern letters of a date or time format, outside its quoted
// literals: the letters of the format in order, with the characters that
// follow each run of one letter.
struct Field {
    QChar letter;
    QChar next;  // the character after the run; null at the end
};

std::vector<Field> FieldsOf(const QString& format) {
    std::vector<Field> fields;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted || !c.isLetter()) continue;
        qsizetype end = i;
        while (end < format.size() && format[end] == c) ++end;
        fields.push_back({c, end < format.size() ? format[end] : QChar()});
        i = end - 1;
    }
    return fields;
}

std::optional<std::string> Separator(const QChar& next) {
    if (next.isNull() || next.isLetter() || next == u'\'') return std::nullopt;
    return OneCharacter(QString(next));
}

std::optional<std::string> TimeSeparator(const QString& format) {
    for (const Field& field : FieldsOf(format)) {
        if (field.letter == u'h' || field.letter == u'H') return Separator(field.next);
    }
    return std::nullopt;
}

std::optional<std::string> TwelveHourFlag(const QString& format) {
    for (const Field& field : FieldsOf(format)) {
        if (field.letter == u'a' || field.letter == u'A') return std::string("0");
    }
    return std::string("1");
}

// TRUE when the pattern writes the month as a name ("MMM", as the C
// locale's "d MMM yyyy" does): the runtime's date formats are numeric only.
bool NamesTheMonth(const QString& format) {
    bool quoted = false;
    for (qsizetype i = 0; i + 2 < format.size(); ++i) {
        if (format[i] == u'\'') quoted = !quoted;
        if (!quoted && format[i] == u'M' && format[i + 1] == u'M' && format[i + 2] == u'M') {
            return true;
        }
    }
    return false;
}

std::optional<std::string> DateOrder(const QString& format) {
    for (const Field& field : FieldsOf(format)) {
        if (field.letter == u'M') return std::string("0");
        if (field.letter == u'd') return std::string("1");
        if (field.letter == u'y') return std::string("2");
    }
    return std::nullopt;
}

std::optional<std::string> DateSeparator(const QString& format) {
    const auto fields = FieldsOf(format);
    if (fields.empty()) return std::nullopt;
    return Separator(fields.front().next);
}

}  // namespace

SystemLocaleSource::SystemLocaleSource(QLocale locale) : locale_(std::move(locale)) {}

LCID SystemLocaleSource::UserDefaultLCID() const {
    return LOCALE_USER_DEFAULT;
}

std::optional<std::string> SystemLocaleSource::Item(LCID lcid, LCTYPE type) const {
    if (lcid != LOCALE_USER_DEFAULT) return std::nullopt;
    const QString timeFormat = locale_.timeFormat(QLocale::ShortFormat);
    const QString dateFormat = locale_.dateFormat(QLocale::ShortFormat);
    const bool numericDate = !NamesTheMonth(dateFormat);
    switch (type) {
        case LOCALE_SDECIMAL:
            return OneCharacter(locale_.decimalPoint());
        case LOCALE_STHOUSAND:
            return OneCharacter(locale_.groupSeparator());
        case LOCALE_STIME:
            return TimeSeparator(timeFormat);
        case LOCALE_ITIME:
            return TwelveHourFlag(timeFormat);
        case LOCALE_S1159:
            return locale_.amText().toStdString();
        case LOCALE_S2359:
            return locale_.pmText().toStdString();
        case LOCALE_IDATE:
            return numericDate ? DateOrder(dateFormat) : std::nullopt;
        case LOCALE_SDATE:
            return numericDate ? DateSeparator(dateFormat) : std::nullopt;
        case LOCALE_SSHORTDATE:
            return numericDate ? std::optional(dateFormat.toStdString()) : std::nullopt;
        default:
            return std::nullopt;
    }
}

}  // namespace os
