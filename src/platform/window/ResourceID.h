#pragma once
// Identifies a resource of a module: by number (a control id, the icon group
// 101) or by name ("WSerial", "FSerial"). Names compare without regard to
// case, so "FSerial" finds the group stored as "FSERIAL".

#include <cstdint>
#include <string>
#include <variant>

namespace win {

class ResourceID {
  public:
    // `instance` is the module's instance handle (rt::GetInst()); 0 means the
    // running program's own module.
    ResourceID(std::uint32_t number, std::uintptr_t instance = 0);
    ResourceID(std::string name, std::uintptr_t instance = 0);
    ResourceID(const char* name, std::uintptr_t instance = 0);

    bool IsNumber() const { return std::holds_alternative<std::uint32_t>(id_); }
    std::uint32_t Number() const;
    const std::string& Name() const;
    std::uintptr_t Instance() const { return instance_; }

    // TRUE when this identifier names a resource stored under `number` or
    // `name` (either may be absent: number 0, empty name).
    bool Matches(std::uint32_t number, const std::string& name) const;
    // Text for messages: the name, or "#" and the number.
    std::string ToString() const;

  private:
    std::variant<std::uint32_t, std::string> id_;
    std::uintptr_t instance_;
};

}  // namespace win
