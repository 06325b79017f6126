// The serial port control over a real device: a pseudo-terminal stands in for the
// meter's USB bridge. Bytes written by the "meter" side raise the receive event,
// output() has delivered its bytes by the time it returns or, when the device takes
// none, fails soon and leaves nothing behind, and a device that goes
// away (the other side closes) closes the port and is reported once instead of
// being read in a loop. A device that is missing or already in use is no question
// of permissions and gets no advice about them.
#include "link/CMSComm.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QtGlobal>
#include <gtest/gtest.h>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

using calorant::CMSComm;

namespace {

// The meter's side of a pseudo-terminal; the control opens slavePath().
class PseudoTerminal {
public:
    PseudoTerminal() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
            return;
        termios raw{};
        tcgetattr(master_, &raw);
        cfmakeraw(&raw);
        tcsetattr(master_, TCSANOW, &raw);
        slavePath_ = QString::fromLocal8Bit(ptsname(master_));
    }
    ~PseudoTerminal() { closeMaster(); }

    bool isReady() const { return !slavePath_.isEmpty(); }
    QString slavePath() const { return slavePath_; }

    void send(const QByteArray& bytes) {
        ASSERT_EQ(::write(master_, bytes.constData(), size_t(bytes.size())), bytes.size());
    }

    // What has arrived on the meter's side within the wait.
    QByteArray receive(int waitMs) {
        QByteArray received;
        pollfd fd{master_, POLLIN, 0};
        while (::poll(&fd, 1, waitMs) > 0 && (fd.revents & POLLIN)) {
            char buffer[256];
            const ssize_t count = ::read(master_, buffer, sizeof buffer);
            if (count <= 0)
                break;
            received.append(buffer, count);
            waitMs = 50;
        }
        return received;
    }

    void closeMaster() {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    QString slavePath_;
};

class SystemSerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!pty.isReady())
            GTEST_SKIP() << "no pseudo-terminal available";
        comm.setDevicePath(pty.slavePath());
        comm.setRThreshold(33);
        ASSERT_TRUE(comm.setPortOpen(true)) << comm.errorString().toStdString();
    }

    PseudoTerminal pty;
    CMSComm comm;
};

TEST_F(SystemSerialPortTest, BytesFromTheDeviceRaiseTheReceiveEventOnceTheThresholdIsMet) {
    QSignalSpy events(&comm, &CMSComm::onComm);

    pty.send(QByteArray(20, 'a'));
    EXPECT_FALSE(events.wait(300));
    pty.send(QByteArray(13, 'b'));
    ASSERT_TRUE(events.wait(2000));

    EXPECT_EQ(comm.commEvent(), CMSComm::kCommEventReceive);
    EXPECT_EQ(comm.input(), QByteArray(20, 'a') + QByteArray(13, 'b'));
}

TEST_F(SystemSerialPortTest, OutputHasReachedTheDeviceWhenItReturns) {
    ASSERT_TRUE(comm.output(QByteArray("\xAA\x55\x01", 3)));
    ASSERT_TRUE(comm.setPortOpen(false));

    EXPECT_EQ(pty.receive(1000), QByteArray("\xAA\x55\x01", 3));
}

TEST_F(SystemSerialPortTest, AWriteTheDeviceDoesNotTakeFailsWithinItsLineTimeAndAMargin) {
    // The device's side stops taking output, as a wedged adapter does.
    const int device = ::open(pty.slavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(device, 0);
    ASSERT_EQ(::tcflow(device, TCOOFF), 0);

    QElapsedTimer waited;
    waited.start();
    EXPECT_FALSE(comm.output(QByteArray("\xAA\x55\x0E", 3)));
    EXPECT_LT(waited.elapsed(), 500); // a blocked write must not freeze the window
    EXPECT_FALSE(comm.errorString().isEmpty());

    // Nothing of the failed write is left to go out later.
    ASSERT_EQ(::tcflow(device, TCOON), 0);
    ::close(device);
    ASSERT_TRUE(comm.output(QByteArray("\xAA\x55\x01", 3)));
    EXPECT_EQ(pty.receive(500), QByteArray("\xAA\x55\x01", 3));
}

TEST_F(SystemSerialPortTest, ADeviceThatGoesAwayClosesThePortAndIsReportedOnce) {
    QSignalSpy failures(&comm, &CMSComm::portFailed);

    pty.closeMaster();
    ASSERT_TRUE(failures.wait(2000));
    QTest::qWait(200);

    EXPECT_FALSE(comm.portOpen());
    EXPECT_EQ(failures.count(), 1);
    EXPECT_FALSE(comm.output(QByteArray("\xAA\x55\x05", 3)));
}

TEST(SystemSerialPortOpenTest, AMissingDeviceIsReportedWithItsName) {
    CMSComm comm;
    comm.setDevicePath(QStringLiteral("/dev/calorant-no-such-device"));

    EXPECT_FALSE(comm.setPortOpen(true));
    EXPECT_TRUE(comm.errorString().contains(QStringLiteral("/dev/calorant-no-such-device")));
    EXPECT_FALSE(comm.errorString().contains(QStringLiteral("dialout")));
}

TEST_F(SystemSerialPortTest, ADeviceAlreadyInUseIsRefusedWithoutPermissionAdvice) {
    CMSComm second;
    QSignalSpy denied(&second, &CMSComm::openDenied);
    second.setDevicePath(pty.slavePath());

    EXPECT_FALSE(second.setPortOpen(true));
    EXPECT_TRUE(second.errorString().contains(pty.slavePath()));
    EXPECT_FALSE(second.errorString().contains(QStringLiteral("dialout")))
        << second.errorString().toStdString();
    EXPECT_EQ(denied.count(), 0);
    EXPECT_TRUE(comm.portOpen());
}

} // namespace

#endif
