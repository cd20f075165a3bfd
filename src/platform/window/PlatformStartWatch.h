#pragma once
// Watches the toolkit while it starts its display platform. Without a usable
// display (no DISPLAY, a display that refuses the connection, a platform
// plugin that is missing or cannot load) the toolkit reports a fatal error
// and would abort the process. While a watch lives, that ends the program
// the way any failed start does instead: one line on standard error saying
// what is missing ("comtest: cannot start: no display, DISPLAY is not set"),
// then the runtime's exit steps with exit code -1 (255).
//
// The toolkit's own messages about the platform are held back meanwhile, so
// that a failed start prints that one line only; when the platform starts,
// Started() hands them on to the handler installed before.
//
// The toolkit takes one plain function as its message handler, so the
// watch in force is reached through a static pointer: one watch at a time.

#include <QString>
#include <QtGlobal>
#include <vector>

namespace win {

class PlatformStartWatch {
  public:
    PlatformStartWatch();
    ~PlatformStartWatch();
    PlatformStartWatch(const PlatformStartWatch&) = delete;
    PlatformStartWatch& operator=(const PlatformStartWatch&) = delete;

    // The platform is up: held messages go on, the previous handler is back.
    void Started();

  private:
    struct Held {
        QtMsgType type;
        QString category;
        QString text;
    };
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text);

    QtMessageHandler previous_;
    std::vector<Held> held_;
    bool watching_ = true;
    static PlatformStartWatch* active_;
};

}  // namespace win
