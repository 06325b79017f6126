#pragma once

#include <QString>

namespace calorant {

// How a numbered port (COM1, COM2, ...) is named on each platform. The meter's
// bridge is a CP210x: Linux lists it as /dev/ttyUSB0, 1, ...; Windows as COMn;
// the macOS vendor driver as /dev/cu.SLAB_USBtoUART, then ...UART2, ...UART3.
enum class PortNaming { Linux, Windows, MacOS };

PortNaming systemPortNaming();

// Device name of port number n (1 and up); empty for a number below 1.
QString deviceNameForPort(int port, PortNaming naming = systemPortNaming());

// The inverse: the port number a device name stands for, 0 when it names none.
// Numbers above the range the programme accepts are returned as they are, so that
// a caller can tell "too high" from "not a numbered port".
int portNumberForDevice(const QString& device, PortNaming naming = systemPortNaming());

} // namespace calorant
