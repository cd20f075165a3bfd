#include "platform/window/WindowAccessible.h"

#include <QFocusFrame>
#include <QMenu>
#include <QVariant>
#include <QWidget>

namespace win {
namespace {

// The widget property that marks a pass-through container.
constexpr char kPassThrough[] = "comtestAccessiblePassThrough";

// The children the toolkit leaves out of every widget's accessible
// children: windows of their own, menus, focus frames and its own helper
// widgets.
bool ToolkitHides(const QWidget* widget) {
    return widget->isWindow() || qobject_cast<const QFocusFrame*>(widget) ||
           qobject_cast<const QMenu*>(widget) ||
           widget->objectName() == QLatin1String("qt_rubberband") ||
           widget->objectName() == QLatin1String("qt_spinbox_lineedit");
}

}  // namespace

WindowAccessible::WindowAccessible(QWidget* window)
    : QAccessibleWidget(window, QAccessible::Window) {}

void WindowAccessible::MarkPassThrough(QWidget* container) {
    container->setProperty(kPassThrough, true);
}

bool WindowAccessible::IsPassThrough(const QWidget* widget) {
    return widget && !widget->isWindow() && widget->property(kPassThrough).toBool();
}

QList<QWidget*> WindowAccessible::VisibleChildren(const QWidget* widget) {
    QList<QWidget*> children;
    for (QObject* object : widget->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || ToolkitHides(child)) continue;
        if (IsPassThrough(child)) {
            children += VisibleChildren(child);
        } else {
            children.append(child);
        }
    }
    return children;
}

int WindowAccessible::childCount() const {
    return static_cast<int>(VisibleChildren(widget()).size());
}

QAccessibleInterface* WindowAccessible::child(int index) const {
    const QList<QWidget*> children = VisibleChildren(widget());
    if (index < 0 || index >= children.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(children.at(index));
}

int WindowAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (!child) return -1;
    return static_cast<int>(
        VisibleChildren(widget()).indexOf(qobject_cast<QWidget*>(child->object())));
}

}  // namespace win
