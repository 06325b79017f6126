#include "link/SerialPort.h"

#include <QStringList>

namespace calorant {

std::optional<LineSettings> parseLineSettings(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;

    LineSettings settings;
    bool ok = false;
    settings.baudRate = parts[0].trimmed().toInt(&ok);
    if (!ok || settings.baudRate <= 0)
        return std::nullopt;

    const QString parity = parts[1].trimmed().toLower();
    if (parity.size() != 1 || !QStringLiteral("neoms").contains(parity))
        return std::nullopt;
    settings.parity = parity[0].toLatin1();

    settings.dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || settings.dataBits < 5 || settings.dataBits > 8)
        return std::nullopt;

    const QString stopBits = parts[3].trimmed();
    if (stopBits == QLatin1String("1"))
        settings.stopBitsTimesTwo = 2;
    else if (stopBits == QLatin1String("1.5"))
        settings.stopBitsTimesTwo = 3;
    else if (stopBits == QLatin1String("2"))
        settings.stopBitsTimesTwo = 4;
    else
        return std::nullopt;
    return settings;
}

} // namespace calorant
