#include "platform/window/TextPaneModel.h"

#include <gtest/gtest.h>

namespace {

using win::TextPaneModel;

TEST(TextPaneModelEditing, InsertReplacesSelectionAndMovesCaret) {
    TextPaneModel m;
    m.Insert(u"hello world");
    EXPECT_EQ(m.Caret(), 11);
    m.SetCaret(0);
    m.SetCaret(5, true);
    EXPECT_EQ(m.SelectedText(), "hello");
    m.Insert(u"bye");
    EXPECT_EQ(m.Text(), "bye world");
    EXPECT_EQ(m.Caret(), 3);
    EXPECT_FALSE(m.HasSelection());
}

TEST(TextPaneModelEditing, BackspaceAndDelete) {
    struct Case {
        const char16_t* text;
        int anchor;
        int caret;
        bool backspace;
        const char* expected;
        int expectedCaret;
    };
    const Case cases[] = {
        {u"abc", 2, 2, true, "ac", 1},  {u"abc", 0, 0, true, "abc", 0},
        {u"abc", 1, 1, false, "ac", 1}, {u"abc", 3, 3, false, "abc", 3},
        {u"abcd", 1, 3, true, "ad", 1}, {u"abcd", 3, 1, false, "ad", 1},
    };
    for (const auto& c : cases) {
        TextPaneModel m;
        m.SetText(c.text);
        m.SetCaret(c.anchor);
        m.SetCaret(c.caret, true);
        if (c.backspace)
            m.Backspace();
        else
            m.DeleteForward();
        EXPECT_EQ(m.Text(), QString::fromUtf8(c.expected))
            << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(m.Caret(), c.expectedCaret);
    }
}

TEST(TextPaneModelEditing, SetTextPutsCaretAtStart) {
    TextPaneModel m;
    m.Insert(u"xyz");
    m.SetText(u"");
    EXPECT_EQ(m.Size(), 0);
    EXPECT_EQ(m.Caret(), 0);
    m.SetText(u"abc");
    EXPECT_EQ(m.Caret(), 0);
    EXPECT_EQ(m.Anchor(), 0);
}

TEST(TextPaneModelCap, AppendsKeepTheMostRecentCharacters) {
    TextPaneModel m(10);
    m.Insert(u"0123456789");
    m.Insert(u"abc");
    EXPECT_EQ(m.Text(), "3456789abc");
    EXPECT_EQ(m.Caret(), 10);
    m.Insert(u"this is longer than the cap");
    EXPECT_EQ(m.Text(), "an the cap");
    m.Insert(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(m.Text(), "QRSTUVWXYZ");
}

TEST(TextPaneModelCap, InsertInTheMiddleDropsFromTheFront) {
    TextPaneModel m(8);
    m.SetText(u"abcdefgh");
    m.SetCaret(4);
    m.Insert(u"XY");
    EXPECT_EQ(m.Text(), "cdXYefgh");
    EXPECT_EQ(m.Caret(), 4);  // still right after the inserted text
    m.SetCaret(0);
    m.Insert(u"Q");  // the oldest character is the one just inserted
    EXPECT_EQ(m.Text(), "cdXYefgh");
    EXPECT_EQ(m.Caret(), 0);
}

TEST(TextPaneModelCap, SetTextKeepsTheTail) {
    TextPaneModel m(4);
    m.SetText(u"abcdefg");
    EXPECT_EQ(m.Text(), "defg");
}

TEST(TextPaneModelLayout, WrapsLongLinesAndBreaksAtNewlines) {
    TextPaneModel m;
    m.SetColumns(4);
    m.SetText(u"abcdefghij\nxy\n\nlast");
    // Rows: "abcd" "efgh" "ij\n" "xy\n" "\n" "last"
    ASSERT_EQ(m.RowCount(), 6);
    const int starts[] = {0, 4, 8, 11, 14, 15};
    const int lengths[] = {4, 4, 2, 2, 0, 4};
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(m.RowStart(r), starts[r]) << "row " << r;
        EXPECT_EQ(m.RowLength(r), lengths[r]) << "row " << r;
    }
    EXPECT_EQ(m.RowOf(3), 0);
    EXPECT_EQ(m.RowOf(4), 1);   // a wrap point belongs to the next row
    EXPECT_EQ(m.RowOf(10), 2);  // on the line's '\n'
    EXPECT_EQ(m.RowOf(19), 5);  // end of text
}

TEST(TextPaneModelLayout, RelayoutsAfterWidthAndTextChanges) {
    TextPaneModel m;
    m.SetColumns(5);
    m.SetText(u"0123456789");
    EXPECT_EQ(m.RowCount(), 2);
    m.SetColumns(3);
    EXPECT_EQ(m.RowCount(), 4);
    m.SetCaret(m.Size());
    m.Insert(u"ab");
    EXPECT_EQ(m.RowCount(), 4);
    m.Insert(u"c");
    EXPECT_EQ(m.RowCount(), 5);
    m.SetText(u"");
    EXPECT_EQ(m.RowCount(), 1);
    EXPECT_EQ(m.RowLength(0), 0);
}

TEST(TextPaneModelMovement, ArrowsHomeEndAndSelection) {
    TextPaneModel m;
    m.SetColumns(10);
    m.SetText(u"first line\nsecond\nthird line");
    m.SetCaret(3);
    m.MoveDown(false);
    EXPECT_EQ(m.Caret(), 11 + 3);
    m.MoveDown(false);
    EXPECT_EQ(m.Caret(), 18 + 3);
    m.MoveRowEnd(false);
    EXPECT_EQ(m.Caret(), 28);
    m.MoveUp(false);  // "second" is shorter: the caret stops at its end
    EXPECT_EQ(m.Caret(), 17);
    m.MoveUp(false);  // and comes back to the goal column on a long row
    EXPECT_EQ(m.Caret(), 10);
    m.MoveRowStart(true);
    EXPECT_EQ(m.SelectedText(), "first line");
    m.MoveRight(false);  // collapses the selection to its end
    EXPECT_EQ(m.Caret(), 10);
    EXPECT_FALSE(m.HasSelection());
    m.MoveLeft(true);
    m.MoveLeft(true);
    EXPECT_EQ(m.SelectedText(), "ne");
    m.MoveLeft(false);
    EXPECT_EQ(m.Caret(), 8);
}

TEST(TextPaneModelMovement, StopsAtTheEnds) {
    TextPaneModel m;
    m.SetText(u"ab");
    m.MoveLeft(false);
    EXPECT_EQ(m.Caret(), 0);
    m.MoveUp(false, 5);
    EXPECT_EQ(m.Caret(), 0);
    m.SetCaret(2);
    m.MoveRight(false);
    EXPECT_EQ(m.Caret(), 2);
    m.MoveDown(false, 5);
    EXPECT_EQ(m.Caret(), 2);
    m.SelectAll();
    EXPECT_EQ(m.SelectedText(), "ab");
}

TEST(TextPaneModelMovement, PositionAtClampsToTheRow) {
    TextPaneModel m;
    m.SetColumns(4);
    m.SetText(u"abcdefg\nhi");
    EXPECT_EQ(m.PositionAt(0, 2), 2);
    EXPECT_EQ(m.PositionAt(0, 99), 3);   // wrapped row: last place before the wrap
    EXPECT_EQ(m.PositionAt(1, 99), 7);   // on the '\n'
    EXPECT_EQ(m.PositionAt(2, 99), 10);  // end of text
    EXPECT_EQ(m.PositionAt(9, 0), 8);    // rows past the end clamp to the last
    EXPECT_EQ(m.PositionAt(-3, -3), 0);
}

TEST(TextPaneModel, RevisionCountsTextChangesOnly) {
    TextPaneModel m;
    const auto r0 = m.Revision();
    m.Insert(u"a");
    const auto r1 = m.Revision();
    EXPECT_GT(r1, r0);
    m.MoveLeft(false);
    m.SelectAll();
    EXPECT_EQ(m.Revision(), r1);
    m.Backspace();
    EXPECT_GT(m.Revision(), r1);
}

}  // namespace
