#pragma once
// Port numbers ("ComN") given to serial devices, as a PC gives each port its
// COM number: a device keeps its number across unplugging, another socket and
// restarts, because the number is tied to its identity and kept in the
// settings store.
//
// A device seen for the first time gets the lowest number no device holds.
// When that would be past the nine the window lists, it gets instead the
// lowest listed number whose holder is not present now (that holder is given
// a new number when it comes back); only with nine devices present does a
// newcomer get a number past nine. Devices are numbered in the order given,
// so built-in UARTs, listed first, get the low numbers on a fresh machine.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/serial/PortName.h"
#include "platform/serial/SerialDevice.h"

namespace os {
class RegistryStore;
}

namespace serial {

class PortNumbering {
  public:
    // Number -> identity.
    using Table = std::map<int, std::string>;

    static constexpr int kListed = 9;
    static constexpr int kMaxNumber = PortName::kMaxNumber;
    // Where the numbers are kept in the settings store; entries "Com3=<identity>".
    static constexpr const char* kStoreKey = "HKEY_CURRENT_USER\\Software\\comtest\\Ports";

    PortNumbering() = default;
    explicit PortNumbering(Table table) : table_(std::move(table)) {}

    // Gives every device of `present` without a number one. Returns the
    // numbers given, in order.
    std::vector<int> Assign(const std::vector<SerialDevice>& present);

    std::optional<int> NumberOf(const std::string& identity) const;
    // The identity holding `number`; empty when none.
    std::string IdentityAt(int number) const;
    const Table& Entries() const { return table_; }

    // The numbers kept in `store`; malformed entries are skipped, and of two
    // entries for one identity the lower number counts.
    static PortNumbering Load(const os::RegistryStore& store);
    // Keeps the holder of `number` in `store`.
    bool Save(const os::RegistryStore& store, int number) const;

  private:
    std::optional<int> FreeNumber(const std::vector<SerialDevice>& present) const;

    Table table_;
};

}  // namespace serial
