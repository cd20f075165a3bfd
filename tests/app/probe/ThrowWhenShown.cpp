// Loaded into the built program (LD_PRELOAD): when the first widget is
// shown, an exception leaves a function that may not throw, so that the
// program meets an exception nobody catches with its window half made and
// stops in the report of it. Nothing else of the program is touched.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <stdexcept>

namespace {

[[noreturn]] void Throw() {
    throw std::runtime_error("thrown when the window showed");
}

// The exception cannot leave: the runtime's terminate handler takes it.
void ThrowThroughNoexcept() noexcept {
    Throw();
}

class FirstShow : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !thrown_) {
            thrown_ = true;
            ThrowThroughNoexcept();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool thrown_ = false;
};

void Arm() {
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(new FirstShow(app));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(Arm)
