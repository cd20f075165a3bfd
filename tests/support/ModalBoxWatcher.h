#pragma once
// Answers the modal message boxes that open while the watcher lives, as a
// person would: reads each box's caption and text, then presses its OK
// button (its detailed text read too). The watcher polls from the event loop, so it works inside
// the nested loop that a modal box runs.
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <string>
#include <vector>

namespace testsupport {

class ModalBoxWatcher {
  public:
    struct Box {
        std::string caption;
        std::string text;
        QMessageBox::Icon icon;
        std::string details;  // the detailed text behind "Show Details..."
    };

    ModalBoxWatcher() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(1);
    }

    const std::vector<Box>& Seen() const { return seen_; }

  private:
    void Poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box == last_) return;
        last_ = box;
        seen_.push_back(Box{box->windowTitle().toStdString(), box->text().toStdString(),
                            box->icon(), box->detailedText().toStdString()});
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            ok->click();
        } else {
            box->reject();
        }
    }

    QTimer timer_;
    QPointer<QMessageBox> last_;
    std::vector<Box> seen_;
};

}  // namespace testsupport
