#include "platform/window/TextPaneView.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "platform/window/Accessibility.h"

namespace win {

TextPaneView::TextPaneView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setCursor(Qt::IBeamCursor);
    // The view paints every pixel itself.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    SetPaneFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Accessibility::Install();
    QAccessible::installActivationObserver(this);
    accessibilityActiveChanged(QAccessible::isActive());
}

TextPaneView::~TextPaneView() {
    QAccessible::removeActivationObserver(this);
}

void TextPaneView::accessibilityActiveChanged(bool active) {
    told_ = {};
    if (active) told_ = {true, model_.Text(), model_.Caret(), model_.Anchor(), model_.Dropped()};
}

void TextPaneView::SetPaneFont(const QFont& font) {
    setFont(font);
    UpdateMetrics();
}

void TextPaneView::SetBackgroundColor(const QColor& color) {
    background_ = color;
    viewport()->update();
}

void TextPaneView::SetTextColor(const QColor& color) {
    textColor_ = color;
    viewport()->update();
}

void TextPaneView::UpdateMetrics() {
    const QFontMetricsF metrics(font());
    charWidth_ = std::max<qreal>(metrics.horizontalAdvance(QLatin1Char('M')), 1);
    lineHeight_ = std::max(static_cast<int>(std::ceil(metrics.height())), 1);
    ascent_ = static_cast<int>(std::ceil(metrics.ascent()));
    UpdateColumns();
}

void TextPaneView::UpdateColumns() {
    const int width = viewport()->width() - 2 * kMargin;
    model_.SetColumns(static_cast<int>(width / charWidth_));
    UpdateScrollRange();
    viewport()->update();
}

int TextPaneView::VisibleRows() const {
    return std::max((viewport()->height() - 2 * kMargin) / lineHeight_, 1);
}

int TextPaneView::FirstVisibleRow() const {
    return verticalScrollBar()->value();
}

void TextPaneView::UpdateScrollRange() {
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(model_.RowCount() - VisibleRows(), 0));
    bar->setPageStep(VisibleRows());
    bar->setSingleStep(1);
}

void TextPaneView::EnsureCaretVisible() {
    const int row = model_.RowOf(model_.Caret());
    QScrollBar* bar = verticalScrollBar();
    if (row < bar->value())
        bar->setValue(row);
    else if (row >= bar->value() + VisibleRows())
        bar->setValue(row - VisibleRows() + 1);
}

void TextPaneView::ModelChanged() {
    UpdateScrollRange();
    EnsureCaretVisible();
    viewport()->update();
    TellScreenReaders();
}

void TextPaneView::CaretMoved() {
    EnsureCaretVisible();
    viewport()->update();
    TellScreenReaders();
}

void TextPaneView::Select(int anchor, int caret) {
    model_.SetCaret(anchor);
    model_.SetCaret(caret, true);
    CaretMoved();
}

void TextPaneView::ScrollTo(int pos) {
    const int row = model_.RowOf(std::clamp(pos, 0, model_.Size()));
    QScrollBar* bar = verticalScrollBar();
    if (row < bar->value() || row >= bar->value() + VisibleRows()) bar->setValue(row);
}

QRect TextPaneView::CharacterRect(int pos) const {
    pos = std::clamp(pos, 0, model_.Size());
    const int row = model_.RowOf(pos);
    const qreal x = kMargin + (pos - model_.RowStart(row)) * charWidth_;
    const int top = kMargin + (row - FirstVisibleRow()) * lineHeight_;
    return QRectF(x, top, charWidth_, lineHeight_).toAlignedRect();
}

