#pragma once
// A top-level frame window: caption, system menu with close box, optional
// maximise and minimise boxes, an optional status bar, and a canvas (the
// client area less the status bar) in which owned windows live.
//
// Closing, by any way (close box, keyboard, window manager, Widget()->close()):
// while the Close item (position 6) of the window's system menu is greyed
// or disabled nothing happens; otherwise Close(event) is called, and the
// window closes when the event was accepted (the library's Close accepts).
//
// Size and Origin are the outer size and position. The non-client frame is
// the platform's standard one: a 5-pixel border and a 26-pixel caption, so
// a 673 x 395 window has a 663 x 359 client area, whatever decoration the
// desktop's window manager draws around it.

#include <QIcon>
#include <QMargins>

#include "platform/window/CloseEvent.h"
#include "platform/window/Icon.h"
#include "platform/window/Window.h"

class QStatusBar;

namespace win {

class TopAppWindow : public Window {
  public:
    static constexpr QMargins kFrame{5, 31, 5, 5};

    explicit TopAppWindow(rt::Object* owner);
    ~TopAppWindow() override;

    // Called when the window is asked to close; returns the window. The
    // library's Close accepts the event.
    virtual TopAppWindow& Close(CloseEvent& event);

    void EnableStatusBar(bool on);
    bool HasStatusBar() const { return statusBar_ != nullptr; }

    void Icon(const win::Icon& icon);
    void IconSm(const win::Icon& icon);
    // The images last given as large icon.
    const QList<QImage>& LargeIconImages() const { return largeIcon_; }

    QWidget* Canvas() const override;
    Dimension Size() const override;
    void Size(const Dimension& size) override;

    std::string ClassName() const override { return "TOPAPPWINDOW"; }

    // The toolkit's close request, routed by the window's widget.
    void HandleCloseRequest(bool& accept);
    // Lays out canvas and status bar in the client area.
    void LayoutClient();

  protected:
    void ApplyFrame() override;

  private:
    void UpdateWindowIcon();

    QWidget* canvas_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QList<QImage> largeIcon_;
    QList<QImage> smallIcon_;
};

}  // namespace win
