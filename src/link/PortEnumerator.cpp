#include "link/PortEnumerator.h"

#include "link/PortName.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>

namespace calorant {

namespace {

// The tty class folder of sysfs, where Linux names each tty's driver.
const QString kLinuxTtyClassDir = QStringLiteral("/sys/class/tty");

bool isBridge(const SerialPortEntry& port) {
    if (!port.driver.isEmpty())
        return port.driver == kCp210xDriver;
    return port.vendorId == kCp210xVendorId;
}

} // namespace

QList<SerialPortEntry> SystemPortEnumerator::availablePorts() const {
    QList<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry entry{info.systemLocation(), std::nullopt};
        if (info.hasVendorIdentifier())
            entry.vendorId = info.vendorIdentifier();
#ifdef Q_OS_LINUX
        entry.driver = ttyKernelDriver(kLinuxTtyClassDir, info.portName());
#endif
        ports.append(entry);
    }
    return ports;
}

QString ttyKernelDriver(const QString& ttyClassDir, const QString& portName) {
    const QFileInfo link(QDir(ttyClassDir).filePath(portName + QStringLiteral("/device/driver")));
    if (!link.isSymLink())
        return {};
    return QFileInfo(link.symLinkTarget()).fileName();
}

std::optional<QString> findMeterBridge(const QList<SerialPortEntry>& ports) {
    std::optional<QString> best;
    int bestNumber = 0;
    for (const SerialPortEntry& port : ports) {
        const int number = portNumberForDevice(port.device);
        if (number < 1 || !isBridge(port))
            continue;
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
