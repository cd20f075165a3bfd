#include "platform/window/TextPaneModel.h"

#include <algorithm>

namespace win {

TextPaneModel::TextPaneModel(int cap) : cap_(std::max(cap, 1)) {}

void TextPaneModel::Changed() {
    ++revision_;
    layoutValid_ = false;
}

void TextPaneModel::SetText(QStringView text) {
    if (text.size() > cap_) text = text.right(cap_);
    text_ = text.toString();
    caret_ = anchor_ = 0;
    goalColumn_ = -1;
    Changed();
}

QString TextPaneModel::SelectedText() const {
    return text_.mid(SelectionStart(), SelectionEnd() - SelectionStart());
}

void TextPaneModel::SetCaret(int pos, bool extend) {
    caret_ = std::clamp(pos, 0, Size());
    if (!extend) anchor_ = caret_;
    goalColumn_ = -1;
}

void TextPaneModel::SelectAll() {
    anchor_ = 0;
    caret_ = Size();
    goalColumn_ = -1;
}

void TextPaneModel::Insert(QStringView text) {
    const int start = SelectionStart();
    const int end = SelectionEnd();
    // Of a text longer than the cap only its tail can survive the trim.
    if (text.size() > cap_) text = text.right(cap_);
    const int inserted = static_cast<int>(text.size());
    if (end > start) text_.remove(start, end - start);
    text_.insert(start, text);
    int caret = start + inserted;
    if (const int excess = Size() - cap_; excess > 0) {
        text_.remove(0, excess);
        dropped_ += excess;
        caret = std::max(caret - excess, 0);
    }
    caret_ = anchor_ = caret;
    goalColumn_ = -1;
    Changed();
}

void TextPaneModel::Backspace() {
    if (HasSelection()) {
        Insert(QStringView());
    } else if (caret_ > 0) {
        text_.remove(caret_ - 1, 1);
        caret_ = anchor_ = caret_ - 1;
        goalColumn_ = -1;
        Changed();
    }
}

void TextPaneModel::DeleteForward() {
    if (HasSelection()) {
        Insert(QStringView());
    } else if (caret_ < Size()) {
        text_.remove(caret_, 1);
        goalColumn_ = -1;
        Changed();
    }
}

void TextPaneModel::SetColumns(int columns) {
    columns = std::max(columns, 1);
    if (columns == columns_) return;
    columns_ = columns;
    layoutValid_ = false;
}

void TextPaneModel::EnsureLayout() const {
    if (layoutValid_) return;
    rowStarts_.clear();
    rowStarts_.push_back(0);
    const QChar* data = text_.constData();
    const int size = Size();
    int lineStart = 0;
    for (int i = 0; i <= size; ++i) {
        if (i == size || data[i] == u'\n') {
            // Wrap the line [lineStart, i) into rows of columns_.
            for (int s = lineStart + columns_; s < i; s += columns_) rowStarts_.push_back(s);
            if (i < size) rowStarts_.push_back(i + 1);
            lineStart = i + 1;
        }
    }
    layoutValid_ = true;
}

int TextPaneModel::RowCount() const {
    EnsureLayout();
    return static_cast<int>(rowStarts_.size());
}

int TextPaneModel::RowStart(int row) const {
    EnsureLayout();
    row = std::clamp(row, 0, RowCount() - 1);
    return rowStarts_[static_cast<std::size_t>(row)];
}

int TextPaneModel::LastCaretInRow(int row) const {
    // The next row's start is either just past a '\n' (the caret may stand
    // on the '\n') or a wrap point (which belongs to the next row).
    return row + 1 < RowCount() ? RowStart(row + 1) - 1 : Size();
}

int TextPaneModel::RowLength(int row) const {
    EnsureLayout();
    if (row < 0 || row >= RowCount()) return 0;
    const int start = RowStart(row);
    const int end = row + 1 < RowCount() ? RowStart(row + 1) : Size();
    const bool endsInNewline = end > start && text_[end - 1] == u'\n';
    return end - start - (endsInNewline ? 1 : 0);
}

int TextPaneModel::RowOf(int pos) const {
    EnsureLayout();
    auto it = std::upper_bound(rowStarts_.begin(), rowStarts_.end(), pos);
    return static_cast<int>(it - rowStarts_.begin()) - 1;
}

int TextPaneModel::PositionAt(int row, int column) const {
    row = std::clamp(row, 0, RowCount() - 1);
    const int start = RowStart(row);
    return std::clamp(start + std::max(column, 0), start, LastCaretInRow(row));
}

void TextPaneModel::MoveLeft(bool extend) {
    if (HasSelection() && !extend)
        SetCaret(SelectionStart());
    else
        SetCaret(caret_ - 1, extend);
}

void TextPaneModel::MoveRight(bool extend) {
    if (HasSelection() && !extend)
        SetCaret(SelectionEnd());
    else
        SetCaret(caret_ + 1, extend);
}

void TextPaneModel::MoveVertical(int rowDelta, bool extend) {
    const int row = RowOf(caret_);
    const int goal = goalColumn_ >= 0 ? goalColumn_ : caret_ - RowStart(row);
    const int target = std::clamp(row + rowDelta, 0, RowCount() - 1);
    SetCaret(PositionAt(target, goal), extend);
    goalColumn_ = goal;
}

void TextPaneModel::MoveUp(bool extend, int rows) {
    MoveVertical(-std::max(rows, 1), extend);
}

void TextPaneModel::MoveDown(bool extend, int rows) {
    MoveVertical(std::max(rows, 1), extend);
}

void TextPaneModel::MoveRowStart(bool extend) {
    SetCaret(RowStart(RowOf(caret_)), extend);
}

void TextPaneModel::MoveRowEnd(bool extend) {
    SetCaret(LastCaretInRow(RowOf(caret_)), extend);
}

}  // namespace win
