#pragma once
// The view of an edit pane: a scrollable widget that shows a TextPaneModel in
// a monospace font, wrapping at the right edge character by character. Row
// breaks are plain arithmetic on the fixed-width grid; only the rows in sight
// are shaped and painted, so drawing costs the same however long the text
// is. It gives the pane an edit control's ordinary handling: typing, Enter,
// Backspace, Delete, arrows, Home/End, paging, Shift-selection, mouse
// selection, and copy, cut, paste and select-all through the usual shortcuts.
//
// Key presses (auto-repeats included, Tab and Shift+Tab too) go to the key
// handler when one is set, which decides whether and when the ordinary
// handling (ApplyKey) runs; without a handler they get it at once. Ctrl+Tab
// and Ctrl+Shift+Tab move the focus to the next or previous control instead.

#include <QAbstractScrollArea>
#include <QColor>
#include <functional>

#include "platform/window/TextPaneModel.h"

namespace win {

class TextPaneView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit TextPaneView(QWidget* parent = nullptr);

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
    // The text position under a viewport point.
    int PositionAtPoint(const QPoint& point) const;

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

    TextPaneModel model_;
    KeyHandler keyHandler_;
    QColor background_ = Qt::white;
    QColor textColor_ = Qt::black;
    qreal charWidth_ = 8;
    int lineHeight_ = 16;
    int ascent_ = 12;
    static constexpr int kMargin = 2;
};

}  // namespace win
