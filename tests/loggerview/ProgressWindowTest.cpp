// "logging..." with the link on a scripted port: before the header it shows "1%" and an
// empty bar and starts nothing; once a stream is announced the bar runs on its 13 ms
// ticks and the download is given downloadTotal * 1.5 + 5000 ms; the window closes when
// the download is given up, when it completes while shown, and at once when it was over
// before the window came up.
#include "document/CKVDoc.h"
#include "document/DocumentLink.h"
#include "link/CMSComm.h"
#include "link/MeterLink.h"
#include "logger/LoggerStore.h"
#include "loggerview/CProgressDlg.h"
#include "support/ByteArrays.h"
#include "support/FakePortEnumerator.h"
#include "support/FakeSerialPort.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <gtest/gtest.h>

namespace calorant {
namespace {

QByteArray headerReply(quint32 length) {
    QByteArray reply = bytes({0xBB, 0x55, 0, 0, 0});
    for (int shift = 24; shift >= 0; shift -= 8)
        reply.append(char((length >> shift) & 0xFF));
    return reply;
}

// One set header and two records, then the 9 bytes that end a 40-byte stream.
QByteArray fortyByteStream() {
    QByteArray stream = bytes({0xAA, 0x56, 0, 1, 30, 15, 9, 24, 12, 0, 12});
    for (int record = 0; record < 2; ++record)
        for (int c = 0; c < 5; ++c)
            stream.append(bytes({0x00, 0xFA}));
    return stream + QByteArray(9, '\0');
}

class ProgressWindowTest : public ::testing::Test {
protected:
    ProgressWindowTest() {
        enumerator->ports = {{QStringLiteral("/dev/ttyUSB0"), kCp210xVendorId}};
        link.ScanForMeterPort();
    }

    void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    // The three header requests are written; what comes next is the meter's answer.
    void requestHeader() {
        link.StartLoggerDownload();
        link.onLoggerRequestTimer();
        link.onLoggerRequestTimer();
    }

    void announce(quint32 length) {
        requestHeader();
        port->deliver(headerReply(length));
        settle();
    }

    // The window looks at the download once it is up; the bar's own timer gets no chance
    // to tick meanwhile, however slow the run.
    void openWindow() {
        window.open();
        QCoreApplication::sendPostedEvents();
    }

    QString percent() const { return window.findChild<QLabel*>("percentLabel")->text(); }

    FakeSerialPort* port = new FakeSerialPort; // owned by comm
    CMSComm comm{std::unique_ptr<SerialPort>(port)};
    CKVDoc doc;
    const LoggerStore& loggerStore = doc.loggerStore();
    FakePortEnumerator* enumerator = new FakePortEnumerator; // owned by link
    DocumentLink pair{doc, comm, std::unique_ptr<PortEnumerator>(enumerator), 1};
    MeterLink& link = pair.link();
    CProgressDlg window{link};
};

TEST_F(ProgressWindowTest, BeforeTheHeaderItShowsOnePercentAndAnEmptyBarAndStartsNothing) {
    requestHeader();
    openWindow();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("logging..."));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(percent(), QStringLiteral("1%"));
    EXPECT_EQ(window.bar()->value(), 0);
    EXPECT_FALSE(window.barTimer().isActive());
    EXPECT_EQ(window.giveUpMs(), 0);

    // The meter answers that its memory is empty: the download is over.
    port->deliver(headerReply(0));
    settle();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(percent(), QStringLiteral("1%"));
}

TEST_F(ProgressWindowTest, AThousandByteStreamGetsSixAndAHalfSecondsAndIsThenGivenUp) {
    announce(990);
    openWindow();
    EXPECT_EQ(window.giveUpMs(), 6500);
    EXPECT_TRUE(window.barTimer().isActive());
    EXPECT_EQ(window.barTimer().interval(), 13);
    EXPECT_EQ(window.bar()->maximum(), 1000);
    EXPECT_EQ(percent(), QStringLiteral("   0%"));

    link.onGiveUpTimer();
    settle();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.barTimer().isActive());
    EXPECT_TRUE(link.liveMode());
}

TEST_F(ProgressWindowTest, TheBarAdvancesThirteenATickAndStopsFull) {
    announce(991); // a stream of 1001 bytes
    openWindow();
    for (int tick = 0; tick < 38; ++tick)
        window.onBarTimer();
    EXPECT_EQ(window.bar()->value(), 494);
    EXPECT_EQ(percent(), QStringLiteral("  49%"));
    for (int tick = 38; tick < 77; ++tick)
        window.onBarTimer();
    EXPECT_EQ(percent(), QStringLiteral(" 100%"));
    window.onBarTimer();
    EXPECT_EQ(window.bar()->value(), 1001);
    EXPECT_TRUE(window.isVisible()); // a full bar is no reason to close
}

TEST_F(ProgressWindowTest, AStreamCompletedWhileShownClosesIt) {
    announce(30);
    openWindow();
    port->deliver(fortyByteStream());
    settle();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.barTimer().isActive());
    EXPECT_EQ(loggerStore.setCount, 1);
}

TEST_F(ProgressWindowTest, ADownloadOverBeforeTheWindowCameUpClosesItAtOnce) {
    announce(30);
    port->deliver(fortyByteStream());
    settle();
    openWindow();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.giveUpMs(), 0);
}

} // namespace
} // namespace calorant
