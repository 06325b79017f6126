// Commands to the meter through a scripted port: a key command opens a closed
// port and writes exactly its three bytes, failures are returned and nothing
// more is written, the power-off command is written three times and stops at the
// first failure, and the live open sequence configures, reopens, discards stale
// input and writes the live request.
#include "link/MeterPortCommands.h"

#include "link/CMSComm.h"
#include "support/ByteArrays.h"
#include "support/FakeSerialPort.h"

#include <gtest/gtest.h>

using namespace calorant;

namespace {

class MeterPortCommandsTest : public ::testing::Test {
protected:
    MeterPortCommandsTest()
        : port(new FakeSerialPort), comm(std::unique_ptr<FakeSerialPort>(port)) {
        comm.setDevicePath(QStringLiteral("/dev/meter"));
    }

    FakeSerialPort* port; // owned by comm
    CMSComm comm;
};

TEST_F(MeterPortCommandsTest, AKeyCommandOpensAClosedPortAndWritesExactlyItsThreeBytes) {
    ASSERT_FALSE(comm.portOpen());

    EXPECT_TRUE(SendMeterCommand(comm, meterCommand(kHoldKey)));

    EXPECT_TRUE(comm.portOpen());
    EXPECT_EQ(port->openedDevices.size(), 1);
    ASSERT_EQ(port->written.size(), 1);
    EXPECT_EQ(port->written[0], bytes({0xAA, 0x55, 0x05}));

    // Once open, the port is used as it is.
    EXPECT_TRUE(SendMeterCommand(comm, meterCommand(kMaxMinKeyDouble)));
    EXPECT_EQ(port->openedDevices.size(), 1);
    EXPECT_EQ(port->closeCount, 0);
    EXPECT_EQ(port->written.last(), bytes({0xAA, 0x55, 0x16}));
}

TEST_F(MeterPortCommandsTest, CommandsThatCannotOpenThePortWriteNothing) {
    port->failOpensWith(QStringLiteral("No such file or directory"));

    EXPECT_FALSE(SendMeterCommand(comm, meterCommand(kUnitKey)));
    EXPECT_FALSE(PowerOff(comm));
    EXPECT_EQ(port->writeAttempts, 0);
    EXPECT_TRUE(comm.errorString().contains(QStringLiteral("No such file or directory")));
}

TEST_F(MeterPortCommandsTest, PowerOffWritesItsThreeBytesThreeTimes) {
    EXPECT_TRUE(PowerOff(comm));

    EXPECT_TRUE(comm.portOpen());
    EXPECT_EQ(port->written.size(), 3);
    EXPECT_EQ(port->writtenBytes(), bytes({0x55, 0xAA, 0x03, 0x55, 0xAA, 0x03, 0x55, 0xAA, 0x03}));
}

TEST_F(MeterPortCommandsTest, PowerOffStopsAtTheFirstFailedWrite) {
    port->failWritesFrom(1);

    EXPECT_FALSE(PowerOff(comm));
    EXPECT_EQ(port->writeAttempts, 2);
    EXPECT_EQ(port->writtenBytes(), bytes({0x55, 0xAA, 0x03}));
}

TEST_F(MeterPortCommandsTest, TheLiveOpenSequenceConfiguresOpensAndRequestsLiveFrames) {
    ASSERT_TRUE(comm.setSettings(QStringLiteral("1200,e,7,2")));
    port->deliver(QByteArray("stale bytes from before"));

    ASSERT_TRUE(openLivePort(comm));

    EXPECT_TRUE(comm.portOpen());
    EXPECT_EQ(comm.settings(), QStringLiteral("9600,n,8,1"));
    EXPECT_EQ(port->openSettings, (LineSettings{9600, 'n', 8, 2}));
    EXPECT_EQ(comm.rThreshold(), 33);
    ASSERT_EQ(port->written.size(), 1);
    EXPECT_EQ(port->written[0], bytes({0xAA, 0x55, 0x01}));

    // The first block read after the sequence holds only what came afterwards.
    port->deliver(QByteArray(33, 'f'));
    EXPECT_EQ(comm.input(), QByteArray(33, 'f'));
}

TEST_F(MeterPortCommandsTest, TheLiveOpenSequenceReopensAnOpenPortSoTheMeterGetsTheRequestAgain) {
    ASSERT_TRUE(openLivePort(comm));
    ASSERT_TRUE(openLivePort(comm));

    EXPECT_EQ(port->closeCount, 1);
    EXPECT_EQ(port->openedDevices.size(), 2);
    EXPECT_EQ(port->writtenBytes(), bytes({0xAA, 0x55, 0x01, 0xAA, 0x55, 0x01}));
}

TEST_F(MeterPortCommandsTest, TheLiveOpenSequenceEndsAtAFailedOpening) {
    port->failOpensWith(QStringLiteral("Permission denied"));

    EXPECT_FALSE(openLivePort(comm));
    EXPECT_FALSE(comm.portOpen());
    EXPECT_EQ(port->writeAttempts, 0);
}

} // namespace
