#include "platform/window/TopAppWindow.h"

#include <QCloseEvent>
#include <QPixmap>
#include <QStatusBar>

#include "platform/os/SystemMenu.h"
#include "platform/runtime/ErrorSystem.h"
#include "platform/window/Accessibility.h"
#include "platform/window/WindowAccessible.h"

namespace win {
namespace {

// The top-level widget: hands close requests and resizes to its window.
class FrameWidget : public QWidget {
  public:
    explicit FrameWidget(TopAppWindow* window) : window_(window) {}

  protected:
    void closeEvent(QCloseEvent* event) override {
        bool accept = false;
        window_->HandleCloseRequest(accept);
        if (accept) {
            event->accept();
        } else {
            event->ignore();
        }
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        window_->LayoutClient();
    }

  private:
    TopAppWindow* window_;
};

}  // namespace

TopAppWindow::TopAppWindow(rt::Object* owner) : Window(owner) {
    auto* frame = new FrameWidget(this);
    canvas_ = new QWidget(frame);
    canvas_->setObjectName(QStringLiteral("canvas"));
    WindowAccessible::MarkPassThrough(canvas_);
    SetWidget(frame);
    Accessibility::Forget(frame);
    Accessibility::Forget(canvas_);
    Size(Dimension{kFrame.left() + kFrame.right() + 400, kFrame.top() + kFrame.bottom() + 300});
    ApplyFrame();
}

TopAppWindow::~TopAppWindow() = default;

TopAppWindow& TopAppWindow::Close(CloseEvent& event) {
    event.Accept();
    return *this;
}

void TopAppWindow::HandleCloseRequest(bool& accept) {
    accept = false;
    if (os::IsSystemCloseDisabled(Handle(0))) return;
    CloseEvent event;
    rt::DispatchGuarded([&] { Close(event); }, "TOPAPPWINDOW:CLOSE");
    accept = event.IsAccepted();
}

void TopAppWindow::EnableStatusBar(bool on) {
    if (on && !statusBar_) {
        statusBar_ = new QStatusBar(Widget());
        statusBar_->setSizeGripEnabled(false);
        statusBar_->show();
    } else if (!on && statusBar_) {
        delete statusBar_;
        statusBar_ = nullptr;
    }
    LayoutClient();
}

void TopAppWindow::LayoutClient() {
    QWidget* frame = Widget();
    if (!frame || !canvas_) return;
    int statusHeight = 0;
    if (statusBar_) {
        statusHeight = statusBar_->sizeHint().height();
        statusBar_->setGeometry(0, frame->height() - statusHeight, frame->width(), statusHeight);
    }
    canvas_->setGeometry(0, 0, frame->width(), std::max(0, frame->height() - statusHeight));
}

QWidget* TopAppWindow::Canvas() const {
    return canvas_;
}

Dimension TopAppWindow::Size() const {
    const Dimension client = Window::Size();
    return Dimension{client.width + kFrame.left() + kFrame.right(),
                     client.height + kFrame.top() + kFrame.bottom()};
}

void TopAppWindow::Size(const Dimension& size) {
    Window::Size(Dimension{size.width - kFrame.left() - kFrame.right(),
                           size.height - kFrame.top() - kFrame.bottom()});
    LayoutClient();
}

void TopAppWindow::Icon(const win::Icon& icon) {
    largeIcon_ = icon.Images();
    UpdateWindowIcon();
}

void TopAppWindow::IconSm(const win::Icon& icon) {
    smallIcon_ = icon.Images();
    UpdateWindowIcon();
}

void TopAppWindow::UpdateWindowIcon() {
    if (!Widget()) return;
    // The toolkit keeps one icon with several images; the desktop picks the
    // size it draws from them.
    QIcon icon;
    for (const auto& image : largeIcon_) icon.addPixmap(QPixmap::fromImage(image));
    for (const auto& image : smallIcon_) icon.addPixmap(QPixmap::fromImage(image));
    Widget()->setWindowIcon(icon);
}

void TopAppWindow::ApplyFrame() {
    QWidget* frame = Widget();
    if (!frame) return;
    Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint;
    if (HasSystemMenu()) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (HasMaxBox()) flags |= Qt::WindowMaximizeButtonHint;
    if (HasMinBox()) flags |= Qt::WindowMinimizeButtonHint;
    if (BorderStyle() == 0) flags |= Qt::FramelessWindowHint;
    const bool visible = frame->isVisible();
    frame->setWindowFlags(flags);
    if (visible) frame->show();
}

}  // namespace win
