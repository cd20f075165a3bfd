#include "platform/window/PassThroughAccessible.h"

#include <QWidget>

#include "platform/window/WindowAccessible.h"

namespace win {

PassThroughAccessible::PassThroughAccessible(QWidget* container) : QAccessibleWidget(container) {}

QAccessibleInterface* PassThroughAccessible::Window() const {
    QWidget* container = widget();
    if (!WindowAccessible::IsPassThrough(container)) return nullptr;
    // Only a window of the layer lists the container's children in its
    // place; under any other window the container stays a level of its own,
    // or it would list itself among its children.
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(container->window());
    return dynamic_cast<WindowAccessible*>(window) ? window : nullptr;
}

QAccessible::Role PassThroughAccessible::role() const {
    QAccessibleInterface* window = Window();
    return window ? window->role() : QAccessibleWidget::role();
}

QString PassThroughAccessible::text(QAccessible::Text t) const {
    QAccessibleInterface* window = Window();
    return window ? window->text(t) : QAccessibleWidget::text(t);
}

QAccessible::State PassThroughAccessible::state() const {
    QAccessibleInterface* window = Window();
    return window ? window->state() : QAccessibleWidget::state();
}

QRect PassThroughAccessible::rect() const {
    QAccessibleInterface* window = Window();
    return window ? window->rect() : QAccessibleWidget::rect();
}

QAccessibleInterface* PassThroughAccessible::parent() const {
    QAccessibleInterface* window = Window();
    return window ? window->parent() : QAccessibleWidget::parent();
}

int PassThroughAccessible::childCount() const {
    QAccessibleInterface* window = Window();
    return window ? window->childCount() : QAccessibleWidget::childCount();
}

QAccessibleInterface* PassThroughAccessible::child(int index) const {
    QAccessibleInterface* window = Window();
    return window ? window->child(index) : QAccessibleWidget::child(index);
}

int PassThroughAccessible::indexOfChild(const QAccessibleInterface* child) const {
    QAccessibleInterface* window = Window();
    return window ? window->indexOfChild(child) : QAccessibleWidget::indexOfChild(child);
}

}  // namespace win
