#include "link/PortPermission.h"

namespace calorant {

QString portPermissionMessage(const QString& device) {
    return QStringLiteral("No permission to open the meter's port %1. Install Calorant's udev "
                          "rule (the package does) and plug the meter in again, or join the "
                          "dialout group (sudo usermod -aG dialout $USER) and log in again.")
        .arg(device);
}

} // namespace calorant
