#include "platform/window/App.h"

#include <QApplication>
#include <QEventLoop>

namespace win {

App::App() {
    // The loop ends by Quit alone: closing the last window does not end it,
    // so a shell whose Close declines (a test running) keeps the program.
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        app->setQuitOnLastWindowClosed(false);
}

App::~App() = default;

rt::Usual App::Start() {
    Exec();
    return rt::Usual();
}

void App::Exec() {
    if (quitPending_) {
        quitPending_ = false;
        return;
    }
    QEventLoop loop;
    QEventLoop* outer = loop_;
    loop_ = &loop;
    loop.exec();
    loop_ = outer;
}

void App::Quit() {
    if (loop_) {
        loop_->exit(0);
    } else {
        quitPending_ = true;
    }
}

rt::Usual Start(App& app) {
    return app.Start();
}

}  // namespace win
