#pragma once
// Installs the program's resources as the running module for one test and
// clears the global settings object afterwards.
#include <gtest/gtest.h>

#include "app/ProgramResources.h"
#include "platform/runtime/RuntimeState.h"

namespace app::testing {

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override { previous_ = ProgramResources().InstallAsProgram(); }
    void TearDown() override {
        rt::State().program.instance = previous_;
        rt::State().program.oGStru = rt::NIL;
        rt::State().program.ansi = true;
    }

  private:
    std::uintptr_t previous_ = 0;
};

}  // namespace app::testing
