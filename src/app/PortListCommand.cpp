#include "app/PortListCommand.h"

#include <cstdio>
#include <memory>
#include <string>

#include "platform/os/RegistryStore.h"
#include "platform/os/StderrLine.h"
#include "platform/serial/DeviceMonitor.h"
#include "platform/serial/PortListing.h"
#include "platform/serial/SerialTexts.h"

namespace app {

int ListPorts(serial::PortMap ports) {
    ports.SetDevices(std::make_shared<serial::DeviceMonitor>(serial::DeviceScanner::DefaultRoot(),
                                                             os::RegistryStore::DefaultPath()));
    const auto rows = serial::PortListing::Rows(ports);
    if (rows.empty()) {
        os::StderrLine(serial::texts::kNoPorts);
    }
    std::fputs(serial::PortListing::Text(rows).c_str(), stdout);
    std::fflush(stdout);
    return 0;
}

}  // namespace app
