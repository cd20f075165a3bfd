#pragma once
// The serial test window in a shell of its own, its classes registered as
// start-up registers them, for tests that drive it through its widgets.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "TestLineTables.h"
#include "platform/os/SystemMenu.h"
#include "platform/runtime/RuntimeState.h"
#include "platform/window/App.h"
#include "platform/window/ResourceModule.h"
#include "platform/window/TopAppWindow.h"
#include "serialtest/SerialTestClasses.h"
#include "serialtest/WSerial.h"
#include "serialtest/WSerialTemplate.h"

namespace serialtest {

class WSerialTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The window's clicks reach its methods through the class registry.
        auto& state = rt::State();
        state.classes.Reset(0);
        for (const char* base : {"DATAWINDOW", "MULTILINEEDIT"}) {
            ASSERT_EQ(state.classes.DeclareClass({state.symbols.Add(base), {}, {}, {}, {}, {}}), 0);
        }
        for (auto& declaration : SerialTestDeclarations()) {
            ASSERT_EQ(state.classes.Declare(std::move(declaration)), 0);
        }
        module_.AddDialog(WSerialTemplate());
        previousModule_ = module_.InstallAsProgram();
    }
    void TearDown() override {
        window_.reset();
        shell_.reset();
        rt::State().classes.Reset(0);
        rt::State().program.instance = previousModule_;
        rt::State().program.oGStru = rt::NIL;
    }

    void Open() {
        shell_ = std::make_unique<win::TopAppWindow>(&application_);
        shell_->Size(win::Dimension{673, 395});
        shell_->Show();
        window_ = std::make_unique<WSerial>(shell_.get(), testing::ProgramTables(parity_));
        window_->Show();
    }

    template <typename T = QWidget>
    T* Find(const char* name) {
        return window_->Widget()->findChild<T*>(QString::fromLatin1(name));
    }
    void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
    void Choose(const char* list, const char* entry) {
        auto* box = Find<QComboBox>(list);
        box->setCurrentIndex(box->findText(QString::fromUtf8(entry)));
    }
    bool Enabled(const char* button) { return Find<QPushButton>(button)->isEnabled(); }
    bool CloseGreyed() { return os::IsSystemCloseDisabled(shell_->Handle(0)); }
    SerialMLE* Pane() { return window_->Widget()->findChild<SerialMLE*>(); }

    rt::Usual parity_ = testing::PlatformParities();
    win::ResourceModule module_;
    win::App application_;
    std::unique_ptr<win::TopAppWindow> shell_;
    std::unique_ptr<WSerial> window_;

  private:
    std::uintptr_t previousModule_ = 0;
};

}  // namespace serialtest
