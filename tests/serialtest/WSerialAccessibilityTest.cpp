// The serial test window as a screen reader sees it through Qt's
// accessibility interfaces: what each control is, what names it, and which
// controls label which.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QRadioButton>

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
    // The top level is a window named by its caption; the data window in it
    // a filler, not a second frame.
    shell_->Caption("Shell caption");
    QAccessibleInterface* top = QAccessible::queryAccessibleInterface(shell_->Widget());
    EXPECT_EQ(top->role(), QAccessible::Window);
    EXPECT_EQ(top->text(QAccessible::Name), "Shell caption");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window_->Widget())->role(),
              QAccessible::Client);
    // The pane is a named text.
    QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(Find("CommEdit"));
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->role(), QAccessible::EditableText);
    EXPECT_EQ(pane->text(QAccessible::Name), "Received data");
    EXPECT_NE(pane->textInterface(), nullptr);
}

}  // namespace
}  // namespace serialtest
