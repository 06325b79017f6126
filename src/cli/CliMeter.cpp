#include "cli/CliMeter.h"

#include "link/PortEnumerator.h"

#include <memory>

namespace calorant::cli {

CliMeter::CliMeter(const QString& device, int savedPort)
    : pair(doc, comm, std::make_unique<SystemPortEnumerator>(), savedPort) {
    link().setDeviceOverride(device);
}

bool CliMeter::open() {
    link().ScanForMeterPort();
    return comm.portOpen();
}

} // namespace calorant::cli
