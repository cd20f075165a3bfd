// The application as a person meets it: App:Start builds the shell and the
// test window, the person clicks, types and closes; Start returns when the
// loop ends. Serial lines are the loopback line and pseudo-terminals.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <string>

#include "DeviceTree.h"
#include "ProgramFixture.h"
#include "PtyPair.h"
#include "app/App.h"
#include "app/GStru.h"
#include "platform/os/SystemMetrics.h"
#include "platform/serial/DeviceMonitor.h"
#include "platform/serial/PortMap.h"
#include "serialtest/SerialMLE.h"
#include "support/ModalBoxWatcher.h"

namespace app::testing {
namespace {

using serial::testing::DeviceTree;
using serial::testing::PtyPair;
using serial::testing::PumpUntil;
using serial::testing::ScopedPortMap;

QWidget* FindShell() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowTitle() == QStringLiteral("Тест COM-порта"))
            return widget;
    }
    return nullptr;
}

template <typename T = QWidget>
T* Find(QWidget* shell, const char* name) {
    return shell ? shell->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

// The entries a list offers, in order, separated by spaces.
std::string Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; list && i < list->count(); ++i) items << list->itemText(i);
    return items.join(' ').toStdString();
}

// Runs App:Start and, once the loop runs, `person` with the shell; answers
// whether Start returned (the loop ended) and the person got to act.
class StartTest : public ProgramTest {
  protected:
    template <typename Person>
    bool RunStart(Person person) {
        App application;
        bool acted = false;
        QTimer::singleShot(0, [&] {
            QWidget* shell = FindShell();
            EXPECT_NE(shell, nullptr);
            if (!shell) {
                application.Quit();
                return;
            }
            acted = true;
            person(shell, application);
        });
        const rt::Usual result = application.Start();
        EXPECT_TRUE(result.IsNil());
        return acted && !application.IsRunning();
    }
};

TEST_F(StartTest, ShellAppearsCentredWithTheTestWindowFillingIt) {
    os::ScreenSizeOverride screen(1280, 1024);
    EXPECT_TRUE(RunStart([](QWidget* shell, App&) {
        // Outer 673 x 395 at (304, 315): the platform frame leaves 663 x 359.
        EXPECT_EQ(shell->pos(), QPoint(304, 315));
        EXPECT_EQ(shell->size(), QSize(663, 359));
        QWidget* window = Find(shell, "WSerial");
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->geometry(), QRect(0, 0, 663, 359));
        EXPECT_FALSE(shell->isMaximized());
        // FSerial's one image replaced icon 101 as large and as small icon.
        const QList<QSize> iconSizes = shell->windowIcon().availableSizes();
        EXPECT_FALSE(iconSizes.isEmpty());
        for (const QSize& size : iconSizes) EXPECT_EQ(size, QSize(45, 45));
        // The buttons lie inside the client area.
        auto* exit = Find<QPushButton>(shell, "ExitButton");
        ASSERT_NE(exit, nullptr);
        EXPECT_TRUE(window->rect().contains(exit->geometry()));
        QTest::mouseClick(exit, Qt::LeftButton);
    }));
}

