#pragma once
// What a screen reader sees of an edit pane (TextPaneView): an editable,
// multi-line text with the pane's accessible name, whose text interface
// reads the pane's model: its characters, the caret and the selection (one
// at most), each character's place on the screen and the character under a
// point. Offsets are the model's positions; out-of-range offsets are
// clamped, and a reversed range is read as its ordered one. Setting the
// caret or the selection moves the pane's own, as the keyboard would.
//
// The pane tells screen readers of its changes itself (TextPaneView).

#include <QAccessibleWidget>

namespace win {

class TextPaneView;

class TextPaneAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit TextPaneAccessible(TextPaneView* view);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(QAccessible::Text t) const override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

  private:
    TextPaneView* View() const;
};

}  // namespace win
