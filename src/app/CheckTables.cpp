#include "app/CheckTables.h"

#include "app/GStru.h"
#include "serialtest/LineChoices.h"

namespace app {

check::SweepTables CheckTables() {
    check::SweepTables tables;
    // The tables are held while their elements are read.
    const rt::Usual bauds = GStru::BaudTable();
    const rt::Usual parities = GStru::ParityTable();
    for (const auto& baud : *bauds.AsArray())
        tables.bauds.push_back(static_cast<std::uint32_t>(baud.AsLong()));
    for (const auto& pair : *parities.AsArray()) {
        const auto& entry = *pair.AsArray();
        tables.parities.push_back(
            {entry[0].AsText(), static_cast<std::uint8_t>(entry[1].AsLong())});
    }
    tables.dataBits.assign(serialtest::kDataBitsChoices.begin(),
                           serialtest::kDataBitsChoices.end());
    tables.stopBits.assign(serialtest::kStopBitsChoices.begin(),
                           serialtest::kStopBitsChoices.end());
    return tables;
}

}  // namespace app