TEST_F(StartTest, FirstDisplayShowsTheDefaultsAndTheSettingsAreFilled) {
    EXPECT_TRUE(RunStart([](QWidget* shell, App& application) {
        EXPECT_EQ(Find<QComboBox>(shell, "PortListBox")->currentText(), QStringLiteral("Com1"));
        EXPECT_EQ(Find<QComboBox>(shell, "BaudListBox")->currentText(), QStringLiteral("9600"));
        EXPECT_EQ(Find<QComboBox>(shell, "ParityListBox")->currentText(), QStringLiteral("None"));
        // The fixed choices, in the settings tables' order.
        EXPECT_EQ(Items(Find<QComboBox>(shell, "PortListBox")),
                  "Com1 Com2 Com3 Com4 Com5 Com6 Com7 Com8 Com9");
        EXPECT_EQ(Items(Find<QComboBox>(shell, "BaudListBox")),
                  "300 1200 2400 4800 9600 14400 19200");
        EXPECT_EQ(Items(Find<QComboBox>(shell, "ParityListBox")), "Even Mark None Odd Space");
        EXPECT_TRUE(Find<QRadioButton>(shell, "EightButton")->isChecked());
        EXPECT_FALSE(Find<QRadioButton>(shell, "SevenButton")->isChecked());
        EXPECT_TRUE(Find<QRadioButton>(shell, "ZeroButton")->isChecked());
        EXPECT_EQ(Find<QRadioButton>(shell, "ZeroButton")->text(), QStringLiteral("1"));
        EXPECT_FALSE(Find<QPushButton>(shell, "EndButton")->isEnabled());
        EXPECT_TRUE(Find<QPushButton>(shell, "BeginButton")->isEnabled());
        EXPECT_EQ(Find<QPushButton>(shell, "BeginButton")->text(), QStringLiteral("Начать тест"));
        const rt::Usual& settings = rt::State().program.oGStru;
        ASSERT_TRUE(settings.IsObject());
        EXPECT_EQ(settings.AsObject()->ClassName(), "GSTRU");
        EXPECT_EQ(settings.AsObject()->IVarGet("APORT").AsArray()->size(), 9u);
        EXPECT_FALSE(rt::State().program.ansi);
        application.Quit();
    }));
}

TEST_F(StartTest, ClosingTheShellEndsTheApplication) {
    EXPECT_TRUE(RunStart([](QWidget* shell, App&) { shell->close(); }));
}

TEST_F(StartTest, PortEntriesShowTheirDevicesAsTooltips) {
    ScopedPortMap ports(std::vector<std::pair<std::string, std::string>>{{"Com1", "loop"},
                                                                         {"Com3", "/dev/ttyUSB7"}});
    EXPECT_TRUE(RunStart([](QWidget* shell, App& application) {
        auto* list = Find<QComboBox>(shell, "PortListBox");
        EXPECT_EQ(list->itemData(list->findText("Com1"), Qt::ToolTipRole).toString(),
                  QStringLiteral("built-in loopback line"));
        EXPECT_EQ(list->itemData(list->findText("Com3"), Qt::ToolTipRole).toString(),
                  QStringLiteral("/dev/ttyUSB7"));
        EXPECT_EQ(list->toolTip(), QStringLiteral("built-in loopback line"));
        application.Quit();
    }));
}

TEST_F(StartTest, AdapterPluggedInWhileTheWindowIsOpenGetsItsTooltip) {
    DeviceTree tree;
    QTemporaryDir store;
    ASSERT_TRUE(tree.Ok() && store.isValid());
    tree.AddUart("ttyS0");
    {
        serial::PortMap map([](const std::string&) { return std::optional<std::string>(); });
        auto devices = std::make_shared<serial::DeviceMonitor>(
            tree.Root(), store.filePath("registry.ini").toStdString());
        devices->Watch();
        map.SetDevices(std::move(devices));
        serial::PortMap::Install(std::move(map));
    }
    EXPECT_TRUE(RunStart([&](QWidget* shell, App& application) {
        auto* list = Find<QComboBox>(shell, "PortListBox");
        const auto tip = [&](const char* port) {
            return list->itemData(list->findText(port), Qt::ToolTipRole).toString().toStdString();
        };
        // An entry without a device is drawn unavailable, not disabled.
        const auto drawnAvailable = [&](const char* port) {
            return !list->itemData(list->findText(port), Qt::ForegroundRole).isValid();
        };
        EXPECT_EQ(tip("Com1"), "built-in UART, " + tree.Node("ttyS0"));
        EXPECT_EQ(tip("Com2"), "no device");
        EXPECT_TRUE(drawnAvailable("Com1"));
        EXPECT_FALSE(drawnAvailable("Com2"));
        list->setCurrentIndex(list->findText("Com2"));
        EXPECT_EQ(list->currentText(), QStringLiteral("Com2"));
        tree.AddUsb("ttyUSB0");
        const std::string usb = "FT232R USB UART, FTDI, " + tree.Node("ttyUSB0") +
                                ", serial A50285BI, usb-FTDI_A50285BI-if00-port0";
        EXPECT_TRUE(PumpUntil([&] { return tip("Com2") == usb; })) << tip("Com2");
        EXPECT_TRUE(drawnAvailable("Com2"));
        EXPECT_EQ(list->count(), 9);
        tree.Remove("ttyUSB0");
        EXPECT_TRUE(PumpUntil([&] { return tip("Com2") == "no device"; })) << tip("Com2");
        EXPECT_FALSE(drawnAvailable("Com2"));
        application.Quit();
    }));
    serial::PortMap::Install(serial::PortMap());
}

