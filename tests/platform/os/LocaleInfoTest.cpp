// The locale stand-ins: the buffer contract of GetLocaleInfoA, the
// installable source, and the Qt locale mapped onto the locale items.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>

#include "platform/os/LocaleInfo.h"
#include "platform/os/SystemLocaleSource.h"

namespace {

using os::LCTYPE;

class MapSource : public os::LocaleSource {
  public:
    explicit MapSource(std::map<LCTYPE, std::string> items) : items_(std::move(items)) {}
    os::LCID UserDefaultLCID() const override { return 0x0419; }
    std::optional<std::string> Item(os::LCID lcid, LCTYPE type) const override {
        if (lcid != 0x0419) return std::nullopt;
        const auto it = items_.find(type);
        if (it == items_.end()) return std::nullopt;
        return it->second;
    }

  private:
    std::map<LCTYPE, std::string> items_;
};

// Installs a source for one test and puts the previous one back.
class SourceScope {
  public:
    explicit SourceScope(std::shared_ptr<os::LocaleSource> source)
        : previous_(os::SetLocaleSource(std::move(source))) {}
    ~SourceScope() { os::SetLocaleSource(previous_); }

  private:
    std::shared_ptr<os::LocaleSource> previous_;
};

TEST(LocaleInfoTest, CopiesTheItemWithItsClosingZeroWhenItFits) {
    SourceScope scope(std::make_shared<MapSource>(
        std::map<LCTYPE, std::string>{{os::LOCALE_SDECIMAL, ","}, {os::LOCALE_S1159, "AM"}}));
    ASSERT_EQ(os::GetUserDefaultLCID(), 0x0419u);

    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(os::GetLocaleInfoA(0x0419, os::LOCALE_S1159, buffer, 64), 3);
    EXPECT_STREQ(buffer, "AM");

    struct Case {
        const char* what;
        os::LCID lcid;
        LCTYPE type;
        int size;
        int result;
    };
    const Case cases[] = {
        {"exact fit", 0x0419, os::LOCALE_S1159, 3, 3},
        {"one byte short", 0x0419, os::LOCALE_S1159, 2, 0},
        {"size query", 0x0419, os::LOCALE_S1159, 0, 3},
        {"missing item", 0x0419, os::LOCALE_STIME, 64, 0},
        {"other locale", 0x0409, os::LOCALE_SDECIMAL, 64, 0},
        {"negative size", 0x0419, os::LOCALE_SDECIMAL, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(os::GetLocaleInfoA(c.lcid, c.type, buffer, c.size), c.result);
        // A failed read leaves the buffer alone.
        if (c.result == 0) {
            EXPECT_EQ(buffer[0], 'x');
        }
    }
    EXPECT_EQ(os::GetLocaleInfoA(0x0419, os::LOCALE_SDECIMAL, nullptr, 0), 2);
    EXPECT_EQ(os::GetLocaleInfoA(0x0419, os::LOCALE_SDECIMAL, nullptr, 8), 0);
}

TEST(LocaleInfoTest, InstallingASourceReturnsThePreviousOne) {
    auto first = std::make_shared<MapSource>(std::map<LCTYPE, std::string>{});
    auto second = std::make_shared<MapSource>(std::map<LCTYPE, std::string>{});
    const auto original = os::SetLocaleSource(first);
    EXPECT_EQ(os::SetLocaleSource(second), first);
    EXPECT_EQ(os::SetLocaleSource(nullptr), second);
    // Back on the platform's source, which answers for the user default.
    EXPECT_EQ(os::GetUserDefaultLCID(), os::LOCALE_USER_DEFAULT);
    os::SetLocaleSource(original);
}

struct LocaleExpectation {
    const char* name;
    std::map<LCTYPE, std::optional<std::string>> items;
};

TEST(SystemLocaleSourceTest, MapsQtLocalesOntoTheItems) {
    using os::LOCALE_IDATE, os::LOCALE_SDATE, os::LOCALE_SSHORTDATE, os::LOCALE_STIME,
        os::LOCALE_ITIME, os::LOCALE_SDECIMAL, os::LOCALE_STHOUSAND, os::LOCALE_S1159,
        os::LOCALE_S2359, os::LOCALE_IDIGITS;
    const std::optional<std::string> fails;
    const LocaleExpectation cases[] = {
        {"en_US",
         {{LOCALE_SDECIMAL, "."},
          {LOCALE_STHOUSAND, ","},
          {LOCALE_STIME, ":"},
          {LOCALE_ITIME, "0"},
          {LOCALE_S1159, "AM"},
          {LOCALE_S2359, "PM"},
          {LOCALE_IDATE, "0"},
          {LOCALE_SDATE, "/"},
          {LOCALE_SSHORTDATE, "M/d/yy"},
          {LOCALE_IDIGITS, fails}}},
        // A no-break space between thousands reads as a plain space.
        {"ru_RU",
         {{LOCALE_SDECIMAL, ","},
          {LOCALE_STHOUSAND, " "},
          {LOCALE_STIME, ":"},
          {LOCALE_ITIME, "1"},
          {LOCALE_IDATE, "1"},
          {LOCALE_SDATE, "."},
          {LOCALE_SSHORTDATE, "dd.MM.yyyy"}}},
        {"sv_SE",
         {{LOCALE_IDATE, "2"},
          {LOCALE_SDATE, "-"},
          {LOCALE_SSHORTDATE, "yyyy-MM-dd"},
          {LOCALE_S1159, "fm"}}},
        {"fi_FI", {{LOCALE_STIME, "."}, {LOCALE_ITIME, "1"}, {LOCALE_SDATE, "."}}},
        // Characters that are neither ASCII nor spaces fail the read.
        {"ar_EG", {{LOCALE_SDECIMAL, fails}, {LOCALE_SDATE, fails}, {LOCALE_IDATE, "1"}}},
        // The C locale names its month: the date items fail, the clock reads.
        {"C",
         {{LOCALE_IDATE, fails},
          {LOCALE_SDATE, fails},
          {LOCALE_SSHORTDATE, fails},
          {LOCALE_STIME, ":"},
          {LOCALE_ITIME, "1"},
          {LOCALE_SDECIMAL, "."}}},
        {"ja_JP", {{LOCALE_S1159, "\xE5\x8D\x88\xE5\x89\x8D"}, {LOCALE_IDATE, "2"}}},
    };
    for (const auto& c : cases) {
        const os::SystemLocaleSource source{QLocale(QString::fromLatin1(c.name))};
        for (const auto& [type, expected] : c.items) {
            SCOPED_TRACE(std::string(c.name) + " item " + std::to_string(type));
            EXPECT_EQ(source.Item(os::LOCALE_USER_DEFAULT, type), expected);
        }
        EXPECT_EQ(source.Item(0x0409, os::LOCALE_SDECIMAL), std::nullopt);
        EXPECT_EQ(source.Item(os::LOCALE_USER_DEFAULT, 9999), std::nullopt);
    }
}

}  // namespace
