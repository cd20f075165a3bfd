#include "platform/window/ResourceID.h"

#include <algorithm>
#include <cctype>

namespace win {
namespace {

bool EqualNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

}  // namespace

ResourceID::ResourceID(std::uint32_t number, std::uintptr_t instance)
    : id_(number), instance_(instance) {}
ResourceID::ResourceID(std::string name, std::uintptr_t instance)
    : id_(std::move(name)), instance_(instance) {}
ResourceID::ResourceID(const char* name, std::uintptr_t instance)
    : id_(std::string(name)), instance_(instance) {}

std::uint32_t ResourceID::Number() const {
    const auto* number = std::get_if<std::uint32_t>(&id_);
    return number ? *number : 0;
}

const std::string& ResourceID::Name() const {
    static const std::string none;
    const auto* name = std::get_if<std::string>(&id_);
    return name ? *name : none;
}

bool ResourceID::Matches(std::uint32_t number, const std::string& name) const {
    if (IsNumber()) return number != 0 && Number() == number;
    return !name.empty() && EqualNoCase(Name(), name);
}

std::string ResourceID::ToString() const {
    return IsNumber() ? "#" + std::to_string(Number()) : Name();
}

}  // namespace win
