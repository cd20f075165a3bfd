// The settings tables and RPMsg.
#include <gtest/gtest.h>

#include "app/GStru.h"
#include "support/ModalBoxWatcher.h"

namespace app {
namespace {

using rt::Usual;

std::vector<Usual> Elements(const Usual& array) {
    EXPECT_TRUE(array.IsArray());
    return array.IsArray() && array.AsArray() ? *array.AsArray() : std::vector<Usual>{};
}

TEST(GStruTest, TablesHoldTheFixedChoicesInOrder) {
    const std::vector<Usual> ports = Elements(GStru::PortTable());
    ASSERT_EQ(ports.size(), 9u);
    for (std::size_t i = 0; i < ports.size(); ++i)
        EXPECT_EQ(ports[i], Usual("Com" + std::to_string(i + 1)));

    const std::vector<Usual> bauds = Elements(GStru::BaudTable());
    const std::vector<std::int32_t> expectedBauds = {300, 1200, 2400, 4800, 9600, 14400, 19200};
    ASSERT_EQ(bauds.size(), expectedBauds.size());
    for (std::size_t i = 0; i < bauds.size(); ++i) {
        EXPECT_TRUE(bauds[i].IsLong());
        EXPECT_EQ(bauds[i].AsLong(), expectedBauds[i]);
    }

    const std::vector<std::pair<std::string, std::int32_t>> expectedParity = {
        {"Even", 2}, {"Mark", 3}, {"None", 0}, {"Odd", 1}, {"Space", 4}};
    const std::vector<Usual> parity = Elements(GStru::ParityTable());
    ASSERT_EQ(parity.size(), expectedParity.size());
    for (std::size_t i = 0; i < parity.size(); ++i) {
        const std::vector<Usual> pair = Elements(parity[i]);
        ASSERT_EQ(pair.size(), 2u);
        EXPECT_EQ(pair[0].AsText(), expectedParity[i].first);
        EXPECT_TRUE(pair[1].IsLong());
        EXPECT_EQ(pair[1].AsLong(), expectedParity[i].second);
    }
}

TEST(GStruTest, EachCallBuildsNewArrays) {
    const Usual a = GStru::PortTable();
    const Usual b = GStru::PortTable();
    EXPECT_NE(a.AsArray().get(), b.AsArray().get());
}

TEST(GStruTest, FieldsAreReadByTheirExportedNames) {
    GStru settings;
    settings.aPort = GStru::PortTable();
    settings.aBaud = GStru::BaudTable();
    settings.aParity = GStru::ParityTable();
    EXPECT_EQ(settings.IVarGet("APORT"), settings.aPort);
    EXPECT_EQ(settings.IVarGet("ABAUD"), settings.aBaud);
    EXPECT_EQ(settings.IVarGet("APARITY"), settings.aParity);
    EXPECT_TRUE(settings.IVarGet("aPort").IsNil());
    EXPECT_TRUE(settings.IVarGet("OGSTRU").IsNil());
    EXPECT_EQ(settings.ClassName(), "GSTRU");
}

TEST(GStruTest, RPMsgCaptionDefaultsUnlessGivenEvenEmpty) {
    struct Case {
        Usual caption;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {rt::NIL, "Ошибка"},
        {Usual(""), ""},
        {Usual("Note"), "Note"},
    };
    GStru settings;
    for (const auto& c : cases) {
        testsupport::ModalBoxWatcher watcher;
        GStru& answer = settings.RPMsg(Usual("Port busy"), c.caption);
        EXPECT_EQ(&answer, &settings);
        ASSERT_EQ(watcher.Seen().size(), 1u);
        EXPECT_EQ(watcher.Seen()[0].caption, c.shown);
        EXPECT_EQ(watcher.Seen()[0].text, "Port busy");
    }
}

}  // namespace
}  // namespace app
