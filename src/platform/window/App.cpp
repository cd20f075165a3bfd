#include "platform/window/App.h"

#include <QApplication>
#include <QEventLoop>
#include <QThread>

#include "platform/runtime/ErrorSystem.h"

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
    // A jump to a recovery point that could not cross the loop while it ran
    // goes on from here, once no loop runs any more.
    if (QThread::currentThread()->loopLevel() == 0) rt::ResumeHeldBreak();
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
