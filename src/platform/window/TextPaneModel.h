#pragma once
// The text of an edit pane with its caret and selection, and the layout of
// that text into rows of a fixed number of columns (a monospace view). Plain
// C++: the view widget only paints rows and turns input into these calls.
//
// Positions are offsets into the text, 0..size. The selection is the range
// between the anchor and the caret; it is empty when they coincide. Lines
// end at '\n'; a line longer than the row width wraps onto further rows,
// character by character. The text never exceeds the cap: an edit that
// would pass it drops the oldest characters from the front.

#include <QString>
#include <QStringView>
#include <vector>

namespace win {

class TextPaneModel {
  public:
    // The classic edit control's limit; the pane keeps at least this much.
    static constexpr int kDefaultCap = 32767;

    explicit TextPaneModel(int cap = kDefaultCap);

    const QString& Text() const { return text_; }
    int Size() const { return static_cast<int>(text_.size()); }
    int Cap() const { return cap_; }
    // Replaces the whole text (its last Cap() characters); caret and anchor
    // go to the start.
    void SetText(QStringView text);

    int Caret() const { return caret_; }
    int Anchor() const { return anchor_; }
    bool HasSelection() const { return caret_ != anchor_; }
    int SelectionStart() const { return std::min(caret_, anchor_); }
    int SelectionEnd() const { return std::max(caret_, anchor_); }
    QString SelectedText() const;
    // Moves the caret to `pos` (clamped); with `extend` the anchor stays,
    // otherwise the selection collapses onto the caret.
    void SetCaret(int pos, bool extend = false);
    void SelectAll();

    // Replaces the selection by `text` and puts the caret after it, as
    // typing or pasting does. Then trims the front to the cap.
    void Insert(QStringView text);
    // Deletes the selection, or else the character before the caret.
    void Backspace();
    // Deletes the selection, or else the character after the caret.
    void DeleteForward();

    // Row layout for `columns` characters per row (at least 1). Rebuilt
    // lazily after a change of text or width.
    void SetColumns(int columns);
    int Columns() const { return columns_; }
    int RowCount() const;
    int RowStart(int row) const;
    // Characters of the row without its line end.
    int RowLength(int row) const;
    // The row the position is shown on: a position at a wrap point belongs
    // to the following row.
    int RowOf(int pos) const;
    // The position at `column` of `row`, clamped to the row's last caret place.
    int PositionAt(int row, int column) const;

    // Caret movement, as an edit control does it; `extend` keeps the anchor
    // (Shift held). Up/Down and paging keep the column the caret started in.
    void MoveLeft(bool extend);
    void MoveRight(bool extend);
    void MoveUp(bool extend, int rows = 1);
    void MoveDown(bool extend, int rows = 1);
    void MoveRowStart(bool extend);
    void MoveRowEnd(bool extend);

    // Counts every change of text, so views know when to lay out again.
    unsigned long long Revision() const { return revision_; }
    // Characters the cap has dropped from the front since the model was
    // made (SetText's trim not counted), so a view can tell a change at the
    // front from the trim that followed an edit.
    long long Dropped() const { return dropped_; }

  private:
    void Changed();
    void EnsureLayout() const;
    int LastCaretInRow(int row) const;
    void MoveVertical(int rowDelta, bool extend);

    QString text_;
    int cap_;
    int caret_ = 0;
    int anchor_ = 0;
    int columns_ = 80;
    int goalColumn_ = -1;  // column kept across Up/Down, -1 when unset
    unsigned long long revision_ = 0;
    long long dropped_ = 0;

    mutable std::vector<int> rowStarts_;
    mutable bool layoutValid_ = false;
};

}  // namespace win
