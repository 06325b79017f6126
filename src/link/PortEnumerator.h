#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace calorant {

// The meter's USB bridge is a Silicon Labs CP210x.
inline constexpr quint16 kCp210xVendorId = 0x10C4;

// One serial port the system lists.
struct SerialPortEntry {
    QString device;                  // as the port control opens it: /dev/ttyUSB0, COM3, ...
    std::optional<quint16> vendorId; // USB vendor id, when the port sits on USB
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

// The device of the meter's bridge: the first CP210x port in device-name order (ports
// numbered alike sort by their number, so ttyUSB2 comes before ttyUSB10).
std::optional<QString> findMeterBridge(const QList<SerialPortEntry>& ports);

// Every listed device, sorted; two lists differ exactly when a port came or went.
QStringList deviceList(const QList<SerialPortEntry>& ports);

} // namespace calorant
