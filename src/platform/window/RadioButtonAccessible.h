#pragma once
// What a screen reader sees of a radio button: a radio button (whatever its
// exclusivity is built from), checkable and checked as it is, named by its
// caption, pressed by its press action, and labelled by its group: the
// smallest titled group box among its siblings that encloses it.

#include <QAccessibleWidget>

class QRadioButton;

namespace win {

class RadioButtonAccessible : public QAccessibleWidget {
  public:
    explicit RadioButtonAccessible(QRadioButton* button);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

  private:
    QRadioButton* Button() const;
};

}  // namespace win