void TextPaneView::TellScreenReaders() {
    if (!told_.valid) return;
    const QString& text = model_.Text();
    {
        // The model replaces one range and then drops from the front what
        // passes the cap: told as the drop, then the replacement found by
        // the common head and tail of what is left and the text now.
        QStringView before(told_.text);
        if (const auto dropped =
                std::min<qsizetype>(model_.Dropped() - told_.dropped, before.size());
            dropped > 0) {
            QAccessibleTextRemoveEvent removed(this, 0, before.left(dropped).toString());
            QAccessible::updateAccessibility(&removed);
            before = before.mid(dropped);
        }
        const qsizetype most = std::min(before.size(), text.size());
        qsizetype head = 0;
        while (head < most && before[head] == text[head]) ++head;
        qsizetype tail = 0;
        while (tail < most - head &&
               before[before.size() - 1 - tail] == text[text.size() - 1 - tail])
            ++tail;
        const QString gone = before.mid(head, before.size() - head - tail).toString();
        const QString come = text.mid(head, text.size() - head - tail);
        const int at = static_cast<int>(head);
        if (!gone.isEmpty() && !come.isEmpty()) {
            QAccessibleTextUpdateEvent updated(this, at, gone, come);
            QAccessible::updateAccessibility(&updated);
        } else if (!gone.isEmpty()) {
            QAccessibleTextRemoveEvent removed(this, at, gone);
            QAccessible::updateAccessibility(&removed);
        } else if (!come.isEmpty()) {
            QAccessibleTextInsertEvent inserted(this, at, come);
            QAccessible::updateAccessibility(&inserted);
        }
    }
    if (told_.anchor != model_.Anchor() || told_.caret != model_.Caret()) {
        if (model_.HasSelection() || told_.anchor != told_.caret) {
            QAccessibleTextSelectionEvent selected(this, model_.SelectionStart(),
                                                   model_.SelectionEnd());
            QAccessible::updateAccessibility(&selected);
        }
        QAccessibleTextCursorEvent moved(this, model_.Caret());
        QAccessible::updateAccessibility(&moved);
    }
    told_ = {true, text, model_.Caret(), model_.Anchor(), model_.Dropped()};
}

void TextPaneView::InsertText(QStringView text) {
    model_.Insert(text);
    ModelChanged();
}

void TextPaneView::Copy() const {
    if (model_.HasSelection()) QApplication::clipboard()->setText(model_.SelectedText());
}

void TextPaneView::Cut() {
    if (!model_.HasSelection()) return;
    Copy();
    InsertText(QStringView());
}

void TextPaneView::Paste() {
    QString text = QApplication::clipboard()->text();
    // Pasted line ends become the pane's own.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!text.isEmpty()) InsertText(text);
}

bool TextPaneView::event(QEvent* event) {
    // The pane keeps Tab and Shift+Tab as keys (they are sent to the line)
    // instead of letting them move the focus; with Ctrl they move it, so a
    // keyboard alone can always leave the pane.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            if (key->modifiers().testFlag(Qt::ControlModifier)) {
                const bool forward =
                    key->key() == Qt::Key_Tab && !key->modifiers().testFlag(Qt::ShiftModifier);
                focusNextPrevChild(forward);
            } else {
                keyPressEvent(key);
            }
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void TextPaneView::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (keyHandler_)
        keyHandler_(*event);
    else
        ApplyKey(*event);
}

void TextPaneView::ApplyKey(const QKeyEvent& key) {
    const bool shift = key.modifiers().testFlag(Qt::ShiftModifier);
    const bool control = key.modifiers().testFlag(Qt::ControlModifier);
    if (key.matches(QKeySequence::Copy)) return Copy();
    if (key.matches(QKeySequence::Cut)) return Cut();
    if (key.matches(QKeySequence::Paste)) return Paste();
    if (key.matches(QKeySequence::SelectAll)) {
        model_.SelectAll();
        return CaretMoved();
    }
    switch (key.key()) {
        case Qt::Key_Left:
            model_.MoveLeft(shift);
            return CaretMoved();
        case Qt::Key_Right:
            model_.MoveRight(shift);
            return CaretMoved();
        case Qt::Key_Up:
            model_.MoveUp(shift);
            return CaretMoved();
        case Qt::Key_Down:
            model_.MoveDown(shift);
            return CaretMoved();
        case Qt::Key_PageUp:
            model_.MoveUp(shift, VisibleRows());
            return CaretMoved();
        case Qt::Key_PageDown:
            model_.MoveDown(shift, VisibleRows());
            return CaretMoved();
        case Qt::Key_Home:
            if (control)
                model_.SetCaret(0, shift);
            else
                model_.MoveRowStart(shift);
            return CaretMoved();
        case Qt::Key_End:
            if (control)
                model_.SetCaret(model_.Size(), shift);
            else
                model_.MoveRowEnd(shift);
            return CaretMoved();
        case Qt::Key_Backspace:
            model_.Backspace();
            return ModelChanged();
        case Qt::Key_Delete:
            model_.DeleteForward();
            return ModelChanged();
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return InsertText(u"\n");
        default:
            break;
    }
    // Printable text only: Ctrl+letter and the like derive control codes.
    const QString text = key.text();
    if (text.isEmpty() || control) return;
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20; })) return;
    InsertText(text);
}

