#include "link/PortEnumerator.h"

#include "link/PortName.h"

#include <QSerialPortInfo>
#include <algorithm>

namespace calorant {

QList<SerialPortEntry> SystemPortEnumerator::availablePorts() const {
    QList<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry entry{info.systemLocation(), std::nullopt};
        if (info.hasVendorIdentifier())
            entry.vendorId = info.vendorIdentifier();
        ports.append(entry);
    }
    return ports;
}

std::optional<QString> findMeterBridge(const QList<SerialPortEntry>& ports) {
    std::optional<QString> best;
    int bestNumber = 0;
    for (const SerialPortEntry& port : ports) {
        if (port.vendorId != kCp210xVendorId)
            continue;
        const int number = portNumberForDevice(port.device);
        const bool earlier =
            !best || number < bestNumber || (number == bestNumber && port.device < *best);
        if (earlier) {
            best = port.device;
            bestNumber = number;
        }
    }
    return best;
}

QStringList deviceList(const QList<SerialPortEntry>& ports) {
    QStringList devices;
    for (const SerialPortEntry& port : ports)
        devices.append(port.device);
    std::sort(devices.begin(), devices.end());
    return devices;
}

} // namespace calorant
