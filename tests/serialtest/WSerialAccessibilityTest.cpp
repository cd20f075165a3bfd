// The serial test window as a screen reader sees it through Qt's
// accessibility interfaces: what each control is, what names it, and which
// controls label which.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QRadioButton>
#include <algorithm>
#include <string>
#include <vector>

#include "WSerialFixture.h"

namespace serialtest {
namespace {

// The names of the objects that label `object`.
QStringList LabelsOf(QAccessibleInterface* object) {
    QStringList names;
    for (const auto& [label, relation] : object->relations(QAccessible::Label))
        names << label->text(QAccessible::Name);
    return names;
}

// Walks the levels a screen reader goes down through from `level`: a level
// with children is named (the controls' own parts, such as a list's
// drop-down, are the toolkit's and not walked). Returns the nameless levels
// met, each as the roles on its way down.
std::vector<std::string> NamelessLevels(QAccessibleInterface* level, const std::string& way = {}) {
    const std::string here = way + '/' + std::to_string(level->role());
    std::vector<std::string> nameless;
    if (level->childCount() > 0 && level->text(QAccessible::Name).isEmpty())
        nameless.push_back(here);
    const QAccessible::Role containers[] = {QAccessible::Window, QAccessible::Client,
                                            QAccessible::Grouping, QAccessible::Pane};
    if (std::find(std::begin(containers), std::end(containers), level->role()) ==
        std::end(containers))
        return nameless;
    for (int i = 0; i < level->childCount(); ++i) {
        const std::vector<std::string> below = NamelessLevels(level->child(i), here);
        nameless.insert(nameless.end(), below.begin(), below.end());
    }
    return nameless;
}

TEST_F(WSerialTest, ScreenReadersKnowEveryControlByItsRoleAndLabel) {
    Open();
    // Each list is labelled by the text to its left.
    const std::pair<const char*, const char*> lists[] = {
        {"PortListBox", "Port name"}, {"BaudListBox", "Baud rate"}, {"ParityListBox", "Parity"}};
    for (const auto& [list, label] : lists) {
        SCOPED_TRACE(list);
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(Find(list));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->role(), QAccessible::ComboBox);
        EXPECT_EQ(LabelsOf(box), QStringList{label});
    }
    // Radio buttons are radio buttons, labelled by their group's title.
    struct Radio {
        const char* name;
        const char* caption;
        const char* group;
        bool checked;
    };
    const Radio radios[] = {{"SevenButton", "7", "Data bits", false},
                            {"EightButton", "8", "Data bits", true},
                            {"ZeroButton", "1", "Stop bits", true},
                            {"TwoButton", "2", "Stop bits", false}};
    for (const Radio& r : radios) {
        SCOPED_TRACE(r.name);
        QAccessibleInterface* radio = QAccessible::queryAccessibleInterface(Find(r.name));
        ASSERT_NE(radio, nullptr);
        EXPECT_EQ(radio->role(), QAccessible::RadioButton);
        EXPECT_EQ(radio->text(QAccessible::Name), r.caption);
        EXPECT_TRUE(radio->state().checkable);
        EXPECT_EQ(radio->state().checked, r.checked);
        EXPECT_EQ(LabelsOf(radio), QStringList{r.group});
    }
    // Pressing a radio button through its action checks it and unchecks its
    // neighbour.
    QAccessibleInterface* seven = QAccessible::queryAccessibleInterface(Find("SevenButton"));
    ASSERT_NE(seven->actionInterface(), nullptr);
    seven->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(seven->state().checked);
    EXPECT_FALSE(Find<QRadioButton>("EightButton")->isChecked());
    // The top level is a window named by its caption, with the controls
    // right below it: no nameless level between them, going down or up.
    shell_->Caption("Shell caption");
    QAccessibleInterface* top = QAccessible::queryAccessibleInterface(shell_->Widget());
    EXPECT_EQ(top->role(), QAccessible::Window);
    EXPECT_EQ(top->text(QAccessible::Name), "Shell caption");
    EXPECT_EQ(NamelessLevels(top), std::vector<std::string>{});
    for (const char* control :
         {"PortListBox", "BaudListBox", "ParityListBox", "SevenButton", "EightButton", "ZeroButton",
          "TwoButton", "BeginButton", "EndButton", "ExitButton", "CommEdit", "theFixedText3"}) {
        SCOPED_TRACE(control);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(Find(control));
        ASSERT_NE(iface, nullptr);
        EXPECT_GE(top->indexOfChild(iface), 0);
        QAccessibleInterface* up = iface->parent();
        ASSERT_NE(up, nullptr);
        EXPECT_EQ(up->role(), QAccessible::Window);
        EXPECT_EQ(up->text(QAccessible::Name), "Shell caption");
        EXPECT_EQ(up->indexOfChild(iface), top->indexOfChild(iface));
        ASSERT_NE(up->parent(), nullptr);
        EXPECT_EQ(up->parent()->role(), QAccessible::Application);
    }
    // The pane is a named text.
    QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(Find("CommEdit"));
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->role(), QAccessible::EditableText);
    EXPECT_EQ(pane->text(QAccessible::Name), "Received data");
    EXPECT_NE(pane->textInterface(), nullptr);
}

}  // namespace
}  // namespace serialtest
