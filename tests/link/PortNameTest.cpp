// The one mapping between port numbers and device names, for each platform's
// naming, both ways: the device names of the CP210x bridge, the numbers read back
// from them (above 16 too), and names that stand for no numbered port.
#include "link/PortName.h"

#include <gtest/gtest.h>

using namespace calorant;

namespace {

struct NamedPort {
    PortNaming naming;
    const char* device;
    int port;
};

TEST(PortNameTest, PortNumbersAndDeviceNamesMapBothWays) {
    for (const NamedPort& named : {
             NamedPort{PortNaming::Linux, "/dev/ttyUSB0", 1},
             NamedPort{PortNaming::Linux, "/dev/ttyUSB15", 16},
             NamedPort{PortNaming::Windows, "COM7", 7},
             NamedPort{PortNaming::MacOS, "/dev/cu.SLAB_USBtoUART", 1},
             NamedPort{PortNaming::MacOS, "/dev/cu.SLAB_USBtoUART2", 2},
         }) {
        const QString device = QString::fromLatin1(named.device);
        EXPECT_EQ(deviceNameForPort(named.port, named.naming), device);
        EXPECT_EQ(portNumberForDevice(device, named.naming), named.port) << named.device;
    }
    for (PortNaming naming : {PortNaming::Linux, PortNaming::Windows, PortNaming::MacOS}) {
        for (int port = 1; port <= 16; ++port)
            EXPECT_EQ(portNumberForDevice(deviceNameForPort(port, naming), naming), port);
    }
}

TEST(PortNameTest, OtherSpellingsAndHighNumbersAreRecognised) {
    EXPECT_EQ(portNumberForDevice(QStringLiteral("ttyUSB0"), PortNaming::Linux), 1);
    EXPECT_EQ(portNumberForDevice(QStringLiteral("/dev/ttyUSB16"), PortNaming::Linux), 17);
    EXPECT_EQ(portNumberForDevice(QStringLiteral("com3"), PortNaming::Windows), 3);
    EXPECT_EQ(portNumberForDevice(QStringLiteral("\\\\.\\COM17"), PortNaming::Windows), 17);
}

TEST(PortNameTest, NamesOfNoNumberedPortGiveZero) {
    EXPECT_EQ(deviceNameForPort(0, PortNaming::Linux), QString());
    EXPECT_EQ(deviceNameForPort(-3, PortNaming::Windows), QString());
    for (const char* name : {"/dev/ttyS0", "/dev/pts/3", "/dev/ttyUSB", "/dev/ttyUSBx",
                             "/dev/ttyUSB-1", "/dev/ttyUSB99999999999", ""})
        EXPECT_EQ(portNumberForDevice(QString::fromLatin1(name), PortNaming::Linux), 0) << name;
    for (const char* name : {"COM", "COM0", "COMX", "LPT1", "COM1a"})
        EXPECT_EQ(portNumberForDevice(QString::fromLatin1(name), PortNaming::Windows), 0) << name;
    for (const char* name : {"/dev/cu.SLAB_USBtoUART1", "/dev/cu.usbserial-0001"})
        EXPECT_EQ(portNumberForDevice(QString::fromLatin1(name), PortNaming::MacOS), 0) << name;
}

} // namespace
