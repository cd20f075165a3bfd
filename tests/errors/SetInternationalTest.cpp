// SetInternational over an injected user locale: the three modes, the
// fallbacks, the guard and the argument error.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "errors/Error.h"
#include "errors/SetInternational.h"
#include "platform/os/LocaleInfo.h"
#include "platform/os/SystemLocaleSource.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/DateTime.h"
#include "platform/runtime/ErrorSystem.h"
#include "platform/runtime/IntlOperations.h"
#include "platform/runtime/RuntimeState.h"

namespace {

using os::LCTYPE;
using Items = std::map<LCTYPE, std::string>;

// A user locale made of the items given; every other item fails to read.
// One item may instead throw a C++ exception or raise a runtime error.
class FakeLocale : public os::LocaleSource {
  public:
    enum class Fault { None, Throw, Raise };

    explicit FakeLocale(Items items, LCTYPE faulty = 0, Fault fault = Fault::None)
        : items_(std::move(items)), faulty_(faulty), fault_(fault) {}

    os::LCID UserDefaultLCID() const override { return 0x0407; }
    std::optional<std::string> Item(os::LCID lcid, LCTYPE type) const override {
        ++reads;
        if (type == faulty_ && fault_ == Fault::Throw) throw std::runtime_error("locale gone");
        if (type == faulty_ && fault_ == Fault::Raise) {
            auto error = errors::Error::New();
            error->GenCode = 23;
            error->Throw();
            return std::nullopt;  // a block that returns lets the read fail
        }
        if (lcid != 0x0407) return std::nullopt;
        const auto it = items_.find(type);
        if (it == items_.end()) return std::nullopt;
        return it->second;
    }

    mutable int reads = 0;

  private:
    Items items_;
    LCTYPE faulty_;
    Fault fault_;
};

// Each test starts from the runtime's initial settings with its own locale
// and an error block that records what it is handed; everything is put
// back afterwards.
class SetInternationalTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedSettings_ = rt::State().intl;
        rt::State().intl = rt::IntlSettings{};
        savedSource_ = os::SetLocaleSource(nullptr);
        savedBlock_ = rt::ErrorBlock(recorder_);
    }
    void TearDown() override {
        rt::ErrorBlock(savedBlock_);
        os::SetLocaleSource(savedSource_);
        rt::State().intl = savedSettings_;
    }
    std::shared_ptr<FakeLocale> UseLocale(Items items, LCTYPE faulty = 0,
                                          FakeLocale::Fault fault = FakeLocale::Fault::None) {
        auto locale = std::make_shared<FakeLocale>(std::move(items), faulty, fault);
        os::SetLocaleSource(locale);
        return locale;
    }
    static rt::Symbol Sym(const char* name) { return rt::State().symbols.Add(name); }
    static const rt::IntlSettings& Now() { return rt::State().intl; }

    std::vector<std::shared_ptr<errors::Error>> reports_;
    rt::CodeBlockRef recorder_ =
        std::make_shared<const rt::CodeBlock>([this](const rt::Usual& error) {
            reports_.push_back(errors::AsError(error));
            return rt::Usual(false);
        });

  private:
    rt::IntlSettings savedSettings_;
    std::shared_ptr<os::LocaleSource> savedSource_;
    rt::CodeBlockRef savedBlock_;
};

