#include "platform/serial/PortNumbering.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "platform/os/RegistryStore.h"

namespace serial {
namespace {

// 1..kMaxNumber from "Com12" (any letter case), else 0.
int NumberFromName(const std::string& name) {
    if (name.size() < 4 || name.size() > 6) return 0;
    for (std::size_t i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return 0;
    if (name[3] == '0') return 0;
    int n = 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
        n = n * 10 + (name[i] - '0');
    }
    return n <= PortNumbering::kMaxNumber ? n : 0;
}

}  // namespace

std::optional<int> PortNumbering::NumberOf(const std::string& identity) const {
    for (const auto& [number, holder] : table_)
        if (holder == identity) return number;
    return std::nullopt;
}

std::string PortNumbering::IdentityAt(int number) const {
    const auto it = table_.find(number);
    return it == table_.end() ? std::string() : it->second;
}

std::optional<int> PortNumbering::FreeNumber(const std::vector<SerialDevice>& present) const {
    std::optional<int> unheld;
    for (int n = 1; n <= kMaxNumber && !unheld; ++n)
        if (!table_.contains(n)) unheld = n;
    if (unheld && *unheld <= kListed) return unheld;
    std::set<std::string> presentIds;
    for (const auto& device : present) presentIds.insert(device.identity);
    for (int n = 1; n <= kListed; ++n)
        if (!presentIds.contains(table_.at(n))) return n;
    return unheld;
}

std::vector<int> PortNumbering::Assign(const std::vector<SerialDevice>& present) {
    std::vector<int> given;
    for (const auto& device : present) {
        if (device.identity.empty() || NumberOf(device.identity)) continue;
        const auto number = FreeNumber(present);
        if (!number) break;
        table_[*number] = device.identity;
        given.push_back(*number);
    }
    return given;
}

PortNumbering PortNumbering::Load(const os::RegistryStore& store) {
    Table table;
    std::set<std::string> seen;
    for (const auto& [name, identity] : store.ReadValues(kStoreKey)) {
        const int number = NumberFromName(name);
        if (number == 0 || identity.empty() || table.contains(number)) continue;
        table[number] = identity;
    }
    // One number per identity: the lowest.
    Table unique;
    for (const auto& [number, identity] : table)
        if (seen.insert(identity).second) unique[number] = identity;
    return PortNumbering(std::move(unique));
}

bool PortNumbering::Save(const os::RegistryStore& store, int number) const {
    return store.WriteValue(kStoreKey, "Com" + std::to_string(number), IdentityAt(number));
}

}  // namespace serial
