#pragma once
// The base of the controls of a data window. A control is made from its
// owner window and the resource id of its item in the owner's template: the
// item gives the place (in dialog units), the style and the caption.
// Construction fails with std::runtime_error when the owner's template has
// no item of that id.
//
// Ownership in the window layer. A window or control object stands for its
// widget and removes it when it goes; should the widget's Qt parent (the
// window it is shown in) go first, the parent removes it and the object
// notices through QPointer. A Qt object that no window or control stands
// for (the receive pane, a child of its window's widget) belongs to its Qt
// parent alone. Every other object has exactly one owner: a window holds its
// controls by std::unique_ptr, whatever else needs a control (a radio group,
// a connection) refers to it by plain pointer, and an object made
// late-bound, without a Qt parent, belongs to the runtime's reference.

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>

#include "platform/runtime/Usual.h"
#include "platform/window/DialogTemplate.h"
#include "platform/window/HyperLabel.h"
#include "platform/window/ResourceID.h"

namespace win {

class DataWindow;

class Control : public rt::Object {
  public:
    ~Control() override;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    QWidget* Widget() const { return widget_.data(); }
    DataWindow* Owner() const { return owner_; }
    std::uint16_t Id() const { return item_.id; }
    const DialogItem& Item() const { return item_; }

    const win::HyperLabel& HyperLabel() const { return label_; }
    // Sets the label; the widget is then known by the label's name.
    void HyperLabel(const win::HyperLabel& label);

    void Enable();
    void Disable();
    bool IsEnabled() const;
    void SetFocus();

    // The control's value; the library's controls without one answer NIL and
    // ignore an assignment.
    virtual rt::Usual Value() const { return rt::Usual(); }
    virtual void Value(const rt::Usual& /*value*/) {}

  protected:
    Control(DataWindow* owner, const ResourceID& id, std::unique_ptr<QWidget> widget);
    // The template's caption in the user's language (Translations).
    QString CaptionText() const;

  private:
    DataWindow* owner_;
    DialogItem item_;
    QPointer<QWidget> widget_;
    win::HyperLabel label_;
};

}  // namespace win
