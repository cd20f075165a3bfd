#pragma once
// A resource module for window-layer tests: the template "TESTFORM" with two
// radio groups, a combo box, a push button, a text and a group box created
// out of template order, installed as the program's module for the lifetime
// of the fixture.

#include <gtest/gtest.h>

#include "platform/runtime/RuntimeState.h"
#include "platform/window/ResourceModule.h"

namespace win::testing {

enum TestId : std::uint16_t {
    kFrameBox = 10,
    kCaption = 11,
    kList = 12,
    kGroupA = 20,
    kA1 = 21,
    kA2 = 22,
    kGroupB = 30,
    kB1 = 31,
    kB2 = 32,
    kGo = 40,
    kStop = 41,
};

inline DialogTemplate TestForm() {
    DialogTemplate d;
    d.name = "TESTFORM";
    d.style = kChildFormStyle;
    d.rect = {0, 0, 200, 100};
    d.fontFace = u"MS Shell Dlg";
    d.pointSize = 8;
    d.items = {
        {kFrameBox, ControlClass::Button, kGroupBoxStyle, 0, u"Frame", {2, 2, 196, 40}},
        {kCaption, ControlClass::Static, kLabelStyle, 0, u"Caption", {6, 10, 40, 10}},
        {kList, ControlClass::ComboBox, kDropDownListStyle, 0, u"", {50, 10, 60, 50}},
        {kGroupA, ControlClass::Button, kGroupBoxStyle, 0, u"A", {120, 4, 36, 36}},
        {kA1, ControlClass::Button, kRadioButtonStyle, 0, u"a1", {124, 14, 30, 10}},
        {kA2, ControlClass::Button, kRadioButtonStyle, 0, u"a2", {124, 26, 30, 10}},
        {kGroupB, ControlClass::Button, kGroupBoxStyle, 0, u"B", {160, 4, 36, 36}},
        {kB1, ControlClass::Button, kRadioButtonStyle, 0, u"b1", {164, 14, 30, 10}},
        {kB2, ControlClass::Button, kRadioButtonStyle, 0, u"b2", {164, 26, 30, 10}},
        {kGo, ControlClass::Button, kPushButtonStyle, 0, u"Go", {10, 60, 50, 14}},
        {kStop, ControlClass::Button, kPushButtonStyle, 0, u"Stop", {70, 60, 50, 14}},
    };
    return d;
}

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        module_.AddDialog(TestForm());
        previous_ = module_.InstallAsProgram();
    }
    void TearDown() override { rt::State().program.instance = previous_; }

    ResourceModule module_;

  private:
    std::uintptr_t previous_ = 0;
};

}  // namespace win::testing
