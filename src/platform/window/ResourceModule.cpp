#include "platform/window/ResourceModule.h"

#include "platform/runtime/RuntimeState.h"

namespace win {

void ResourceModule::AddDialog(DialogTemplate dialog) {
    dialogs_.push_back(std::move(dialog));
}

void ResourceModule::AddIconGroup(std::uint32_t number, const QString& path) {
    icons_.push_back(IconGroup{number, {}, path});
}

void ResourceModule::AddIconGroup(const std::string& name, const QString& path) {
    icons_.push_back(IconGroup{0, name, path});
}

std::optional<DialogTemplate> ResourceModule::FindDialog(const ResourceID& id) const {
    for (const auto& dialog : dialogs_) {
        if (id.Matches(0, dialog.name)) return dialog;
    }
    return std::nullopt;
}

std::optional<QString> ResourceModule::FindIconGroup(const ResourceID& id) const {
    for (const auto& icon : icons_) {
        if (id.Matches(icon.number, icon.name)) return icon.path;
    }
    return std::nullopt;
}

std::uintptr_t ResourceModule::InstallAsProgram() const {
    auto& instance = rt::State().program.instance;
    const auto previous = instance;
    instance = Instance();
    return previous;
}

const ResourceModule* ResourceModule::FromInstance(std::uintptr_t instance) {
    if (instance == 0) instance = rt::State().program.instance;
    return reinterpret_cast<const ResourceModule*>(instance);
}

}  // namespace win
