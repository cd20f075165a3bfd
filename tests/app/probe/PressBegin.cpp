// Loaded into the built program (LD_PRELOAD): once the toolkit application
// exists, presses "Начать тест" with the Space key as soon as the test
// window shows it, so that a test can be started in a program run headless.
// With COMTEST_PROBE_STALL set, the GUI thread then stops for good, as a
// thread stuck in a blocking call would. Nothing else of the program is
// touched.
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

void PressBeginWhenShown() {
    for (QWidget* widget : QApplication::allWidgets()) {
        auto* button = qobject_cast<QPushButton*>(widget);
        if (button != nullptr && button->objectName() == QLatin1String("BeginButton") &&
            button->isVisible() && button->isEnabled()) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier,
                              QStringLiteral(" "));
            QCoreApplication::sendEvent(button, &press);
            QCoreApplication::sendEvent(button, &release);
            if (std::getenv("COMTEST_PROBE_STALL") != nullptr) {
                QTimer::singleShot(0, [] {
                    while (true) std::this_thread::sleep_for(std::chrono::hours(1));
                });
            }
            return;
        }
    }
    QTimer::singleShot(20, &PressBeginWhenShown);
}

void Arm() {
    QTimer::singleShot(0, &PressBeginWhenShown);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(Arm)
