#include "platform/window/RadioButtonAccessible.h"

#include <QGroupBox>
#include <QRadioButton>

namespace win {

RadioButtonAccessible::RadioButtonAccessible(QRadioButton* button)
    : QAccessibleWidget(button, QAccessible::RadioButton) {}

QRadioButton* RadioButtonAccessible::Button() const {
    return static_cast<QRadioButton*>(widget());
}

QAccessible::State RadioButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = Button()->isChecked();
    return state;
}

QString RadioButtonAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && Button()->accessibleName().isEmpty())
        return QString(Button()->text()).remove(QLatin1Char('&'));
    return QAccessibleWidget::text(t);
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>> RadioButtonAccessible::relations(
    QAccessible::Relation match) const {
    auto found = QAccessibleWidget::relations(match);
    const QWidget* parent = Button()->parentWidget();
    if (!(match & QAccessible::Label) || parent == nullptr) return found;
    // The template places a group's buttons over its group box, as siblings.
    QGroupBox* group = nullptr;
    for (QGroupBox* box : parent->findChildren<QGroupBox*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (box->title().isEmpty() || !box->geometry().contains(Button()->geometry())) continue;
        const auto area = [](const QWidget* w) { return w->width() * w->height(); };
        if (group == nullptr || area(box) < area(group)) group = box;
    }
    if (group != nullptr) {
        if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(group))
            found.append({iface, QAccessible::Label});
    }
    return found;
}

QStringList RadioButtonAccessible::actionNames() const {
    QStringList names = QAccessibleWidget::actionNames();
    if (Button()->isEnabled()) names.prepend(pressAction());
    return names;
}

void RadioButtonAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction() && Button()->isEnabled()) {
        Button()->click();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

}  // namespace win
