#pragma once
// What a screen reader meets when it goes up from a control through one of
// the layer's pass-through containers (WindowAccessible::MarkPassThrough):
// the toolkit names a control's parent widget as its accessible parent, so
// the container answers as the window it lies in does (role, name, state,
// place, parent and children), and a screen reader going up from any
// control reaches the window named by its caption, never a nameless level.
// A container that has become a window itself answers as a plain widget.

#include <QAccessibleWidget>

namespace win {

class PassThroughAccessible : public QAccessibleWidget {
  public:
    explicit PassThroughAccessible(QWidget* container);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QRect rect() const override;
    QAccessibleInterface* parent() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

  private:
    // The window's interface, or nullptr while the container is no
    // pass-through.
    QAccessibleInterface* Window() const;
};

}  // namespace win
