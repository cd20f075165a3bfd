// Data windows built from a template: placement in dialog units, radio
// groups, tab order, value-carrying controls and button routing, driven
// through the real widgets.
#include <gtest/gtest.h>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "WindowTestModule.h"
#include "platform/runtime/ErrorSystem.h"
#include "platform/runtime/GenCode.h"
#include "platform/runtime/RuntimeState.h"
#include "platform/window/ComboBox.h"
#include "platform/window/DataWindow.h"
#include "platform/window/DialogUnits.h"
#include "platform/window/FixedText.h"
#include "platform/window/GroupBox.h"
#include "platform/window/PushButton.h"
#include "platform/window/RadioButtonGroup.h"

namespace win::testing {
namespace {

using rt::Usual;

class DataWindowTest : public WindowTest {};

// Declares the data window's class with one method, `name`, for one test:
// a click reaches a window's method through the runtime's class registry.
class DeclaredMethod {
  public:
    DeclaredMethod(const char* name, std::function<void()> code) {
        auto& state = rt::State();
        state.classes.Reset(0);
        const rt::Symbol cls = state.symbols.Add("DATAWINDOW");
        EXPECT_EQ(state.classes.DeclareClass({cls, {}, {}, {}, {}, {}}), 0);
        EXPECT_EQ(state.classes.DeclareMethod({cls, state.symbols.Add(name), rt::MemberKind::Method,
                                               [code](rt::Object&, std::span<const rt::Usual>) {
                                                   code();
                                                   return rt::NIL;
                                               },
                                               0}),
                  0);
    }
    ~DeclaredMethod() { rt::State().classes.Reset(0); }
    DeclaredMethod(const DeclaredMethod&) = delete;
    DeclaredMethod& operator=(const DeclaredMethod&) = delete;
};

TEST_F(DataWindowTest, TemplateIsFoundByNameWithoutRegardToCase) {
    for (const char* name : {"TESTFORM", "TestForm", "testform"}) {
        DataWindow window(nullptr, ResourceID(name));
        ASSERT_TRUE(window.Template().has_value()) << name;
        EXPECT_EQ(window.Template()->items.size(), 11u);
    }
    EXPECT_THROW(DataWindow(nullptr, ResourceID("TESTFORMS")), std::runtime_error);
    EXPECT_THROW(DataWindow(nullptr, ResourceID(10)), std::runtime_error);
}

TEST_F(DataWindowTest, ControlMissingFromTemplateFailsConstruction) {
    DataWindow window(nullptr, ResourceID("TestForm"));
    EXPECT_THROW(FixedText(&window, ResourceID(99)), std::runtime_error);
    EXPECT_THROW(FixedText(&window, ResourceID("kCaption")), std::runtime_error);
}

TEST_F(DataWindowTest, ControlsArePlacedInDialogUnitsOfTheTemplateFont) {
    DataWindow window(nullptr, ResourceID("TestForm"));
    const DialogUnits& units = window.Units();
    FixedText caption(&window, ResourceID(kCaption));
    PushButton go(&window, ResourceID(kGo));
    EXPECT_EQ(caption.Widget()->geometry(), units.ToPixels({6, 10, 40, 10}));
    EXPECT_EQ(go.Widget()->geometry(), units.ToPixels({10, 60, 50, 14}));
    EXPECT_EQ(window.Widget()->size(), units.ToPixels({0, 0, 200, 100}).size());
    EXPECT_EQ(static_cast<QLabel*>(caption.Widget())->text(), QStringLiteral("Caption"));
}

TEST_F(DataWindowTest, ComboBoxShowsTheListFromTemplateButHasTheToolkitHeight) {
    DataWindow window(nullptr, ResourceID("TestForm"));
    ComboBox list(&window, ResourceID(kList));
    const QRect expected = window.Units().ToPixels({50, 10, 60, 50});
    EXPECT_EQ(list.Widget()->x(), expected.x());
    EXPECT_EQ(list.Widget()->width(), expected.width());
    EXPECT_LT(list.Widget()->height(), expected.height());
}

TEST_F(DataWindowTest, RadioGroupsFollowTemplateGroupsNotTheirParent) {
    DataWindow window(nullptr, ResourceID("TestForm"));
    RadioButtonGroup groupA(&window, ResourceID(kGroupA));
    auto a1 = std::make_unique<RadioButton>(&window, ResourceID(kA1));
    auto a2 = std::make_unique<RadioButton>(&window, ResourceID(kA2));
    auto b1 = std::make_unique<RadioButton>(&window, ResourceID(kB1));
    auto b2 = std::make_unique<RadioButton>(&window, ResourceID(kB2));
    // Created after its buttons, as the program does: it must not cover them.
    RadioButtonGroup groupB(&window, ResourceID(kGroupB));
    groupA.FillUsing({{a1.get(), Usual("1")}, {a2.get(), Usual("2")}});
    groupB.FillUsing({{b1.get(), Usual("x")}, {b2.get(), Usual("y")}});
    window.Show();

    groupA.Value(Usual("1"));
    groupB.Value(Usual("y"));
    EXPECT_EQ(groupA.Value(), Usual("1"));
    EXPECT_EQ(groupB.Value(), Usual("y"));

    // Clicking where a button is drawn reaches the button, and checking one
    // group leaves the other group alone.
    for (const RadioButton* button : {a2.get(), b1.get()}) {
        QWidget* hit = window.Widget()->childAt(button->Widget()->geometry().center());
        ASSERT_EQ(hit, button->Widget()) << button->Widget()->objectName().toStdString();
    }
    QTest::mouseClick(a2->Widget(), Qt::LeftButton);
    EXPECT_EQ(groupA.Value(), Usual("2"));
    EXPECT_FALSE(a1->IsChecked());
    EXPECT_EQ(groupB.Value(), Usual("y"));
    // Anywhere in the button's rectangle counts, not only on its text.
    const QSize size = b1->Widget()->size();
    QTest::mouseClick(b1->Widget(), Qt::LeftButton, {},
                      QPoint(size.width() - 2, size.height() / 2));
    EXPECT_EQ(groupB.Value(), Usual("x"));
    EXPECT_EQ(groupA.Value(), Usual("2"));

    // A value no button carries changes nothing.
    groupA.Value(Usual("3"));
    EXPECT_EQ(groupA.Value(), Usual("2"));
}

TEST_F(DataWindowTest, TabOrderFollowsTheTemplateWhateverTheCreationOrder) {
    DataWindow window(nullptr, ResourceID("TestForm"));
    PushButton stop(&window, ResourceID(kStop));
    PushButton go(&window, ResourceID(kGo));
    auto b1 = std::make_shared<RadioButton>(&window, ResourceID(kB1));
    ComboBox list(&window, ResourceID(kList));
    auto a1 = std::make_shared<RadioButton>(&window, ResourceID(kA1));
    const std::vector<QWidget*> expected = {list.Widget(), a1->Widget(), b1->Widget(), go.Widget(),
                                            stop.Widget()};
    for (std::size_t i = 0; i + 1 < expected.size(); ++i) {
        QWidget* next = expected[i]->nextInFocusChain();
        while (next && next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
        EXPECT_EQ(next, expected[i + 1]) << "after item " << i;
    }
}

TEST_F(DataWindowTest, ControlDestroyedBeforeItsWindowLeavesTheTabOrderSound) {
    DataWindow window(nullptr, ResourceID("TestForm"));
    PushButton go(&window, ResourceID(kGo));
    auto stop = std::make_unique<PushButton>(&window, ResourceID(kStop));
    stop.reset();
    ComboBox list(&window, ResourceID(kList));
    QWidget* next = list.Widget()->nextInFocusChain();
    while (next && next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
    EXPECT_EQ(next, go.Widget());
}

TEST_F(DataWindowTest, ComboBoxCarriesValuesOfScalarsAndPairs) {
    DataWindow window(nullptr, ResourceID("TestForm"));
    ComboBox list(&window, ResourceID(kList));

    struct Case {
        const char* what;
        Usual entries;
        std::vector<std::string> shown;
        Usual select;
        Usual expected;
    };
    const std::vector<Case> cases = {
        {"texts", Usual::ArrayOf({"Com1", "Com2"}), {"Com1", "Com2"}, Usual("Com2"), Usual("Com2")},
        {"numbers keep table order",
         Usual::ArrayOf({300, 1200, 9600}),
         {"300", "1200", "9600"},
         Usual(9600),
         Usual(9600)},
        {"pairs show names, carry codes",
         Usual::ArrayOf({Usual::ArrayOf({"Even", 2}), Usual::ArrayOf({"Mark", 3}),
                         Usual::ArrayOf({"None", 0})}),
         {"Even", "Mark", "None"},
         Usual(0),
         Usual(0)},
        {"a float selects its equal whole number",
         Usual::ArrayOf({7, 8}),
         {"7", "8"},
         Usual(8.0),
         Usual(8)},
    };
    for (const auto& c : cases) {
        list.FillUsing(c.entries);
        ASSERT_EQ(list.Count(), static_cast<int>(c.shown.size())) << c.what;
        for (std::size_t i = 0; i < c.shown.size(); ++i)
            EXPECT_EQ(list.EntryText(static_cast<int>(i)), c.shown[i]) << c.what;
        list.Value(c.select);
        EXPECT_EQ(list.Value(), c.expected) << c.what;
        // A value no entry carries leaves the selection as it was.
        list.Value(Usual("nothing"));
        EXPECT_EQ(list.Value(), c.expected) << c.what;
    }
    // Selection by a person: the value follows the entry shown.
    list.FillUsing(Usual::ArrayOf({Usual::ArrayOf({"Even", 2}), Usual::ArrayOf({"Mark", 3})}));
    auto* box = static_cast<QComboBox*>(list.Widget());
    box->setCurrentIndex(1);
    EXPECT_EQ(list.Value(), Usual(3));
    list.FillUsing(Usual::ArrayOf({}));
    EXPECT_TRUE(list.Value().IsNil());
}

TEST_F(DataWindowTest, EntryToolTipsShowOnEntriesAndOnTheClosedBox) {
    DataWindow window(nullptr, ResourceID("TestForm"));
    ComboBox list(&window, ResourceID(kList));
    list.FillUsing(Usual::ArrayOf({"Com1", "Com2"}));
    list.SetEntryToolTip(0, "/dev/ttyS0");
    list.SetEntryToolTip(1, "loop");
    list.SetEntryToolTip(5, "ignored");
    auto* box = static_cast<QComboBox*>(list.Widget());
    EXPECT_EQ(box->itemData(1, Qt::ToolTipRole).toString(), QStringLiteral("loop"));
    list.Value(Usual("Com1"));
    EXPECT_EQ(box->toolTip(), QStringLiteral("/dev/ttyS0"));
    list.Value(Usual("Com2"));
    EXPECT_EQ(box->toolTip(), QStringLiteral("loop"));
}

TEST_F(DataWindowTest, ClickCallsTheOwnerMethodNamedByTheLabel) {
    DataWindow window(nullptr, ResourceID("TestForm"));
    PushButton go(&window, ResourceID(kGo));
    PushButton stop(&window, ResourceID(kStop));
    go.HyperLabel(HyperLabel{"GoButton", "Go", {}, {}});
    stop.HyperLabel(HyperLabel{"NoSuchMethod", "Stop", {}, {}});
    std::vector<std::string> calls;
    const DeclaredMethod method("GOBUTTON", [&] { calls.push_back("go"); });
    window.Show();

    QTest::mouseClick(go.Widget(), Qt::LeftButton);
    QTest::mouseClick(stop.Widget(), Qt::LeftButton);
    go.Disable();
    QTest::mouseClick(go.Widget(), Qt::LeftButton);
    EXPECT_EQ(calls, std::vector<std::string>{"go"});
    EXPECT_EQ(go.Widget()->objectName(), QStringLiteral("GoButton"));
    EXPECT_FALSE(static_cast<QPushButton*>(go.Widget())->autoDefault());
}

// Keeps the generic code, operation and description of a raised error.
rt::Usual RecordGenerator(const rt::Usual& pointer) {
    const auto* raw = static_cast<const rt::RawError*>(pointer.AsPtr());
    return rt::Usual(std::to_string(raw->Get(rt::RawError::GenCode)) + "|" +
                     raw->Text(rt::RawError::Operation) + "|" +
                     raw->Text(rt::RawError::Description));
}

TEST_F(DataWindowTest, ExceptionFromAHandlerIsRaisedAndTheWindowGoesOn) {
    std::vector<std::string> raised;
    const auto previousGenerator = rt::ErrorFunc(&RecordGenerator);
    const auto previousBlock =
        rt::ErrorBlock(std::make_shared<const rt::CodeBlock>([&](const rt::Usual& error) {
            raised.push_back(error.AsText());
            return rt::Usual(false);
        }));
    DataWindow window(nullptr, ResourceID("TestForm"));
    PushButton go(&window, ResourceID(kGo));
    go.HyperLabel(HyperLabel{"GoButton", "Go", {}, {}});
    int calls = 0;
    const DeclaredMethod method("GOBUTTON", [&] {
        ++calls;
        throw std::runtime_error("handler failed");
    });
    window.Show();
    QTest::mouseClick(go.Widget(), Qt::LeftButton);
    QTest::mouseClick(go.Widget(), Qt::LeftButton);
    rt::ErrorBlock(previousBlock);
    rt::ErrorFunc(previousGenerator);

    EXPECT_EQ(calls, 2);
    const std::string expected = std::to_string(rt::gen::kException) + "|GoButton|handler failed";
    EXPECT_EQ(raised, (std::vector<std::string>{expected, expected}));
}

TEST_F(DataWindowTest, WindowWithoutTemplateIsAnEmptyFormInItsOwnersCanvas) {
    DataWindow owner(nullptr, ResourceID("TestForm"));
    DataWindow form(&owner);
    EXPECT_FALSE(form.Template().has_value());
    EXPECT_EQ(form.Widget()->parentWidget(), owner.Canvas());
    EXPECT_THROW(FixedText(&form, ResourceID(kCaption)), std::runtime_error);
}

TEST_F(DataWindowTest, EndWindowDestroysTheWidgetAfterTheCurrentEvent) {
    auto window = std::make_unique<DataWindow>(nullptr, ResourceID("TestForm"));
    PushButton go(window.get(), ResourceID(kGo));
    go.HyperLabel(HyperLabel{"GoButton", "Go", {}, {}});
    const DeclaredMethod method("GOBUTTON", [&] { window->EndWindow(); });
    window->Show();
    QPointer<QWidget> widget = window->Widget();
    QTest::mouseClick(go.Widget(), Qt::LeftButton);
    EXPECT_FALSE(widget->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(widget.isNull());
    EXPECT_EQ(go.Widget(), nullptr);
    window.reset();  // must not destroy the widget twice
}

}  // namespace
}  // namespace win::testing
