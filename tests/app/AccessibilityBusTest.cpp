// The window through the real accessibility bus, as a screen reader walks it
// (tests/app/atspi/walk_window.py): in a D-Bus session of its own, on a
// headless Wayland compositor.
#include <gtest/gtest.h>

#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

TEST(AccessibilityBusTest, ScreenReaderFindsTheWindowsControlsAndHearsThePane) {
    const QString python = QStringLiteral("/usr/bin/python3");
    const QString waylandPlugin = QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                                  QStringLiteral("/platforms/libqwayland-generic.so");
    const std::pair<bool, const char*> needs[] = {
        {!QStandardPaths::findExecutable("dbus-run-session").isEmpty(), "dbus-daemon"},
        {!QStandardPaths::findExecutable("weston").isEmpty(), "weston"},
        {QFile::exists(waylandPlugin), "qt6-wayland"},
        {QProcess::execute(python, {"-c", "import pyatspi"}) == 0, "python3-pyatspi"},
        {QFile::exists("/usr/libexec/at-spi-bus-launcher"), "at-spi2-core"},
    };
    for (const auto& [present, package] : needs) {
        if (!present)
            GTEST_SKIP() << "the accessibility bus cannot start here: install " << package
                         << " (scripts/setup.sh does)";
    }
    QProcess walk;
    walk.setProcessChannelMode(QProcess::MergedChannels);
    walk.start("dbus-run-session", {"--", python, COMTEST_ATSPI_WALK, COMTEST_PROGRAM});
    ASSERT_TRUE(walk.waitForFinished(90000));
    const std::string out = walk.readAll().toStdString();
    if (walk.exitCode() == 77) GTEST_SKIP() << out;
    EXPECT_EQ(walk.exitCode(), 0) << out;
}

}  // namespace
