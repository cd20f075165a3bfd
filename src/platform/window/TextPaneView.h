#pragma once
// The view of an edit pane: a scrollable widget that shows a TextPaneModel in
// a monospace font, wrapping at the right edge character by character. Row
// breaks are plain arithmetic on the fixed-width grid; only the rows in sight
// are shaped and painted, so drawing costs the same however long the text
// is. It gives the pane an edit control's ordinary handling: typing, Enter,
// Backspace, Delete, arrows, Home/End, paging, Shift-selection, mouse
// selection, and copy, cut, paste and select-all through the usual shortcuts.
//
// Screen readers see the pane through TextPaneAccessible; while one listens,
// every change of text, caret or selection is told to it as Qt's text
// events (inserted, removed, updated, caret moved, selection changed), the
// cap's trim of the front as a removal at offset 0.
//
// Key presses (auto-repeats included, Tab and Shift+Tab too) go to the key
// handler when one is set, which decides whether and when the ordinary
// handling (ApplyKey) runs; without a handler they get it at once. Ctrl+Tab
// and Ctrl+Shift+Tab move the focus to the next or previous control instead.

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QColor>
#include <functional>

#include "platform/window/TextPaneModel.h"

namespace win {

class TextPaneView : public QAbstractScrollArea, private QAccessible::ActivationObserver {
    Q_OBJECT
  public:
    explicit TextPaneView(QWidget* parent = nullptr);
    ~TextPaneView() override;

    TextPaneModel& Model() { return model_; }
    const TextPaneModel& Model() const { return model_; }

    void SetPaneFont(const QFont& font);
    void SetBackgroundColor(const QColor& color);
    void SetTextColor(const QColor& color);
    QColor BackgroundColor() const { return background_; }
    QColor TextColor() const { return textColor_; }

    using KeyHandler = std::function<void(QKeyEvent&)>;
    void SetKeyHandler(KeyHandler handler) { keyHandler_ = std::move(handler); }

    // The edit control's ordinary handling of a key press.
    void ApplyKey(const QKeyEvent& key);
    // Inserts at the caret (replacing the selection) and scrolls to it.
    void InsertText(QStringView text);
    // Call after changing the model directly: lays out, scrolls the caret
    // into sight and repaints.
    void ModelChanged();

    void Copy() const;
    void Cut();
    void Paste();

    // First row in sight and the number of whole rows the viewport holds.
    int FirstVisibleRow() const;
    int VisibleRows() const;
    // The text position under a viewport point: the caret place nearest to
    // it (a click's), or the character whose cell holds it.
    int PositionAtPoint(const QPoint& point) const;
    int CharacterAtPoint(const QPoint& point) const;
    // The cell of the character at `pos` (or of the caret place there), in
    // viewport coordinates; rows out of sight lie above or below it.
    QRect CharacterRect(int pos) const;
    // Selects from `anchor` to `caret` (clamped; equal: no selection) and
    // scrolls the caret into sight.
    void Select(int anchor, int caret);
    // Scrolls the row of `pos` into sight without moving the caret.
    void ScrollTo(int pos);

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void UpdateMetrics();
    void UpdateColumns();
    void UpdateScrollRange();
    void EnsureCaretVisible();
    void CaretMoved();
    void TellScreenReaders();
    int PositionAt(const QPoint& point, bool nearest) const;
    // A screen reader starts or stops listening: from now on changes are
    // told against the pane as it is.
    void accessibilityActiveChanged(bool active) override;

    TextPaneModel model_;
    KeyHandler keyHandler_;
    QColor background_ = Qt::white;
    QColor textColor_ = Qt::black;
    qreal charWidth_ = 8;
    int lineHeight_ = 16;
    int ascent_ = 12;
    static constexpr int kMargin = 2;
    // What screen readers were last told while one listens (valid): the
    // text (shared with the model's until it changes), caret, anchor and
    // the model's drop count. Kept from the moment QAccessible tells the
    // pane that one listens (accessibilityActiveChanged).
    struct Told {
        bool valid = false;
        QString text;
        int caret = 0;
        int anchor = 0;
        long long dropped = 0;
    } told_;
};

}  // namespace win
