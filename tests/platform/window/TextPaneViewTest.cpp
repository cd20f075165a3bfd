#include "platform/window/TextPaneView.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>

namespace {

using win::TextPaneView;

class TextPaneViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QFont font("Courier New", 10);
        font.setStyleHint(QFont::TypeWriter);
        view.SetPaneFont(font);
        view.resize(300, 120);
        view.show();
        const QFontMetricsF metrics(view.font());
        charWidth = metrics.horizontalAdvance('M');
        lineHeight = metrics.height();
    }
    QPoint At(int column, int row) const {
        return QPoint(2 + static_cast<int>(charWidth * column + charWidth / 4),
                      2 + static_cast<int>(lineHeight * row + lineHeight / 2));
    }

    TextPaneView view;
    qreal charWidth = 0;
    qreal lineHeight = 0;
};

TEST_F(TextPaneViewTest, ColumnsFollowTheWidth) {
    const int columns = view.Model().Columns();
    EXPECT_GT(columns, 10);
    view.resize(view.width() + static_cast<int>(charWidth * 5), view.height());
    EXPECT_EQ(view.Model().Columns(), columns + 5);
}

TEST_F(TextPaneViewTest, ClickPlacesTheCaretOnTheWrappedRow) {
    const int columns = view.Model().Columns();
    view.Model().SetText(QString(columns + 10, QLatin1Char('x')));
    view.ModelChanged();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, At(3, 1));
    EXPECT_EQ(view.Model().Caret(), columns + 3);
}

TEST_F(TextPaneViewTest, DoubleClickSelectsTheWord) {
    view.Model().SetText(u"alpha beta gamma");
    view.ModelChanged();
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, At(7, 0));
    EXPECT_EQ(view.Model().SelectedText(), "beta");
}

TEST_F(TextPaneViewTest, PagingMovesByTheRowsInSight) {
    QString text;
    for (int i = 0; i < 50; ++i) text += QString::number(i) + "\n";
    view.Model().SetText(text);
    view.ModelChanged();
    const int page = view.VisibleRows();
    ASSERT_GT(page, 1);
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(view.Model().RowOf(view.Model().Caret()), page);
    EXPECT_LE(view.FirstVisibleRow(), page);
    EXPECT_GT(view.FirstVisibleRow() + page, page);
    QTest::keyClick(&view, Qt::Key_PageUp);
    EXPECT_EQ(view.Model().Caret(), 0);
    EXPECT_EQ(view.FirstVisibleRow(), 0);
}

TEST_F(TextPaneViewTest, ScrollingShowsLaterRowsUnderThePointer) {
    QString text;
    for (int i = 0; i < 40; ++i) text += QString("row%1\n").arg(i, 2, 10, QLatin1Char('0'));
    view.Model().SetText(text);
    view.ModelChanged();
    view.verticalScrollBar()->setValue(10);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, At(0, 0));
    EXPECT_EQ(view.Model().RowOf(view.Model().Caret()), 10);
    EXPECT_EQ(view.Model().Text().mid(view.Model().Caret(), 5), "row10");
}

// Painting uses the pane's colours: its background everywhere, its text
// colour for glyphs, and paints the first rows only when scrolled to them.
TEST_F(TextPaneViewTest, PaintsTextInThePaneColours) {
    const QColor background(0, 0, 128);
    const QColor ink(255, 255, 0);
    view.SetBackgroundColor(background);
    view.SetTextColor(ink);
    view.Model().SetText(u"MMMM\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n");
    view.ModelChanged();
    view.verticalScrollBar()->setValue(0);
    auto countInk = [&](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y).red() > 128) ++n;  // the background has none
        return n;
    };
    const QImage top = view.viewport()->grab().toImage();
    EXPECT_EQ(top.pixelColor(top.width() - 3, top.height() - 3), background);
    EXPECT_GT(countInk(top), 40);  // four glyphs' worth
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    const QImage bottom = view.viewport()->grab().toImage();
    EXPECT_EQ(countInk(bottom), 0);
}

// The pane as a screen reader sees it through Qt's accessibility interfaces:
// an editable text named as the pane is, whose text interface reads the
// model and moves the pane's caret and selection. (The events it sends are
// heard only where a platform's bridge listens: AccessibilityBusTest.)
TEST(TextPaneViewAccessibleTest, ScreenReadersReadThePane) {
    TextPaneView view;
    view.resize(300, 120);
    view.show();
    view.setAccessibleName("Received data");
    QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->role(), QAccessible::EditableText);
    EXPECT_EQ(pane->text(QAccessible::Name), "Received data");
    EXPECT_TRUE(pane->state().editable);
    EXPECT_TRUE(pane->state().multiLine);
    QAccessibleTextInterface* text = pane->textInterface();
    ASSERT_NE(text, nullptr);

    view.InsertText(u"abc\ndef");
    QTest::keyClick(&view, Qt::Key_Left);
    QTest::keyClick(&view, Qt::Key_Backspace);
    view.Select(1, 3);
    view.InsertText(u"XY");
    EXPECT_EQ(text->characterCount(), 6);
    EXPECT_EQ(text->text(0, 7), "aXY\ndf");
    EXPECT_EQ(text->text(5, 100), "f");
    EXPECT_EQ(text->cursorPosition(), 3);
    EXPECT_EQ(text->selectionCount(), 0);
    text->setSelection(0, 4, 6);
    int start = -1;
    int end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(4, 6));
    EXPECT_EQ(view.Model().SelectedText(), "df");
    // Character places: 'd' begins the second row, under 'a'.
    const QRect a = text->characterRect(0);
    const QRect d = text->characterRect(4);
    EXPECT_EQ(d.left(), a.left());
    EXPECT_GE(d.top(), a.bottom());
    EXPECT_EQ(text->offsetAtPoint(d.center()), 4);
    EXPECT_EQ(text->offsetAtPoint(text->characterRect(1).center()), 1);
}

}  // namespace
