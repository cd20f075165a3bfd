#pragma once
// The window base: a toolkit widget with the properties every window has.
// The object owns its widget; a widget that the toolkit already destroyed
// (with its parent) is not destroyed twice.
//
// Show states: 0 hides; 1 shows the window normally; 2 shows it minimised;
// 3 shows it at its own size and position, raised and activated (the
// layer's own definition: the program's top-level window is laid out for
// its set size, so it is never maximised by a show state); any other value,
// or none, shows it normally.

#include <QPointer>
#include <QWidget>
#include <string>

#include "platform/os/PostedMessage.h"
#include "platform/runtime/Usual.h"
#include "platform/window/Dimension.h"
#include "platform/window/HyperLabel.h"
#include "platform/window/Point.h"

namespace win {

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWACTIVE = 3;
inline constexpr int kShowDefault = -1;

class Window : public rt::Object {
  public:
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    QWidget* Widget() const { return widget_.data(); }
    // The widget in which windows owned by this one live.
    virtual QWidget* Canvas() const { return Widget(); }
    // The owner given at construction: a window, the application object, or
    // nullptr.
    rt::Object* Owner() const { return owner_; }

    std::string Caption() const;
    // Sets the caption shown, in the user's language (Translations).
    void Caption(const std::string& caption);
    // Outer size and position in pixels.
    virtual Dimension Size() const;
    virtual void Size(const Dimension& size);
    virtual Point Origin() const;
    virtual void Origin(const Point& origin);
    // Size of the area in which owned windows are laid out.
    Dimension CanvasArea() const;

    virtual void Show(int showState = kShowDefault);
    // Ends the window: hides it and destroys its widget once the current
    // event has been handled.
    void EndWindow();
    // The platform handle of the window (the argument is the platform's
    // "which handle" selector; 0 is the window itself).
    os::HWND Handle(int which = 0);

    const win::HyperLabel& HyperLabel() const { return label_; }
    void HyperLabel(const win::HyperLabel& label);

    // Frame options: with the system menu (close box), the maximise and
    // minimise boxes, and the border style (0 is none; -1 the default).
    virtual void EnableSystemMenu(bool on);
    virtual void EnableMaxBox(bool on);
    virtual void EnableMinBox(bool on);
    virtual void EnableBorder(int style = -1);
    bool HasSystemMenu() const { return systemMenu_; }
    bool HasMaxBox() const { return maxBox_; }
    bool HasMinBox() const { return minBox_; }
    int BorderStyle() const { return borderStyle_; }

  protected:
    explicit Window(rt::Object* owner);
    // Takes ownership of the widget.
    void SetWidget(QWidget* widget);
    // Applies the frame options to the widget's window flags.
    virtual void ApplyFrame() {}

  private:
    rt::Object* owner_;
    QPointer<QWidget> widget_;
    os::HWND handle_ = 0;
    win::HyperLabel label_;
    bool systemMenu_ = true;
    bool maxBox_ = true;
    bool minBox_ = true;
    int borderStyle_ = -1;
};

}  // namespace win
