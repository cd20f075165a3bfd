#include "platform/window/RadioButtonGroup.h"

namespace win {

RadioButtonGroup::RadioButtonGroup(DataWindow* owner, const ResourceID& id) : GroupBox(owner, id) {}

void RadioButtonGroup::FillUsing(std::vector<Entry> entries) {
    entries_ = std::move(entries);
}

rt::Usual RadioButtonGroup::Value() const {
    for (const auto& [button, value] : entries_) {
        if (button && button->IsChecked()) return value;
    }
    return rt::Usual();
}

void RadioButtonGroup::Value(const rt::Usual& value) {
    for (const auto& [button, carried] : entries_) {
        if (button && carried == value) {
            button->Check(true);
            return;
        }
    }
}

}  // namespace win
