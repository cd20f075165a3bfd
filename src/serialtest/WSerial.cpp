#include "serialtest/WSerial.h"

#include <stdexcept>
#include <string>

#include "platform/runtime/Activation.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/Program.h"
#include "platform/serial/DeviceMonitor.h"
#include "platform/serial/PortMap.h"
#include "platform/serial/Serial.h"
#include "platform/window/App.h"
#include "platform/window/Brush.h"
#include "platform/window/Color.h"
#include "platform/window/ErrorBox.h"
#include "platform/window/Font.h"
#include "platform/window/Translations.h"
#include "serialtest/DeviceAwayNotice.h"
#include "serialtest/LineChoices.h"
#include "serialtest/PaneConstants.h"
#include "serialtest/SerialTestTexts.h"
#include "serialtest/WSerialTemplate.h"

namespace serialtest {
namespace {

constexpr char kModule[] = "WSerial";

// The runtime's conversion of a number to an unsigned whole number of the
// given width: fractions are dropped, higher bits are cut off.
template <typename T>
T ToUnsigned(const rt::Usual& value) {
    if (value.IsFloat()) return static_cast<T>(static_cast<long long>(value.AsFloat()));
    return static_cast<T>(value.AsLong());
}

// A radio button's value: the choice as text, as the group hands it on.
rt::Usual ChoiceValue(std::uint8_t choice) {
    return rt::Usual(std::to_string(choice));
}

// Each port entry's tooltip names the device the port maps to and what it
// is, so the operator knows which line "Com3" is; an entry with no device
// behind it is drawn as unavailable, yet stays selectable for a device
// plugged in later.
void ShowPortDevices(win::ComboBox& list) {
    RT_ENTER("WSERIAL:SHOWPORTDEVICES", kModule);
    const serial::PortMap& map = serial::PortMap::Current();
    for (int i = 0; i < list.Count(); ++i) {
        const std::string port = list.EntryText(i);
        const std::string device = map.Describe(port);
        list.SetEntryToolTip(i, device.empty() ? texts::kNoDevice : device);
        list.SetEntryAvailable(i, map.HasDevice(port));
    }
}

// Devices plugged in or pulled while the window is open change the tooltips
// at once; the list itself stays the fixed table.
// The window breaks the connection before the list goes.
QMetaObject::Connection FollowPortDevices(win::ComboBox& list) {
    serial::DeviceMonitor* devices = serial::PortMap::Current().Devices();
    if (devices == nullptr || list.Widget() == nullptr) return {};
    return QObject::connect(devices, &serial::DeviceMonitor::Changed, list.Widget(),
                            [&list] { ShowPortDevices(list); });
}

win::HyperLabel Label(const char* name, const char* caption = "") {
    return win::HyperLabel{name, caption, {}, {}};
}

}  // namespace

WSerial::WSerial(win::Window* owner, const LineTables& tables, int controlId,
                 const rt::Usual& server, const rt::Usual& extra)
    : win::DataWindow(owner, win::ResourceID("WSerial", rt::GetInst()), controlId) {
    RT_ENTER("WSERIAL:INIT", kModule);
    (void)extra;
    PreInit();
    const auto inst = rt::GetInst();
    win::Font paneFont(0, 10, texts::kPaneFace);
    paneFont.Bold(true);
    const win::Brush paneBrush{win::Color(kPaneBackground)};

    RT_LINE();
    theGroupBox1 = std::make_unique<win::GroupBox>(this, win::ResourceID(kGroupBox1, inst));
    theGroupBox1->HyperLabel(Label("theGroupBox1", texts::kSerialProtocol));
    RT_LINE();
    theFixedText1 = std::make_unique<win::FixedText>(this, win::ResourceID(kFixedText1, inst));
    theFixedText1->HyperLabel(Label("theFixedText1", texts::kPortName));
    RT_LINE();
    PortListBox_ = std::make_unique<win::ComboBox>(this, win::ResourceID(kPortList, inst));
    PortListBox_->FillUsing(tables.ports);
    ShowPortDevices(*PortListBox_);
    portDevices_ = FollowPortDevices(*PortListBox_);
    PortListBox_->HyperLabel(Label("PortListBox"));
    theFixedText1->LabelFor(*PortListBox_);
    RT_LINE();
    theFixedText2 = std::make_unique<win::FixedText>(this, win::ResourceID(kFixedText2, inst));
    theFixedText2->HyperLabel(Label("theFixedText2", texts::kBaudRate));
    RT_LINE();
    BaudListBox_ = std::make_unique<win::ComboBox>(this, win::ResourceID(kBaudList, inst));
    BaudListBox_->FillUsing(tables.bauds);
    BaudListBox_->HyperLabel(Label("BaudListBox"));
    theFixedText2->LabelFor(*BaudListBox_);
    RT_LINE();
    theFixedText3 = std::make_unique<win::FixedText>(this, win::ResourceID(kFixedText3, inst));
    theFixedText3->HyperLabel(Label("theFixedText3", texts::kParity));
    RT_LINE();
    ParityListBox_ = std::make_unique<win::ComboBox>(this, win::ResourceID(kParityList, inst));
    ParityListBox_->FillUsing(tables.parities);
    ParityListBox_->HyperLabel(Label("ParityListBox"));
    theFixedText3->LabelFor(*ParityListBox_);
    RT_LINE();
    SevenButton_ = std::make_unique<win::RadioButton>(this, win::ResourceID(kSevenButton, inst));
    SevenButton_->HyperLabel(Label("SevenButton", texts::kSevenBits));
    RT_LINE();
    EightButton_ = std::make_unique<win::RadioButton>(this, win::ResourceID(kEightButton, inst));
    EightButton_->HyperLabel(Label("EightButton", texts::kEightBits));
    RT_LINE();
    ZeroButton_ = std::make_unique<win::RadioButton>(this, win::ResourceID(kZeroButton, inst));
    ZeroButton_->HyperLabel(Label("ZeroButton", texts::kOneStopBit));
    RT_LINE();
    TwoButton_ = std::make_unique<win::RadioButton>(this, win::ResourceID(kTwoButton, inst));
    TwoButton_->HyperLabel(Label("TwoButton", texts::kTwoStopBits));
    RT_LINE();
    CommEdit_ = new SerialMLE(this, win::ResourceID(kCommEdit, inst));
    CommEdit_->View()->setObjectName(QStringLiteral("CommEdit"));
    CommEdit_->View()->setAccessibleName(QString::fromUtf8(texts::kPaneName));
    CommEdit_->SetFont(QString::fromStdString(paneFont.FaceName()), paneFont.PointSize(),
                       paneFont.Bold());
    CommEdit_->SetBackground(paneBrush.GetColor().ToQColor());
    CommEdit_->SetTextColor(win::Color(kPaneText).ToQColor());
    // Belongs to the port, which it follows.
    new DeviceAwayNotice(CommEdit_->Device(), Widget());
    RT_LINE();
    BeginButton_ = std::make_unique<win::PushButton>(this, win::ResourceID(kBeginButton, inst));
    BeginButton_->HyperLabel(Label("BeginButton", texts::kBeginTest));
    RT_LINE();
    EndButton_ = std::make_unique<win::PushButton>(this, win::ResourceID(kEndButton, inst));
    EndButton_->HyperLabel(Label("EndButton", texts::kEndTest));
    RT_LINE();
    ExitButton_ = std::make_unique<win::PushButton>(this, win::ResourceID(kExitButton, inst));
    ExitButton_->HyperLabel(Label("ExitButton", texts::kExit));
    RT_LINE();
    DataBitsGroup_ =
        std::make_unique<win::RadioButtonGroup>(this, win::ResourceID(kDataBitsGroup, inst));
    DataBitsGroup_->FillUsing({{SevenButton_.get(), ChoiceValue(kDataBitsChoices[0])},
                               {EightButton_.get(), ChoiceValue(kDataBitsChoices[1])}});
    DataBitsGroup_->HyperLabel(Label("DataBitsGroup", texts::kDataBits));
    RT_LINE();
    StopBitsGroup_ =
        std::make_unique<win::RadioButtonGroup>(this, win::ResourceID(kStopBitsGroup, inst));
    StopBitsGroup_->FillUsing({{ZeroButton_.get(), ChoiceValue(kStopBitsChoices[0])},
                               {TwoButton_.get(), ChoiceValue(kStopBitsChoices[1])}});
    StopBitsGroup_->HyperLabel(Label("StopBitsGroup", texts::kStopBits));

    Caption(texts::kWindowCaption);
    HyperLabel(Label("WSerial", texts::kWindowCaption));

    if (!server.IsNil()) Use(server);
    RT_LINE();
    PostInit();
}

WSerial::~WSerial() {
    QObject::disconnect(portDevices_);
}

void WSerial::PostInit() {
    RT_ENTER("WSERIAL:POSTINIT", kModule);
    EnableSystemMenu(false);
    EnableBorder(0);
    EnableMaxBox(false);
    EnableMinBox(false);

    Origin(win::Point{0, 0});
    auto* owner = dynamic_cast<win::Window*>(Owner());
    if (owner) Size(win::Dimension{owner->CanvasArea().Width(), owner->CanvasArea().Height()});

    PortListBox_->Value(rt::Usual("Com1"));
    BaudListBox_->Value(rt::Usual(9600));
    ParityListBox_->Value(rt::Usual(0));
    DataBitsGroup_->Value(ChoiceValue(kDataBitsChoices[1]));
    StopBitsGroup_->Value(ChoiceValue(kStopBitsChoices[0]));

    SystemMenu_ = owner ? os::GetSystemMenu(owner->Handle(0), false) : 0;
    EndButton_->Disable();
}

void WSerial::BeginButton() {
    RT_ENTER("WSERIAL:BEGINBUTTON", kModule);
    RT_LINE();
    CommEdit_->SetValue(QString());
    CommEdit_->SetFocus();
    RT_LINE();
    if (const auto started = StartPort(Port()); !started) {
        RT_LINE();
        win::ErrorBox box(this, started.Error());
        // The reason, which otherwise reaches only standard error.
        if (Port() != nullptr && Port()->ErrorDesc() != started.Error())
            box.Details(Port()->ErrorDesc());
        box.Show();
        return;
    }
    BeginButton_->Disable();
    ExitButton_->Disable();
    EndButton_->Enable();
    os::EnableMenuItem(SystemMenu_, os::kSystemMenuClose, os::MF_BYPOSITION | os::MF_GRAYED);
}

rt::Expected<> WSerial::StartPort(serial::Serial* found) const {
    const std::string portName = PortListBox_->Value().AsText();
    if (found == nullptr || !found->Open(portName))
        return rt::Fail(win::Translations::Text(texts::kCannotOpenPort).toStdString() + portName);
    serial::Serial& port = *found;
    port.SetBaud(ToUnsigned<std::uint32_t>(BaudListBox_->Value()));
    port.SetParity(ToUnsigned<std::uint8_t>(ParityListBox_->Value()));
    port.SetByteSize(
        ToUnsigned<std::uint8_t>(rt::Usual(rt::Val(DataBitsGroup_->Value().AsText()))));
    port.SetStopBits(
        ToUnsigned<std::uint8_t>(rt::Usual(rt::Val(StopBitsGroup_->Value().AsText()))));
    if (!port.SetProtocol()) return rt::Fail(port.ErrorDesc());
    port.EnableEvents(serial::EV_RXCHAR);
    return {};
}

void WSerial::EndButton() {
    RT_ENTER("WSERIAL:ENDBUTTON", kModule);
    RT_LINE();
    if (serial::Serial* port = Port()) port->Close();
    EndButton_->Disable();
    BeginButton_->Enable();
    ExitButton_->Enable();
    os::EnableMenuItem(SystemMenu_, os::kSystemMenuClose, os::MF_BYPOSITION | os::MF_ENABLED);
}

bool WSerial::EndTest() {
    RT_ENTER("WSERIAL:ENDTEST", kModule);
    RT_LINE();
    if (EndButton_->IsEnabled()) {
        EndButton();
        return true;
    }
    if (serial::Serial* port = Port(); port != nullptr && port->IsOpen()) port->Close();
    return false;
}

void WSerial::ExitButton() {
    RT_ENTER("WSERIAL:EXITBUTTON", kModule);
    EndWindow();
    auto* owner = dynamic_cast<win::Window*>(Owner());
    auto* app = owner ? dynamic_cast<win::App*>(owner->Owner()) : nullptr;
    RT_LINE();
    if (!app) throw std::runtime_error("WSerial: the owner's owner is not the application");
    app->Quit();
}

serial::Serial* WSerial::Port() const {
    return CommEdit_ ? CommEdit_->Device() : nullptr;
}

}  // namespace serialtest
