// The settings tables and RPMsg.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/GStru.h"
#include "support/ModalBoxWatcher.h"

namespace app {
namespace {

using rt::Usual;

std::vector<Usual> Elements(const Usual& array) {
    EXPECT_TRUE(array.IsArray());
    return array.IsArray() && array.AsArray() ? *array.AsArray() : std::vector<Usual>{};
}

// The entries and their order show in the window's lists (checked where the
// program starts); what reaches the device is each baud rate as a number and
// the code each parity name carries.
TEST(GStruTest, EntriesCarryWhatTheDeviceTakes) {
    for (const Usual& baud : Elements(GStru::BaudTable())) EXPECT_TRUE(baud.IsLong());

    const std::map<std::string, std::int32_t> expected = {
        {"Even", 2}, {"Mark", 3}, {"None", 0}, {"Odd", 1}, {"Space", 4}};
    std::map<std::string, std::int32_t> codes;
    for (const Usual& entry : Elements(GStru::ParityTable())) {
        const std::vector<Usual> pair = Elements(entry);
        ASSERT_EQ(pair.size(), 2u);
        ASSERT_TRUE(pair[1].IsLong()) << pair[0].AsText();
        codes[pair[0].AsText()] = pair[1].AsLong();
    }
    EXPECT_EQ(codes, expected);
}

TEST(GStruTest, EachCallBuildsNewArrays) {
    const Usual a = GStru::PortTable();
    const Usual b = GStru::PortTable();
    EXPECT_NE(a.AsArray().get(), b.AsArray().get());
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
