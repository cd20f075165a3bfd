#pragma once
// A data window: a child window inside its owner's canvas, built from a
// dialog template of the program's resources. Its controls are made from the
// template's items by id (see Control) and laid out in dialog units of the
// template's font. A push button's click sends the window the method named
// by the button's HyperLabel: the method of that name (in upper case) that
// the runtime's class registry holds for the window's class or its bases.
//
// Construction fails with std::runtime_error when the template does not
// exist. A data window without a template is an empty form.

#include <QFont>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/window/DialogTemplate.h"
#include "platform/window/DialogUnits.h"
#include "platform/window/Icon.h"
#include "platform/window/ResourceID.h"
#include "platform/window/Window.h"

class QButtonGroup;
class QFrame;

namespace win {

class DataWindow : public Window {
  public:
    // `owner` is the window in whose canvas this one lives (nullptr: a window
    // of its own on the desktop); `controlId` is the window's own id when it
    // is a control of its owner.
    DataWindow(Window* owner, const ResourceID& resource, int controlId = 0);
    explicit DataWindow(Window* owner);
    ~DataWindow() override;

    // Hooks run around construction by the program's windows: PreInit first,
    // PostInit last. The library's do nothing.
    virtual void PreInit() {}
    virtual void PostInit() {}

    // Binds a data server; NIL unbinds.
    void Use(const rt::Usual& server) { server_ = server; }
    const rt::Usual& Server() const { return server_; }
    // Form or browse presentation ("FormView", "BrowseView"); this layer has
    // one presentation and remembers the choice.
    void ViewAs(std::string_view view) { view_ = std::string(view); }
    const std::string& View() const { return view_; }

    // The window's icon (shown when it stands alone on the desktop).
    void Icon(const win::Icon& icon);
    const QList<QImage>& IconImages() const { return icon_; }

    const std::optional<DialogTemplate>& Template() const { return template_; }
    const DialogUnits& Units() const { return units_; }
    // The template item of a control id; std::runtime_error when the
    // template has none.
    DialogItem TemplateItem(const ResourceID& id) const;

    // Sends the window's method of that name ("BeginButton" is BEGINBUTTON);
    // FALSE when its class has none.
    bool Send(const std::string& name);

    // Places a control's widget as its template item says and keeps tab
    // order and radio groups in template order. Tab reaches a radio group at
    // its checked button only (at its first while none is checked). Controls call it as they
    // are made; a control class of its own (the edit control) calls it too.
    void AttachWidget(QWidget* widget, const DialogItem& item);

    std::string ClassName() const override { return "DATAWINDOW"; }

  protected:
    void ApplyFrame() override;

  private:
    void CreateWidget(Window* owner);
    int TemplateIndex(std::uint16_t id) const;
    QButtonGroup* RadioGroupOf(std::uint16_t id);

    std::optional<DialogTemplate> template_;
    DialogUnits units_{6, 13};
    QFrame* frame_ = nullptr;
    rt::Usual server_;
    QList<QImage> icon_;
    std::string view_ = "FormView";
    std::map<int, QPointer<QWidget>> tabOrder_;  // template index -> widget
    std::map<int, QButtonGroup*> radioGroups_;   // group start index -> group
};

}  // namespace win
