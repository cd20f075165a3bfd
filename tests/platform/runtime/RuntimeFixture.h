#pragma once
// A started runtime with a fresh symbol table for each test, shut down after.

#include <gtest/gtest.h>

#include <string_view>

#include "platform/runtime/RuntimeState.h"
#include "platform/runtime/Startup.h"

namespace rt {

class RuntimeFixture : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(MemInit(), 0);
        ASSERT_EQ(AtomInit(), 0);
        ASSERT_EQ(CreateAtomTable(4194304, 16384), 0);
        RTInitParams params;
        params.classCount = 16;
        ASSERT_EQ(RTInit(params), 0);
    }
    void TearDown() override { RTExit(); }

    static Symbol Sym(std::string_view name) { return State().symbols.Add(name); }
};

// An object of a named class with one number and one array field.
class TestObject : public Object {
  public:
    explicit TestObject(std::string cls) : cls_(std::move(cls)) {}
    std::string ClassName() const override { return cls_; }
    std::int32_t number = 0;
    Usual items;

  private:
    std::string cls_;
};

}  // namespace rt
