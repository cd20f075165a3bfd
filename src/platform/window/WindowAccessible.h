#pragma once
// What a screen reader sees of a top-level window of the layer: a window
// (a frame on the accessibility bus) named by its caption, whose children
// are the controls themselves. The layer's own containers between the
// window and its controls (a frame window's canvas, a data window's frame;
// marked with MarkPassThrough) are no levels of their own: their children
// are listed in their place, in the same order.

#include <QAccessibleWidget>
#include <QList>

namespace win {

class WindowAccessible : public QAccessibleWidget {
  public:
    explicit WindowAccessible(QWidget* window);

    // Marks `container` as one of the layer's containers without meaning of
    // its own for a screen reader.
    static void MarkPassThrough(QWidget* container);
    static bool IsPassThrough(const QWidget* widget);
    // The widgets a screen reader sees below `widget`: its child widgets
    // that are not windows of their own, each pass-through container
    // replaced by what it holds.
    static QList<QWidget*> VisibleChildren(const QWidget* widget);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
};

}  // namespace win
