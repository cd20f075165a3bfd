#include "platform/window/DataWindow.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFrame>
#include <QRadioButton>
#include <stdexcept>

#include "platform/runtime/LateBinding.h"
#include "platform/window/Accessibility.h"
#include "platform/window/Font.h"
#include "platform/window/ResourceModule.h"
#include "platform/window/WindowAccessible.h"

namespace win {
namespace {

// Tab reaches a radio group at its checked button, or at its first while
// none is checked; the arrow keys reach the others (RadioButton).
void UpdateRadioTabStop(const QButtonGroup* group) {
    const QList<QAbstractButton*> buttons = group->buttons();
    QAbstractButton* stop = group->checkedButton();
    if (stop == nullptr && !buttons.isEmpty()) stop = buttons.front();
    for (QAbstractButton* button : buttons)
        button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

}  // namespace

DataWindow::DataWindow(Window* owner, const ResourceID& resource, int /*controlId*/)
    : Window(owner) {
    const ResourceModule* module = ResourceModule::FromInstance(resource.Instance());
    template_ = module ? module->FindDialog(resource) : std::nullopt;
    if (!template_) throw std::runtime_error("dialog resource not found: " + resource.ToString());
    CreateWidget(owner);
    const DialogTemplate& dialog = *template_;
    if (dialog.style & DS_SETFONT) {
        Font font(0, dialog.pointSize, QString::fromStdU16String(dialog.fontFace).toStdString());
        font.Bold(dialog.weight >= 600);
        QFont qfont = font.ToQFont();
        qfont.setItalic(dialog.italic);
        frame_->setFont(qfont);
        // Controls are placed in the units of the face the template was
        // drawn with, whichever face the desktop puts in its place: then the
        // window has the pixel size the template was made for (the shell's
        // client area is fixed in pixels), and the stand-in face, set at a
        // size that takes no more room (Font), fits every control. Units
        // measured from a wider stand-in would push the right-hand controls
        // out of the shell.
        units_ = font.DesignUnits().value_or(DialogUnits::FromFont(qfont));
    } else {
        units_ = DialogUnits::FromFont(frame_->font());
    }
    frame_->setGeometry(units_.ToPixels(dialog.rect));
    frame_->setWindowTitle(QString::fromStdU16String(dialog.title));
}

DataWindow::DataWindow(Window* owner) : Window(owner) {
    CreateWidget(owner);
    units_ = DialogUnits::FromFont(frame_->font());
}

DataWindow::~DataWindow() = default;

void DataWindow::CreateWidget(Window* owner) {
    frame_ = new QFrame(owner ? owner->Canvas() : nullptr);
    frame_->setAutoFillBackground(true);
    // Inside another window the frame only holds the controls; alone it is
    // the window a screen reader names by its caption.
    if (owner) WindowAccessible::MarkPassThrough(frame_);
    SetWidget(frame_);
    ApplyFrame();
    Accessibility::Forget(frame_);
}

void DataWindow::Icon(const win::Icon& icon) {
    icon_ = icon.Images();
    frame_->setWindowIcon(icon.ToQIcon());
}

DialogItem DataWindow::TemplateItem(const ResourceID& id) const {
    std::optional<DialogItem> item;
    if (template_ && id.IsNumber()) item = template_->Item(static_cast<std::uint16_t>(id.Number()));
    if (!item) throw std::runtime_error("control not in the window's template: " + id.ToString());
    return *item;
}

bool DataWindow::Send(const std::string& name) {
    return rt::SendByName(*this, name);
}

int DataWindow::TemplateIndex(std::uint16_t id) const {
    if (!template_) return -1;
    const auto& items = template_->items;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].id == id) return static_cast<int>(i);
    }
    return -1;
}

QButtonGroup* DataWindow::RadioGroupOf(std::uint16_t id) {
    // A group runs from an item with WS_GROUP to the next such item, in
    // template order, as the platform groups radio buttons.
    const int index = TemplateIndex(id);
    int start = 0;
    for (int i = index; i >= 0; --i) {
        if (template_->items[static_cast<std::size_t>(i)].style & WS_GROUP) {
            start = i;
            break;
        }
    }
    auto& group = radioGroups_[start];
    if (!group) {
        QButtonGroup* made = new QButtonGroup(frame_);
        made->setExclusive(true);
        QObject::connect(made, &QButtonGroup::buttonToggled, made,
                         [made] { UpdateRadioTabStop(made); });
        group = made;
    }
    return group;
}

void DataWindow::AttachWidget(QWidget* widget, const DialogItem& item) {
    widget->setParent(frame_);
    QRect rect = units_.ToPixels(item.rect);
    if (item.controlClass == ControlClass::ComboBox) {
        // The template gives the height of the dropped-down list; the closed
        // box has the toolkit's height.
        rect.setHeight(widget->sizeHint().height());
    }
    widget->setGeometry(rect);
    widget->setVisible((item.style & WS_VISIBLE) != 0);
    if (item.controlClass == ControlClass::Button && (item.style & BS_TYPEMASK) == BS_GROUPBOX) {
        // Group boxes are drawn behind the buttons placed over them.
        widget->lower();
    }
    QButtonGroup* radioGroup = nullptr;
    if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
        radio->setAutoExclusive(false);
        radioGroup = RadioGroupOf(item.id);
        radioGroup->addButton(radio);
    }
    const int index = TemplateIndex(item.id);
    if (item.style & WS_TABSTOP) {
        widget->setFocusPolicy(Qt::StrongFocus);
        tabOrder_[index] = widget;
        // Re-chain the tab order in template order, whatever the order of
        // creation.
        QWidget* previous = nullptr;
        for (auto& [i, w] : tabOrder_) {
            if (!w) continue;  // a control destroyed before its window
            if (previous) QWidget::setTabOrder(previous, w);
            previous = w;
        }
    } else if (item.controlClass != ControlClass::Edit) {
        widget->setFocusPolicy(Qt::NoFocus);
    }
    if (radioGroup) UpdateRadioTabStop(radioGroup);
}

void DataWindow::ApplyFrame() {
    if (!frame_) return;
    frame_->setFrameShape(BorderStyle() == 0 ? QFrame::NoFrame : QFrame::StyledPanel);
}

}  // namespace win
