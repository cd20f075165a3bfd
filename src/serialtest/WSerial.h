#pragma once
// The serial test window: the operator chooses port, baud rate, parity,
// data bits and stop bits, starts a test (the pane's port is opened with
// these settings and received bytes appear in the pane), ends it (the port
// is closed) and leaves the application.
//
// States: Idle (Begin enabled, End disabled, Exit enabled, the owner's
// system-menu Close available, port closed) and Testing (Begin disabled, End
// enabled, Exit disabled, Close greyed, port open and notifying the pane).
// A failed start shows an error box and changes nothing else. The settings
// controls stay enabled in both states; a change takes effect at the next
// start.
//
// The window is built from the template "WSerial" of the program's module
// and fills its owner's canvas. Its lists are filled from the tables it is
// given.

#include <QMetaObject>
#include <QPointer>
#include <memory>

#include "platform/os/SystemMenu.h"
#include "platform/runtime/Expected.h"
#include "platform/window/ComboBox.h"
#include "platform/window/DataWindow.h"
#include "platform/window/FixedText.h"
#include "platform/window/GroupBox.h"
#include "platform/window/PushButton.h"
#include "platform/window/RadioButton.h"
#include "platform/window/RadioButtonGroup.h"

namespace serial {
class Serial;
}

#include "serialtest/LineTables.h"
#include "serialtest/SerialMLE.h"

namespace serialtest {

class WSerial : public win::DataWindow {
  public:
    // `owner` is the shell window, `tables` the lists' choices; the other
    // arguments are the control id, a data server to bind and an extra
    // value, all optional.
    WSerial(win::Window* owner, const LineTables& tables, int controlId = 0,
            const rt::Usual& server = rt::NIL, const rt::Usual& extra = rt::NIL);
    ~WSerial() override;

    void PostInit() override;
    void BeginButton();
    void EndButton();
    void ExitButton();
    // Ends a running test as "Конец теста" does and answers true; answers
    // false when none runs. A port a failed start left open is closed too,
    // which sets its device back.
    bool EndTest();

    // The pane's port object (the pane's Device).
    serial::Serial* Port() const;

    std::string ClassName() const override { return "WSERIAL"; }

  private:
    // The window owns its controls; the radio groups, declared after their
    // buttons, go first. The pane belongs to the window's widget, its Qt
    // parent, which destroys it.
    std::unique_ptr<win::GroupBox> theGroupBox1;
    std::unique_ptr<win::FixedText> theFixedText1;
    std::unique_ptr<win::ComboBox> PortListBox_;
    std::unique_ptr<win::FixedText> theFixedText2;
    std::unique_ptr<win::ComboBox> BaudListBox_;
    std::unique_ptr<win::FixedText> theFixedText3;
    std::unique_ptr<win::ComboBox> ParityListBox_;
    std::unique_ptr<win::RadioButton> SevenButton_;
    std::unique_ptr<win::RadioButton> EightButton_;
    std::unique_ptr<win::RadioButtonGroup> DataBitsGroup_;
    std::unique_ptr<win::RadioButton> ZeroButton_;
    std::unique_ptr<win::RadioButton> TwoButton_;
    std::unique_ptr<win::RadioButtonGroup> StopBitsGroup_;
    QPointer<SerialMLE> CommEdit_;
    std::unique_ptr<win::PushButton> BeginButton_;
    std::unique_ptr<win::PushButton> EndButton_;
    std::unique_ptr<win::PushButton> ExitButton_;
    // Device changes update the port list's tooltips while the window lasts.
    QMetaObject::Connection portDevices_;
    os::HMENU SystemMenu_ = 0;

    // Opens `port` with the chosen settings and has it notify the pane of
    // received bytes. A failure carries the error box's text; a port that
    // opened but refused the settings is left open (the next start reopens
    // it). No port object (the pane's Device deleted) cannot be opened.
    rt::Expected<> StartPort(serial::Serial* port) const;
};

}  // namespace serialtest
