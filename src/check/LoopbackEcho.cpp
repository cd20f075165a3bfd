#include "check/LoopbackEcho.h"

#include "platform/serial/LoopbackLine.h"

namespace check {

LoopbackEcho::LoopbackEcho() = default;

LoopbackEcho::~LoopbackEcho() {
    if (!thread_.isRunning()) {
        delete line_;
        return;
    }
    thread_.quit();
    thread_.wait();
}

rt::Expected<> LoopbackEcho::Create() {
    line_ = new serial::LoopbackLine();
    if (auto created = line_->Create(); !created) return created;
    path_ = line_->DevicePath();
    plug_ = line_->Plug();
    line_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, line_, &QObject::deleteLater);
    thread_.start();
    return {};
}

void LoopbackEcho::Start() {
    if (!thread_.isRunning()) return;
    // The line's notifiers must be made on the thread that watches them.
    auto* line = line_;
    QMetaObject::invokeMethod(
        line, [line] { line->Start(); }, Qt::BlockingQueuedConnection);
}

}  // namespace check