TEST_F(StartTest, DuringATestTheShellCannotBeClosedNorExitPressed) {
    ScopedPortMap ports("Com1", "loop");
    EXPECT_TRUE(RunStart([](QWidget* shell, App& application) {
        auto* begin = Find<QPushButton>(shell, "BeginButton");
        auto* end = Find<QPushButton>(shell, "EndButton");
        auto* exit = Find<QPushButton>(shell, "ExitButton");
        QTest::mouseClick(begin, Qt::LeftButton);
        ASSERT_TRUE(end->isEnabled()) << "the loopback line did not open";
        EXPECT_FALSE(exit->isEnabled());
        EXPECT_FALSE(begin->isEnabled());

        // Every way of closing is refused while the test runs.
        EXPECT_FALSE(shell->close());
        QTest::keyClick(shell, Qt::Key_F4, Qt::AltModifier);
        QTest::mouseClick(exit, Qt::LeftButton);
        QCoreApplication::processEvents();
        EXPECT_TRUE(application.IsRunning());
        EXPECT_TRUE(shell->isVisible());

        QTest::mouseClick(end, Qt::LeftButton);
        EXPECT_TRUE(exit->isEnabled());
        EXPECT_TRUE(begin->isEnabled());
        EXPECT_FALSE(end->isEnabled());
        EXPECT_TRUE(shell->close());
    }));
}

TEST_F(StartTest, WholeTestThroughAPseudoTerminal) {
    PtyPair line;
    ASSERT_TRUE(line.Ok());
    ScopedPortMap ports("Com2", line.Path());
    EXPECT_TRUE(RunStart([&line](QWidget* shell, App&) {
        auto* list = Find<QComboBox>(shell, "PortListBox");
        list->setCurrentIndex(list->findText("Com2"));
        auto* pane = shell->findChild<serialtest::SerialMLE*>();
        ASSERT_NE(pane, nullptr);
        pane->SetValue(QStringLiteral("old text"));
        QTest::mouseClick(Find<QPushButton>(shell, "BeginButton"), Qt::LeftButton);
        ASSERT_TRUE(Find<QPushButton>(shell, "EndButton")->isEnabled());
        EXPECT_TRUE(pane->Value().isEmpty());

        // Far end to pane.
        ASSERT_TRUE(line.Send("Hi\r\n"));
        EXPECT_TRUE(PumpUntil([&] { return pane->Value() == QStringLiteral("Hi[13][10]"); }))
            << pane->Value().toStdString();

        // Pane to far end: the focus is in the pane after the start.
        QWidget* view = Find(shell, "CommEdit");
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(view->hasFocus());
        QTest::keyClick(view, Qt::Key_B);
        QTest::keyClick(view, Qt::Key_Return);
        EXPECT_EQ(line.Receive(3), std::string("B\r\n"));

        QTest::mouseClick(Find<QPushButton>(shell, "EndButton"), Qt::LeftButton);
        EXPECT_FALSE(pane->Device()->IsOpen());
        QTest::mouseClick(Find<QPushButton>(shell, "ExitButton"), Qt::LeftButton);
    }));
}

}  // namespace
}  // namespace app::testing
