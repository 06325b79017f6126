// The serial port control against a scripted port: when the receive event is
// raised (threshold reached, threshold lowered, never inside a write), what input()
// returns and leaves behind, discarding and capacity of the receive buffer, how
// opening, writing and a broken-down device are reported (a device this user may not
// open with what to do about it), and the line settings.
#include "link/CMSComm.h"

#include "link/PortName.h"
#include "link/PortPermission.h"
#include "support/FakeSerialPort.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

using calorant::CMSComm;
using calorant::LineSettings;
using calorant::parseLineSettings;

namespace {

QByteArray bytesFrom(int first, int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(char(first + i));
    return bytes;
}

class CMSCommTest : public ::testing::Test {
protected:
    CMSCommTest() : port(new FakeSerialPort), comm(std::unique_ptr<FakeSerialPort>(port)) {
        comm.setDevicePath(QStringLiteral("/dev/fake0"));
    }

    void openWithThreshold(int threshold) {
        comm.setRThreshold(threshold);
        ASSERT_TRUE(comm.setPortOpen(true));
        QCoreApplication::processEvents();
    }

    FakeSerialPort* port; // owned by comm
    CMSComm comm;
};

TEST_F(CMSCommTest, ReceiveEventWaitsUntilTheThresholdIsBuffered) {
    openWithThreshold(33);
    QSignalSpy events(&comm, &CMSComm::onComm);

    port->deliver(bytesFrom(0, 20));
    EXPECT_EQ(events.count(), 0);
    EXPECT_EQ(comm.inBufferCount(), 20);

    port->deliver(bytesFrom(20, 13));
    EXPECT_EQ(events.count(), 1);
    EXPECT_EQ(comm.commEvent(), CMSComm::kCommEventReceive);
    EXPECT_EQ(comm.input(), bytesFrom(0, 33));
    EXPECT_EQ(comm.inBufferCount(), 0);
    EXPECT_TRUE(comm.input().isEmpty());

    // Two frames in one arrival: one event, one read returns both.
    port->deliver(bytesFrom(0, 66));
    EXPECT_EQ(events.count(), 2);
    EXPECT_EQ(comm.input(), bytesFrom(0, 66));
}

TEST_F(CMSCommTest, InputLenLimitsOneReadAndKeepsTheRest) {
    openWithThreshold(1);
    port->deliver(bytesFrom(0, 10));

    ASSERT_TRUE(comm.setInputLen(4));
    EXPECT_EQ(comm.input(), bytesFrom(0, 4));
    EXPECT_EQ(comm.inBufferCount(), 6);
    ASSERT_TRUE(comm.setInputLen(0));
    EXPECT_EQ(comm.input(), bytesFrom(4, 6));
    EXPECT_FALSE(comm.setInputLen(-1));
}

TEST_F(CMSCommTest, ZeroThresholdRaisesNoReceiveEvent) {
    openWithThreshold(0);
    QSignalSpy events(&comm, &CMSComm::onComm);

    port->deliver(bytesFrom(0, 100));
    QCoreApplication::processEvents();
    EXPECT_EQ(events.count(), 0);
    EXPECT_EQ(comm.inBufferCount(), 100);
}

TEST_F(CMSCommTest, ThresholdCanChangeBetweenEvents) {
    openWithThreshold(9);
    QSignalSpy events(&comm, &CMSComm::onComm);

    port->deliver(bytesFrom(0, 9));
    ASSERT_EQ(events.count(), 1);
    comm.input();

    comm.setRThreshold(20000);
    port->deliver(QByteArray(19999, 'x'));
    EXPECT_EQ(events.count(), 1);
    port->deliver(QByteArray(1, 'y'));
    EXPECT_EQ(events.count(), 2);
    EXPECT_EQ(comm.input().size(), 20000);
}

TEST_F(CMSCommTest, LoweringTheThresholdBelowWhatIsBufferedRaisesTheEventFromTheEventLoop) {
    openWithThreshold(33);
    QSignalSpy events(&comm, &CMSComm::onComm);
    port->deliver(bytesFrom(0, 20));

    comm.setRThreshold(9);
    EXPECT_EQ(events.count(), 0) << "the event must not run inside setRThreshold";
    QCoreApplication::processEvents();
    EXPECT_EQ(events.count(), 1);
    EXPECT_EQ(comm.input(), bytesFrom(0, 20));

    // Nothing is raised when the bytes were read before the event loop ran.
    comm.setRThreshold(33);
    port->deliver(bytesFrom(0, 20));
    comm.setRThreshold(9);
    comm.input();
    QCoreApplication::processEvents();
    EXPECT_EQ(events.count(), 1);
}

TEST_F(CMSCommTest, BytesArrivingDuringAWriteRaiseTheEventOnlyAfterTheWrite) {
    openWithThreshold(33);
    QSignalSpy events(&comm, &CMSComm::onComm);
    port->duringWrite = [this] { port->deliver(bytesFrom(0, 33)); };

    ASSERT_TRUE(comm.output(QByteArray("\xAA\x55\x05", 3)));
    EXPECT_EQ(events.count(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(events.count(), 1);
    EXPECT_EQ(comm.input(), bytesFrom(0, 33));
}

TEST_F(CMSCommTest, EmptyingOrClosingDiscardsReceivedBytes) {
    openWithThreshold(100);
    port->deliver(bytesFrom(0, 40));

    ASSERT_TRUE(comm.setInBufferCount(0));
    EXPECT_EQ(comm.inBufferCount(), 0);
    EXPECT_EQ(port->inputClears, 1);

    port->deliver(bytesFrom(0, 40));
    ASSERT_TRUE(comm.setPortOpen(false));
    EXPECT_EQ(comm.inBufferCount(), 0);
    // The open sequence empties the buffers before it opens the port.
    EXPECT_TRUE(comm.setInBufferCount(0));
    EXPECT_TRUE(comm.setOutBufferCount(0));
    EXPECT_EQ(port->outputClears, 1);
    EXPECT_FALSE(comm.setInBufferCount(5));
    EXPECT_FALSE(comm.setOutBufferCount(5));
}

TEST_F(CMSCommTest, ReceiveBufferNeverGrowsBeyondItsCapacity) {
    openWithThreshold(0);
    const QByteArray block(CMSComm::kInBufferCapacity - 10, 'a');
    port->deliver(block);
    port->deliver(QByteArray(25, 'b'));

    EXPECT_EQ(comm.inBufferCount(), CMSComm::kInBufferCapacity);
    EXPECT_EQ(comm.droppedByteCount(), 15);
    const QByteArray kept = comm.input();
    EXPECT_EQ(kept.right(10), QByteArray(10, 'b'));
}

TEST_F(CMSCommTest, OpeningUsesTheNamedDeviceAndTheLineSettings) {
    ASSERT_TRUE(comm.setSettings(QStringLiteral("19200,e,7,2")));
    ASSERT_TRUE(comm.setPortOpen(true));
    EXPECT_TRUE(comm.portOpen());
    EXPECT_EQ(port->openedDevices, QStringList{QStringLiteral("/dev/fake0")});
    EXPECT_EQ(port->openSettings, (LineSettings{19200, 'e', 7, 4}));

    // Opening an open port is no second opening.
    EXPECT_TRUE(comm.setPortOpen(true));
    EXPECT_EQ(port->openedDevices.size(), 1);
}

TEST_F(CMSCommTest, ThePortNumberNamesTheDevice) {
    ASSERT_TRUE(comm.setCommPort(3));
    EXPECT_EQ(comm.commPort(), 3);
    EXPECT_EQ(comm.deviceName(), calorant::deviceNameForPort(3));
    EXPECT_FALSE(comm.setCommPort(0));
    EXPECT_EQ(comm.commPort(), 3);

    comm.setDevicePath(QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(comm.commPort(), 0);
    EXPECT_EQ(comm.deviceName(), QStringLiteral("/dev/pts/7"));
}

TEST_F(CMSCommTest, FailuresAreReturnedWithTheirReason) {
    EXPECT_FALSE(comm.output(QByteArray("\xAA\x55\x05", 3)));
    EXPECT_FALSE(comm.errorString().isEmpty());

    port->failOpensWith(QStringLiteral("Permission denied"));
    EXPECT_FALSE(comm.setPortOpen(true));
    EXPECT_FALSE(comm.portOpen());
    EXPECT_TRUE(comm.errorString().contains(QStringLiteral("Permission denied")));

    port->failOpensWith({});
    ASSERT_TRUE(comm.setPortOpen(true));
    port->failWritesFrom(0);
    EXPECT_FALSE(comm.output(QByteArray("\xAA\x55\x05", 3)));
    EXPECT_TRUE(comm.errorString().contains(QStringLiteral("scripted write failure")));

    EXPECT_FALSE(comm.setSettings(QStringLiteral("9600,x,8,1")));
    EXPECT_EQ(comm.settings(), QStringLiteral("9600,n,8,1"));
    EXPECT_FALSE(comm.setInputMode(0));
}

TEST_F(CMSCommTest, AnOpeningDeniedToThisUserNamesTheDeviceAndTheWaysToAccess) {
    QSignalSpy denied(&comm, &CMSComm::openDenied);
    port->denyOpens();
    EXPECT_FALSE(comm.setPortOpen(true));
    EXPECT_FALSE(comm.portOpen());
    const QString reason = comm.errorString();
    EXPECT_EQ(reason, calorant::portPermissionMessage(QStringLiteral("/dev/fake0")));
    for (const char* part :
         {"/dev/fake0", "udev rule", "plug the meter in again", "dialout", "log in again"})
        EXPECT_TRUE(reason.contains(QLatin1String(part))) << part;
    EXPECT_FALSE(reason.contains(QLatin1Char('\n'))); // calorant-cli's one-line reason
    ASSERT_EQ(denied.count(), 1);
    EXPECT_EQ(denied[0][0].toString(), QStringLiteral("/dev/fake0"));

    // A busy or missing device is no question of permissions.
    port->failOpensWith(QStringLiteral("Device or resource busy"));
    EXPECT_FALSE(comm.setPortOpen(true));
    EXPECT_TRUE(comm.errorString().contains(QStringLiteral("Device or resource busy")));
    EXPECT_FALSE(comm.errorString().contains(QStringLiteral("dialout")));
    EXPECT_EQ(denied.count(), 1);
}

TEST_F(CMSCommTest, ABrokenDownDeviceIsClosedAndReportedOnce) {
    openWithThreshold(33);
    QSignalSpy failures(&comm, &CMSComm::portFailed);

    port->breakDown(QStringLiteral("Device disappeared"));
    port->breakDown(QStringLiteral("Device disappeared"));
    QCoreApplication::processEvents();

    EXPECT_FALSE(comm.portOpen());
    ASSERT_EQ(failures.count(), 1);
    EXPECT_EQ(failures.at(0).at(0).toString(), QStringLiteral("Device disappeared"));
}

TEST_F(CMSCommTest, AFailureOfAnEarlierOpeningDoesNotCloseTheReopenedPort) {
    openWithThreshold(33);
    QSignalSpy failures(&comm, &CMSComm::portFailed);

    port->breakDown(QStringLiteral("Device disappeared"));
    ASSERT_TRUE(comm.setPortOpen(false));
    ASSERT_TRUE(comm.setPortOpen(true));
    QCoreApplication::processEvents();

    EXPECT_TRUE(comm.portOpen());
    EXPECT_EQ(failures.count(), 0);
}

TEST(LineSettingsTest, SettingsTextsAreReadOrRefused) {
    EXPECT_EQ(parseLineSettings(QStringLiteral("9600,n,8,1")), (LineSettings{9600, 'n', 8, 2}));
    EXPECT_EQ(parseLineSettings(QStringLiteral("9600,N,8,1")), (LineSettings{9600, 'n', 8, 2}));
    EXPECT_EQ(parseLineSettings(QStringLiteral("4800,o,5,1.5")), (LineSettings{4800, 'o', 5, 3}));
    EXPECT_FALSE(parseLineSettings(QStringLiteral("9600,n,8")));
    EXPECT_FALSE(parseLineSettings(QStringLiteral("fast,n,8,1")));
    EXPECT_FALSE(parseLineSettings(QStringLiteral("0,n,8,1")));
    EXPECT_FALSE(parseLineSettings(QStringLiteral("9600,q,8,1")));
    EXPECT_FALSE(parseLineSettings(QStringLiteral("9600,n,9,1")));
    EXPECT_FALSE(parseLineSettings(QStringLiteral("9600,n,8,3")));
}

} // namespace
