#include "platform/window/TextPaneAccessible.h"

#include <algorithm>

#include "platform/window/TextPaneView.h"

namespace win {

TextPaneAccessible::TextPaneAccessible(TextPaneView* view)
    : QAccessibleWidget(view, QAccessible::EditableText) {}

TextPaneView* TextPaneAccessible::View() const {
    return static_cast<TextPaneView*>(widget());
}

void* TextPaneAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State TextPaneAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

QString TextPaneAccessible::text(QAccessible::Text t) const {
    // The pane's whole text is its value; its name is the widget's own.
    if (t == QAccessible::Value) return View()->Model().Text();
    return QAccessibleWidget::text(t);
}

void TextPaneAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    const TextPaneModel& model = View()->Model();
    const bool any = selectionIndex == 0 && model.HasSelection();
    *startOffset = any ? model.SelectionStart() : 0;
    *endOffset = any ? model.SelectionEnd() : 0;
}

int TextPaneAccessible::selectionCount() const {
    return View()->Model().HasSelection() ? 1 : 0;
}

void TextPaneAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void TextPaneAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex != 0) return;
    View()->Select(View()->Model().Caret(), View()->Model().Caret());
}

void TextPaneAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0) return;
    View()->Select(startOffset, endOffset);
}

int TextPaneAccessible::cursorPosition() const {
    return View()->Model().Caret();
}

void TextPaneAccessible::setCursorPosition(int position) {
    View()->Select(position, position);
}

QString TextPaneAccessible::text(int startOffset, int endOffset) const {
    const QString& text = View()->Model().Text();
    const auto size = static_cast<int>(text.size());
    const int from = std::clamp(std::min(startOffset, endOffset), 0, size);
    const int to = std::clamp(std::max(startOffset, endOffset), 0, size);
    return text.mid(from, to - from);
}

int TextPaneAccessible::characterCount() const {
    return View()->Model().Size();
}

QRect TextPaneAccessible::characterRect(int offset) const {
    const TextPaneView* view = View();
    const QRect cell = view->CharacterRect(offset);
    return QRect(view->viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

int TextPaneAccessible::offsetAtPoint(const QPoint& point) const {
    const TextPaneView* view = View();
    const QPoint local = view->viewport()->mapFromGlobal(point);
    if (!view->viewport()->rect().contains(local)) return -1;
    return view->CharacterAtPoint(local);
}

void TextPaneAccessible::scrollToSubstring(int startIndex, int /*endIndex*/) {
    View()->ScrollTo(startIndex);
}

QString TextPaneAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    // The pane's text is all in one font and colour: one run without
    // attributes of its own.
    (void)offset;
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

}  // namespace win
