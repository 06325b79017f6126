#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace calorant {

// The meter's USB bridge is a Silicon Labs CP210x, served by the cp210x driver. Silicon
// Labs makes other USB devices too, so the vendor id alone decides only where the system
// reports no driver.
inline constexpr quint16 kCp210xVendorId = 0x10C4;
inline constexpr QLatin1StringView kCp210xDriver{"cp210x"};

// One serial port the system lists.
struct SerialPortEntry {
    QString device;                  // as the port control opens it: /dev/ttyUSB0, COM3, ...
    std::optional<quint16> vendorId; // USB vendor id, when the port sits on USB
    QString driver = {};             // the kernel driver serving it; empty when none is reported
};

// Lists the system's serial ports: QSerialPortInfo in the programme, a fake in tests.
class PortEnumerator {
public:
    virtual ~PortEnumerator() = default;
    virtual QList<SerialPortEntry> availablePorts() const = 0;
};

class SystemPortEnumerator final : public PortEnumerator {
public:
    QList<SerialPortEntry> availablePorts() const override;
};

// The kernel driver of a tty as sysfs reports it: the name the `device/driver` link of
// <ttyClassDir>/<portName> points to (cp210x for /sys/class/tty and ttyUSB0); empty when
// there is no such link.
QString ttyKernelDriver(const QString& ttyClassDir, const QString& portName);

// The device of the meter's bridge: of the CP210x ports that stand for a port number, the
// one with the lowest number (so ttyUSB2 comes before ttyUSB10).
std::optional<QString> findMeterBridge(const QList<SerialPortEntry>& ports);

// Every listed device, sorted; two lists differ exactly when a port came or went.
QStringList deviceList(const QList<SerialPortEntry>& ports);

} // namespace calorant
