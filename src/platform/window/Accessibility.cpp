#include "platform/window/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QRadioButton>

#include "platform/window/PassThroughAccessible.h"
#include "platform/window/RadioButtonAccessible.h"
#include "platform/window/TextPaneAccessible.h"
#include "platform/window/TextPaneView.h"
#include "platform/window/WindowAccessible.h"

namespace win {

void Accessibility::Install() {
    // The last factory installed is asked first: the application installs
    // the toolkit's widget factory as it is made, so the layer's goes in
    // after it, again each time (removing first keeps one).
    QAccessible::removeFactory(&Accessibility::Make);
    QAccessible::installFactory(&Accessibility::Make);
}

void Accessibility::Forget(QObject* object) {
    Install();
    if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

QAccessibleInterface* Accessibility::Make(const QString& className, QObject* object) {
    if (auto* pane = qobject_cast<TextPaneView*>(object)) return new TextPaneAccessible(pane);
    if (auto* radio = qobject_cast<QRadioButton*>(object)) return new RadioButtonAccessible(radio);
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (WindowAccessible::IsPassThrough(widget)) return new PassThroughAccessible(widget);
    // The layer's top-level windows are plain widgets, its data windows
    // plain frames: the class name tells them from the toolkit's own
    // subclasses. A data window inside another window is a filler, not a
    // second frame.
    const bool plain =
        className == QLatin1String("QWidget") || className == QLatin1String("QFrame");
    if (plain && widget->isWindow()) return new WindowAccessible(widget);
    if (className == QLatin1String("QFrame"))
        return new QAccessibleWidget(widget, QAccessible::Client);
    return nullptr;
}

}  // namespace win