TEST_F(SetInternationalTest, DateFormatsFromOrderSeparatorAndPattern) {
    struct Case {
        const char* what;
        Items items;
        const char* format;
    };
    const Case cases[] = {
        {"day-month-year with full stops",
         {{os::LOCALE_IDATE, "1"}, {os::LOCALE_SDATE, "."}, {os::LOCALE_SSHORTDATE, "dd.MM.yyyy"}},
         "DD.MM.YYYY"},
        {"month-day-year with slashes",
         {{os::LOCALE_IDATE, "0"}, {os::LOCALE_SDATE, "/"}, {os::LOCALE_SSHORTDATE, "M/d/yyyy"}},
         "MM/DD/YYYY"},
        {"year-month-day with hyphens",
         {{os::LOCALE_IDATE, "2"}, {os::LOCALE_SDATE, "-"}, {os::LOCALE_SSHORTDATE, "yyyy-MM-dd"}},
         "YYYY-MM-DD"},
        {"two-digit year",
         {{os::LOCALE_IDATE, "1"}, {os::LOCALE_SDATE, "."}, {os::LOCALE_SSHORTDATE, "dd.MM.yy"}},
         "DD.MM.YY"},
        {"unknown order counts as month first",
         {{os::LOCALE_IDATE, "7"}, {os::LOCALE_SDATE, "."}, {os::LOCALE_SSHORTDATE, "d.M.yyyy"}},
         "MM.DD.YYYY"},
        {"a separator of several characters keeps its first",
         {{os::LOCALE_IDATE, "1"}, {os::LOCALE_SDATE, ". "}, {os::LOCALE_SSHORTDATE, "d. M. yy"}},
         "DD.MM.YY"},
        {"an empty separator falls back",
         {{os::LOCALE_IDATE, "1"}, {os::LOCALE_SDATE, ""}, {os::LOCALE_SSHORTDATE, "ddMMyyyy"}},
         "DD/MM/YYYY"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        UseLocale(c.items);
        errors::SetInternational(Sym("WINDOWS"));
        EXPECT_EQ(Now().dateFormat, c.format);
        // Century display is on whatever the pattern's year.
        EXPECT_TRUE(Now().century);
        EXPECT_EQ(Now().epoch, 1910);
    }
    EXPECT_TRUE(reports_.empty());
}

TEST_F(SetInternationalTest, ALocaleWithEveryItem) {
    UseLocale({{os::LOCALE_SDECIMAL, ","},
               {os::LOCALE_STHOUSAND, ".."},
               {os::LOCALE_STIME, "."},
               {os::LOCALE_ITIME, "1"},
               {os::LOCALE_S1159, "vorm."},
               {os::LOCALE_S2359, "nachm."},
               {os::LOCALE_IDATE, "1"},
               {os::LOCALE_SDATE, "."},
               {os::LOCALE_SSHORTDATE, "dd.MM.yyyy"},
               {os::LOCALE_IDIGITS, "3"}});
    EXPECT_EQ(errors::SetInternational(Sym("WINDOWS")), Sym("LEGACY"));
    EXPECT_EQ(Now().decimalSep, ',');
    EXPECT_EQ(Now().thousandSep, '.');
    EXPECT_EQ(Now().timeSep, '.');
    // The 24-hour clock, with the am and pm texts set all the same.
    EXPECT_FALSE(Now().amPm);
    EXPECT_EQ(Now().amExt, " vorm.");
    EXPECT_EQ(Now().pmExt, " nachm.");
    EXPECT_EQ(Now().decimals, 3);
    EXPECT_EQ(rt::SetIntl(), 1);
    EXPECT_EQ(rt::SetDict(), 1);
    EXPECT_EQ(errors::SetInternational(), Sym("WINDOWS"));

    // The texts the program writes follow.
    EXPECT_EQ(rt::DToC(rt::ConDate(2026, 12, 7)), "07.12.2026");
    EXPECT_EQ(rt::TimeText(14, 5, 9), "14.05.09");
    EXPECT_EQ(rt::AsString(1.25), "1,250");
}

TEST_F(SetInternationalTest, EveryReadFailingGivesTheFallbacks) {
    auto locale = UseLocale({});
    errors::SetInternational(Sym("WINDOWS"));
    EXPECT_EQ(locale->reads, 10);
    EXPECT_EQ(Now().decimalSep, '.');
    EXPECT_EQ(Now().thousandSep, ',');
    EXPECT_EQ(Now().timeSep, ':');
    EXPECT_TRUE(Now().amPm);
    EXPECT_EQ(Now().amExt, " am");
    EXPECT_EQ(Now().pmExt, " pm");
    EXPECT_EQ(Now().dateFormat, "MM/DD/YY");
    EXPECT_EQ(Now().decimals, 2);
    EXPECT_TRUE(Now().century);
    EXPECT_EQ(Now().epoch, 1910);
    EXPECT_EQ(rt::TimeText(0, 0, 1), "12:00:01 am");
    EXPECT_EQ(rt::DToC(rt::ConDate(2026, 12, 7)), "12/07/2026");
    EXPECT_TRUE(reports_.empty());
}

TEST_F(SetInternationalTest, QtLocalesThroughThePlatformSource) {
    struct Case {
        const char* locale;
        char decimal;
        char thousands;
        bool twelveHour;
        const char* am;
        const char* format;
        const char* date;
    };
    const Case cases[] = {
        {"ru_RU", ',', ' ', false, " AM", "DD.MM.YYYY", "07.12.2026"},
        {"en_US", '.', ',', true, " AM", "MM/DD/YY", "12/07/2026"},
        {"sv_SE", ',', ' ', false, " fm", "YYYY-MM-DD", "2026-12-07"},
        {"de_DE", ',', '.', false, " AM", "DD.MM.YY", "07.12.2026"},
        // The C locale names its month: the date falls back, the clock does not.
        {"C", '.', ',', false, " AM", "MM/DD/YY", "12/07/2026"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        os::SetLocaleSource(
            std::make_shared<os::SystemLocaleSource>(QLocale(QString::fromLatin1(c.locale))));
        errors::SetInternational(Sym("WINDOWS"));
        EXPECT_EQ(Now().decimalSep, c.decimal);
        EXPECT_EQ(Now().thousandSep, c.thousands);
        EXPECT_EQ(Now().amPm, c.twelveHour);
        EXPECT_EQ(Now().amExt, c.am);
        EXPECT_EQ(Now().dateFormat, c.format);
        EXPECT_EQ(rt::DToC(rt::ConDate(2026, 12, 7)), c.date);
    }
    EXPECT_TRUE(reports_.empty());
}

TEST_F(SetInternationalTest, FixedModesAfterWindows) {
    struct Case {
        const char* mode;
        std::int32_t switches;
    };
    for (const Case c : {Case{"LEGACY", 0}, Case{"BINARY", 2}}) {
        SCOPED_TRACE(c.mode);
        UseLocale({{os::LOCALE_SDECIMAL, ","},
                   {os::LOCALE_STIME, "."},
                   {os::LOCALE_ITIME, "0"},
                   {os::LOCALE_S1159, "AM"},
                   {os::LOCALE_IDATE, "2"},
                   {os::LOCALE_SDATE, "-"},
                   {os::LOCALE_SSHORTDATE, "yyyy-MM-dd"},
                   {os::LOCALE_IDIGITS, "0"}});
        errors::SetInternational(Sym("WINDOWS"));
        ASSERT_EQ(Now().dateFormat, "YYYY-MM-DD");

        EXPECT_EQ(errors::SetInternational(Sym(c.mode)), Sym("WINDOWS"));
        EXPECT_EQ(Now().decimalSep, '.');
        EXPECT_EQ(Now().thousandSep, ',');
        EXPECT_EQ(Now().timeSep, ':');
        EXPECT_FALSE(Now().amPm);
        EXPECT_EQ(Now().amExt, "");
        EXPECT_EQ(Now().pmExt, "");
        EXPECT_EQ(Now().dateFormat, "MM/DD/YY");
        EXPECT_EQ(Now().decimals, 2);
        EXPECT_FALSE(Now().century);
        EXPECT_EQ(Now().epoch, 1910);  // left as WINDOWS set it
        EXPECT_EQ(rt::SetIntl(), c.switches);
        EXPECT_EQ(rt::SetDict(), c.switches);
        EXPECT_EQ(errors::SetInternational(), Sym(c.mode));
        EXPECT_EQ(rt::DToC(rt::ConDate(2026, 12, 7)), "12/07/26");
    }
}

TEST_F(SetInternationalTest, WithoutArgumentNothingChanges) {
    auto locale = UseLocale({{os::LOCALE_SDECIMAL, ","}});
    rt::State().intl.intl = 2;
    const rt::IntlSettings before = Now();
    EXPECT_EQ(errors::SetInternational(), Sym("BINARY"));
    rt::State().intl.intl = 17;
    EXPECT_EQ(errors::SetInternational(rt::NIL), Sym("LEGACY"));
    EXPECT_EQ(Now().decimalSep, before.decimalSep);
    EXPECT_EQ(locale->reads, 0);
    EXPECT_TRUE(reports_.empty());
}

TEST_F(SetInternationalTest, AnUnknownModeIsOneArgumentErrorAndChangesNothing) {
    auto locale = UseLocale({{os::LOCALE_SDECIMAL, ","}});
    struct Case {
        const char* what;
        rt::Usual mode;
        const char* arg;
    };
    const Case cases[] = {
        {"unknown symbol", Sym("WINDOWS95"), "WINDOWS95"},
        {"lower-case symbol", Sym("windows"), "windows"},
        {"a text", rt::Usual("WINDOWS"), "WINDOWS"},
        {"a number", rt::Usual(std::int32_t{1}), "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        reports_.clear();
        EXPECT_EQ(errors::SetInternational(c.mode), Sym("LEGACY"));
        ASSERT_EQ(reports_.size(), 1u);
        ASSERT_TRUE(reports_[0]);
        EXPECT_EQ(reports_[0]->SubSystem, "International");
        EXPECT_EQ(reports_[0]->GenCode, 30u);
        EXPECT_EQ(reports_[0]->Arg, c.arg);
        EXPECT_TRUE(reports_[0]->CanDefault);
        EXPECT_FALSE(reports_[0]->CanRetry);
        EXPECT_FALSE(reports_[0]->CanSubstitute);
        // The report's call stack begins at SetInternational.
        EXPECT_EQ(reports_[0]->Stack.rfind("SETINTERNATIONAL", 0), 0u) << reports_[0]->Stack;
    }
    EXPECT_EQ(locale->reads, 0);
    EXPECT_EQ(Now().decimalSep, '.');
    EXPECT_EQ(rt::SetIntl(), 0);
}

TEST_F(SetInternationalTest, ARuntimeErrorEndsTheCallQuietly) {
    struct Case {
        const char* what;
        FakeLocale::Fault fault;
    };
    for (const Case c : {Case{"runtime error", FakeLocale::Fault::Raise},
                         Case{"C++ exception", FakeLocale::Fault::Throw}}) {
        SCOPED_TRACE(c.what);
        rt::State().intl = rt::IntlSettings{};
        reports_.clear();
        // The failure comes at the date order, after the clock was set.
        UseLocale({{os::LOCALE_SDECIMAL, ","},
                   {os::LOCALE_ITIME, "1"},
                   {os::LOCALE_SSHORTDATE, "dd.MM.yyyy"}},
                  os::LOCALE_IDATE, c.fault);
        EXPECT_EQ(errors::SetInternational(Sym("WINDOWS")), Sym("LEGACY"));
        // What was set before the failure stays, nothing after it is set.
        EXPECT_EQ(rt::SetIntl(), 1);
        EXPECT_EQ(Now().decimalSep, ',');
        EXPECT_FALSE(Now().amPm);
        EXPECT_EQ(Now().amExt, " am");
        EXPECT_EQ(Now().dateFormat, "MM/DD/YY");
        EXPECT_FALSE(Now().century);
        EXPECT_EQ(Now().epoch, 1900);
        // No report, and the regular error block is back in place.
        EXPECT_TRUE(reports_.empty());
        EXPECT_EQ(rt::ErrorBlock(), recorder_);
        EXPECT_FALSE(rt::CanBreak());
    }
}

}  // namespace
