#include "platform/window/Window.h"

#include "platform/window/Translations.h"

namespace win {

Window::Window(rt::Object* owner) : owner_(owner) {}

Window::~Window() {
    if (widget_) delete widget_.data();
}

void Window::SetWidget(QWidget* widget) {
    widget_ = widget;
}

std::string Window::Caption() const {
    return widget_ ? widget_->windowTitle().toStdString() : std::string();
}

void Window::Caption(const std::string& caption) {
    if (widget_) widget_->setWindowTitle(Translations::Text(caption.c_str()));
}

Dimension Window::Size() const {
    if (!widget_) return {};
    return Dimension{widget_->width(), widget_->height()};
}

void Window::Size(const Dimension& size) {
    if (widget_) widget_->resize(std::max(0, size.width), std::max(0, size.height));
}

Point Window::Origin() const {
    if (!widget_) return {};
    return Point{widget_->x(), widget_->y()};
}

void Window::Origin(const Point& origin) {
    if (widget_) widget_->move(origin.x, origin.y);
}

Dimension Window::CanvasArea() const {
    const QWidget* canvas = Canvas();
    if (!canvas) return {};
    return Dimension{canvas->width(), canvas->height()};
}

void Window::Show(int showState) {
    if (!widget_) return;
    switch (showState) {
        case SW_HIDE:
            widget_->hide();
            break;
        case SW_SHOWMINIMIZED:
            widget_->showMinimized();
            break;
        case SW_SHOWACTIVE:
            widget_->showNormal();
            widget_->raise();
            widget_->activateWindow();
            break;
        default:
            widget_->show();
            break;
    }
}

void Window::EndWindow() {
    if (!widget_) return;
    widget_->hide();
    // Deferred: EndWindow is called from handlers of the window's own
    // controls, whose widgets must outlive the event being handled.
    widget_->deleteLater();
}

os::HWND Window::Handle(int /*which*/) {
    if (!widget_) return 0;
    if (handle_ == 0 || os::WindowFromHandle(handle_) != widget_.data())
        handle_ = os::RegisterWindowHandle(widget_.data());
    return handle_;
}

void Window::HyperLabel(const win::HyperLabel& label) {
    label_ = label;
    if (widget_) widget_->setObjectName(QString::fromStdString(label.name));
}

void Window::EnableSystemMenu(bool on) {
    systemMenu_ = on;
    ApplyFrame();
}

void Window::EnableMaxBox(bool on) {
    maxBox_ = on;
    ApplyFrame();
}

void Window::EnableMinBox(bool on) {
    minBox_ = on;
    ApplyFrame();
}

void Window::EnableBorder(int style) {
    borderStyle_ = style;
    ApplyFrame();
}

}  // namespace win
