#pragma once
// Watches the toolkit while it starts its display platform. Without a usable
// display (no DISPLAY, a display or Wayland compositor that does not answer,
// a platform plugin that is missing or cannot load, a platform that starts
// without any screen) the toolkit reports a fatal error and would abort the
// process. While a watch lives, that ends the program the way any failed
// start does instead: one line on standard error saying what is missing
// ("comtest: cannot start: no display, DISPLAY is not set", "... the Wayland
// platform plugin is not installed (package qt6-wayland)", or the
// platform's own words: "... the display platform "eglfs" could not be
// started: Could not find DRM device!"), then the runtime's exit steps with
// exit code -1 (255).
//
// The toolkit's messages are held back meanwhile, so that a failed start
// prints that one line only; when the platform starts, Started() hands them
// on to the handler installed before, which gets every later message too.
// From then until the watch goes, the toolkit's word that the Wayland
// connection broke (it then ends the process at once) first puts back the
// settings of the ports under test (os::SavedTerminals).
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
    // A platform that came up without a screen (linuxfb without a frame
    // buffer) is a failed start, as above.
    void Started();

  private:
    struct Held {
        QtMsgType type;
        QString category;
        QString text;
    };
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text);
    static void Follow(QtMsgType type, const QMessageLogContext& context, const QString& text);
    // Ends the watch: the previous handler back, the held messages on.
    void Release();
    // Writes the line for `fatal` (the toolkit's last word; empty: none)
    // and ends the program.
    [[noreturn]] void Fail(const QString& fatal, bool noScreen);

    QtMessageHandler previous_;
    std::vector<Held> held_;
    bool watching_ = true;
    bool following_ = false;
    static PlatformStartWatch* active_;
    static QtMessageHandler afterStart_;
};

}  // namespace win
