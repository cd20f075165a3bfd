#include "platform/serial/PortNumbering.h"

#include <algorithm>
#include <set>

#include "platform/os/RegistryStore.h"

namespace serial {
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
        const auto port = PortName::Parse(name);
        if (!port || identity.empty() || table.contains(port->Number())) continue;
        table[port->Number()] = identity;
    }
    // One number per identity: the lowest.
    Table unique;
    for (const auto& [number, identity] : table)
        if (seen.insert(identity).second) unique[number] = identity;
    return PortNumbering(std::move(unique));
}

bool PortNumbering::Save(const os::RegistryStore& store, int number) const {
    return store.WriteValue(kStoreKey, PortName(number).Text(), IdentityAt(number));
}

}  // namespace serial
