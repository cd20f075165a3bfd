#include "platform/window/ComboBox.h"

#include <QComboBox>
#include <cmath>
#include <sstream>

namespace win {

ComboBox::ComboBox(DataWindow* owner, const ResourceID& id)
    : Control(owner, id, std::make_unique<QComboBox>()) {
    QObject::connect(Box(), &QComboBox::currentIndexChanged, Box(), [this] { UpdateToolTip(); });
}

QComboBox* ComboBox::Box() const {
    return static_cast<QComboBox*>(Widget());
}

std::string ComboBox::DisplayText(const rt::Usual& value) {
    if (value.IsString()) return value.AsText();
    if (value.IsLong()) return std::to_string(value.AsLong());
    if (value.IsFloat()) {
        std::ostringstream text;
        text << value.AsFloat();
        return text.str();
    }
    if (value.IsLogic()) return value.AsLogic() ? ".T." : ".F.";
    return {};
}

void ComboBox::FillUsing(const rt::Usual& entries) {
    QComboBox* box = Box();
    if (!box) return;
    box->clear();
    values_.clear();
    if (!entries.IsArray() || !entries.AsArray()) return;
    for (const rt::Usual& entry : *entries.AsArray()) {
        rt::Usual shown = entry;
        rt::Usual carried = entry;
        if (entry.IsArray() && entry.AsArray() && entry.AsArray()->size() == 2) {
            shown = (*entry.AsArray())[0];
            carried = (*entry.AsArray())[1];
        }
        values_.push_back(carried);
        box->addItem(QString::fromStdString(DisplayText(shown)));
    }
}

rt::Usual ComboBox::Value() const {
    const QComboBox* box = Box();
    if (!box) return rt::Usual();
    const int index = box->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= values_.size()) return rt::Usual();
    return values_[static_cast<std::size_t>(index)];
}

void ComboBox::Value(const rt::Usual& value) {
    QComboBox* box = Box();
    if (!box) return;
    for (std::size_t i = 0; i < values_.size(); ++i) {
        if (values_[i] == value && !values_[i].IsNil()) {
            box->setCurrentIndex(static_cast<int>(i));
            return;
        }
    }
}

int ComboBox::Count() const {
    return Box() ? Box()->count() : 0;
}

std::string ComboBox::EntryText(int index) const {
    return Box() ? Box()->itemText(index).toStdString() : std::string();
}

void ComboBox::SetEntryToolTip(int index, const std::string& text) {
    if (!Box() || index < 0 || index >= Box()->count()) return;
    Box()->setItemData(index, QString::fromStdString(text), Qt::ToolTipRole);
    UpdateToolTip();
}

void ComboBox::SetEntryAvailable(int index, bool available) {
    if (!Box() || index < 0 || index >= Box()->count()) return;
    Box()->setItemData(index,
                       available
                           ? QVariant()
                           : QVariant(Box()->palette().brush(QPalette::Disabled, QPalette::Text)),
                       Qt::ForegroundRole);
}

bool ComboBox::EntryAvailable(int index) const {
    return !Box() || !Box()->itemData(index, Qt::ForegroundRole).isValid();
}

void ComboBox::UpdateToolTip() {
    QComboBox* box = Box();
    if (!box) return;
    box->setToolTip(box->currentIndex() < 0
                        ? QString()
                        : box->itemData(box->currentIndex(), Qt::ToolTipRole).toString());
}

}  // namespace win
