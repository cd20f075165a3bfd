#include "app/CheckTables.h"

#include "app/GStru.h"
#include "serialtest/LineChoices.h"

namespace app {

check::SweepTables CheckTables() {
    check::SweepTables tables;
    for (const auto& baud : *GStru::BaudTable().AsArray())
        tables.bauds.push_back(static_cast<std::uint32_t>(baud.AsLong()));
    for (const auto& pair : *GStru::ParityTable().AsArray()) {
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
