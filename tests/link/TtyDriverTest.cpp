// Which kernel driver serves a tty, read from a sysfs-like folder built by the test: the
// name the device's driver link points to, and nothing for a tty without a driver link or
// without an entry at all.
#include "link/PortEnumerator.h"

#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

using namespace calorant;

namespace {

namespace fs = std::filesystem;

// <root>/<tty>/device, with its driver link pointing into <root>/bus/.../drivers/<driver>
// (relative, as sysfs writes its links) unless the driver is empty.
void addTty(const fs::path& root, const char* tty, const char* driver) {
    const fs::path device = root / tty / "device";
    fs::create_directories(device);
    if (*driver == '\0')
        return;
    fs::create_directories(root / "bus" / "usb-serial" / "drivers" / driver);
    fs::create_symlink(fs::path("../../bus/usb-serial/drivers") / driver, device / "driver");
}

} // namespace

TEST(TtyKernelDriver, IsTheNameTheDriverLinkOfTheTtysDevicePointsTo) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const fs::path root = dir.path().toStdString();
    addTty(root, "ttyUSB0", "cp210x");
    addTty(root, "ttyACM0", "cdc_acm");
    addTty(root, "ttyS1", "");

    EXPECT_EQ(ttyKernelDriver(dir.path(), QStringLiteral("ttyUSB0")), QStringLiteral("cp210x"));
    EXPECT_EQ(ttyKernelDriver(dir.path(), QStringLiteral("ttyACM0")), QStringLiteral("cdc_acm"));
    EXPECT_EQ(ttyKernelDriver(dir.path(), QStringLiteral("ttyS1")), QString());
    EXPECT_EQ(ttyKernelDriver(dir.path(), QStringLiteral("ttyUSB9")), QString());
}
