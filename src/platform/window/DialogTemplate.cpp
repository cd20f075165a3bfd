#include "platform/window/DialogTemplate.h"

#include <algorithm>

namespace win {

std::optional<DialogItem> DialogTemplate::Item(std::uint16_t id) const {
    const auto it = std::find_if(items.begin(), items.end(),
                                 [id](const DialogItem& item) { return item.id == id; });
    if (it == items.end()) return std::nullopt;
    return *it;
}

}  // namespace win
