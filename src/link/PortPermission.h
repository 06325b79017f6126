#pragma once

#include <QString>

namespace calorant {

// What the user is told when this user may not open the meter's port: the device, and
// the two ways to get access (the udev rule that comes with the package, or the dialout
// group). One line, so that calorant-cli can print it as its reason.
QString portPermissionMessage(const QString& device);

} // namespace calorant