int TextPaneView::PositionAtPoint(const QPoint& point) const {
    return PositionAt(point, true);
}

int TextPaneView::CharacterAtPoint(const QPoint& point) const {
    return PositionAt(point, false);
}

int TextPaneView::PositionAt(const QPoint& point, bool nearest) const {
    const int row = FirstVisibleRow() + std::max(point.y() - kMargin, 0) / lineHeight_;
    if (row >= model_.RowCount()) return model_.Size();
    const qreal cells = (point.x() - kMargin) / charWidth_;
    const auto column = static_cast<int>(nearest ? std::lround(cells) : std::floor(cells));
    return model_.PositionAt(row, column);
}

void TextPaneView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    model_.SetCaret(PositionAtPoint(event->position().toPoint()),
                    event->modifiers().testFlag(Qt::ShiftModifier));
    CaretMoved();
}

void TextPaneView::mouseMoveEvent(QMouseEvent* event) {
    if (!event->buttons().testFlag(Qt::LeftButton)) return;
    model_.SetCaret(PositionAtPoint(event->position().toPoint()), true);
    CaretMoved();
}

void TextPaneView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    // Selects the run of non-blank characters under the pointer.
    const QString& text = model_.Text();
    const int pos = PositionAtPoint(event->position().toPoint());
    auto blank = [&](int i) { return text[i].isSpace(); };
    int start = pos;
    int end = pos;
    while (start > 0 && !blank(start - 1)) --start;
    while (end < model_.Size() && !blank(end)) ++end;
    model_.SetCaret(start);
    model_.SetCaret(end, true);
    CaretMoved();
}

void TextPaneView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TextPaneView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void TextPaneView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateColumns();
    EnsureCaretVisible();
}

void TextPaneView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), background_);
    painter.setFont(font());
    const QFontMetricsF metrics(font());

    const QString& text = model_.Text();
    const int first = FirstVisibleRow();
    const int last = std::min(first + VisibleRows() + 1, model_.RowCount());
    const int selStart = model_.SelectionStart();
    const int selEnd = model_.SelectionEnd();
    const QPalette& pal = palette();

    for (int row = first; row < last; ++row) {
        const int start = model_.RowStart(row);
        const int length = model_.RowLength(row);
        const int top = kMargin + (row - first) * lineHeight_;
        const int baseline = top + ascent_;
        // The row in up to three runs: before, inside and after the selection.
        const int a = std::clamp(selStart, start, start + length);
        const int b = std::clamp(selEnd, start, start + length);
        auto run = [&](int from, int to, const QColor& color) {
            painter.setPen(color);
            for (int i = from; i < to; ++i) {
                // A glyph narrower than the cell sits in its middle.
                const qreal slack =
                    std::max<qreal>(charWidth_ - metrics.horizontalAdvance(text[i]), 0);
                painter.drawText(QPointF(kMargin + (i - start) * charWidth_ + slack / 2, baseline),
                                 QString(text[i]));
            }
        };
        if (b > a) {
            painter.fillRect(
                QRectF(kMargin + (a - start) * charWidth_, top, (b - a) * charWidth_, lineHeight_),
                pal.color(QPalette::Highlight));
        }
        run(start, a, textColor_);
        run(a, b, pal.color(QPalette::HighlightedText));
        run(b, start + length, textColor_);
    }

    if (hasFocus()) {
        const int caret = model_.Caret();
        const int row = model_.RowOf(caret);
        if (row >= first && row < last) {
            const qreal x = kMargin + (caret - model_.RowStart(row)) * charWidth_;
            const int top = kMargin + (row - first) * lineHeight_;
            painter.fillRect(QRectF(x, top, 2, lineHeight_), textColor_);
        }
    }
}

}  // namespace win
