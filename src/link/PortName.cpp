#include "link/PortName.h"

namespace calorant {

namespace {

const QString kLinuxPrefix = QStringLiteral("/dev/ttyUSB");
const QString kWindowsPrefix = QStringLiteral("COM");
const QString kMacPrefix = QStringLiteral("/dev/cu.SLAB_USBtoUART");

// Digits only, short enough never to overflow; -1 otherwise.
int parseIndex(QStringView digits) {
    if (digits.isEmpty() || digits.size() > 6)
        return -1;
    int value = 0;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

// Accepts the full path or the bare name QSerialPortInfo::portName() gives.
int linuxPortNumber(const QString& device) {
    QStringView name(device);
    if (name.startsWith(u"/dev/"))
        name = name.mid(5);
    if (!name.startsWith(u"ttyUSB"))
        return 0;
    const int index = parseIndex(name.mid(6));
    return index < 0 ? 0 : index + 1;
}

// Accepts COMn in either case and the \\.\COMn form needed above COM9.
int windowsPortNumber(const QString& device) {
    QStringView name(device);
    if (name.startsWith(u"\\\\.\\"))
        name = name.mid(4);
    if (!name.startsWith(kWindowsPrefix, Qt::CaseInsensitive))
        return 0;
    const int number = parseIndex(name.mid(3));
    return number < 1 ? 0 : number;
}

int macPortNumber(const QString& device) {
    QStringView name(device);
    if (!name.startsWith(kMacPrefix))
        return 0;
    const QStringView suffix = name.mid(kMacPrefix.size());
    if (suffix.isEmpty())
        return 1;
    const int number = parseIndex(suffix);
    return number < 2 ? 0 : number;
}

} // namespace

PortNaming systemPortNaming() {
#if defined(Q_OS_WIN)
    return PortNaming::Windows;
#elif defined(Q_OS_MACOS)
    return PortNaming::MacOS;
#else
    return PortNaming::Linux;
#endif
}

QString deviceNameForPort(int port, PortNaming naming) {
    if (port < 1)
        return {};
    switch (naming) {
    case PortNaming::Windows:
        return kWindowsPrefix + QString::number(port);
    case PortNaming::MacOS:
        return port == 1 ? kMacPrefix : kMacPrefix + QString::number(port);
    case PortNaming::Linux:
        break;
    }
    return kLinuxPrefix + QString::number(port - 1);
}

int portNumberForDevice(const QString& device, PortNaming naming) {
    switch (naming) {
    case PortNaming::Windows:
        return windowsPortNumber(device);
    case PortNaming::MacOS:
        return macPortNumber(device);
    case PortNaming::Linux:
        break;
    }
    return linuxPortNumber(device);
}

} // namespace calorant
