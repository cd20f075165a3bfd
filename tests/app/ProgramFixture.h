#pragma once
// Starts the runtime with the program's symbols and classes and installs the
// program's resources as the running module for one test; shuts the runtime
// down and clears the global settings object afterwards.
#include <gtest/gtest.h>

#include "ProgramRuntime.h"
#include "app/ProgramResources.h"
#include "platform/runtime/RuntimeState.h"

namespace app::testing {

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        StartProgramRuntime();
        previous_ = ProgramResources().InstallAsProgram();
    }
    void TearDown() override {
        StopProgramRuntime();
        rt::State().program.instance = previous_;
        rt::State().program.oGStru = rt::NIL;
        rt::State().program.ansi = true;
    }

  private:
    std::uintptr_t previous_ = 0;
};

}  // namespace app::testing
