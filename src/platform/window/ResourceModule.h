#pragma once
// The resources of a module: dialog templates and icon groups, each stored
// under a number or a name. Lookups compare names without regard to case.
// A module is named by its instance handle; the running program installs
// its module at start-up (rt::State().program.instance) and resource
// identifiers with instance 0 mean that module.

#include <QIcon>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/window/DialogTemplate.h"
#include "platform/window/ResourceID.h"

namespace win {

class ResourceModule {
  public:
    void AddDialog(DialogTemplate dialog);
    // `path` names an .ico file (a Qt resource path such as ":/app/x.ico").
    void AddIconGroup(std::uint32_t number, const QString& path);
    void AddIconGroup(const std::string& name, const QString& path);

    std::optional<DialogTemplate> FindDialog(const ResourceID& id) const;
    // The path of the icon group's .ico file; nullopt when there is none.
    std::optional<QString> FindIconGroup(const ResourceID& id) const;

    // The handle that names this module in resource identifiers.
    std::uintptr_t Instance() const { return reinterpret_cast<std::uintptr_t>(this); }

    // Installs this module as the running program's module; the module must
    // outlive its use. Returns the handle of the module installed before.
    std::uintptr_t InstallAsProgram() const;
    // The module a handle names: 0 is the program's module; nullptr when no
    // program module is installed.
    static const ResourceModule* FromInstance(std::uintptr_t instance);

  private:
    struct IconGroup {
        std::uint32_t number = 0;
        std::string name;
        QString path;
    };
    std::vector<DialogTemplate> dialogs_;
    std::vector<IconGroup> icons_;
};

}  // namespace win
