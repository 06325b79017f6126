// The link to the meter, feeding the document as the programme pairs them, over a
// scripted port and a scripted list of serial ports: which
// port the scan opens (bridge found, beside other Silicon Labs devices and other drivers'
// ports, numbered above 16, none, a device override), manual port choice, what one
// accepted frame changes, the watchdog's offline window, the five-minute command,
// port-list changes and a broken-down device, a port this user may not open (told once
// per device), and the logger download end to end on the fake port: requests and where
// the reply stands, empty, refused and headerless
// memories, block thresholds, the answer watch, the give-up time and device changes
// during a download.
#include "link/MeterLink.h"

#include "document/CKVDoc.h"
#include "document/DocumentLink.h"
#include "link/CMSComm.h"
#include "link/PortPermission.h"
#include "support/ByteArrays.h"
#include "support/FakePortEnumerator.h"
#include "support/FakeSerialPort.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace calorant;

namespace {

const QByteArray kLiveRequestBytes = bytes({0xAA, 0x55, 0x01});
const QByteArray kLoggerRequestBytes = bytes({0xAA, 0x55, 0x02});
const QByteArray kStreamRequestBytes = bytes({0xAA, 0x55, 0x10});

// A live frame with T1 = t1Tenths (and T2 = t2Tenths) and a valid checksum.
QByteArray liveFrame(int t1Tenths, int t2Tenths = 0) {
    QByteArray frame(33, '\0');
    frame[0] = char(0xAA);
    frame[1] = char(0xBB);
    frame[2] = char((t1Tenths >> 8) & 0xFF);
    frame[3] = char(t1Tenths & 0xFF);
    frame[4] = char((t2Tenths >> 8) & 0xFF);
    frame[5] = char(t2Tenths & 0xFF);
    frame[13] = char(0x80);
    unsigned sum = 0;
    for (int i = 0; i < 31; ++i)
        sum += static_cast<unsigned char>(frame[i]);
    frame[31] = char(sum >> 8);
    frame[32] = char(sum & 0xFF);
    return frame;
}

QByteArray headerReply(quint32 length, int unit = 0) {
    QByteArray reply = bytes({0xBB, 0x55, unit, 0, 0});
    for (int shift = 24; shift >= 0; shift -= 8)
        reply.append(char((length >> shift) & 0xFF));
    return reply;
}

// One set header and a record of 25.0 C on every channel, then `filler` zero bytes.
QByteArray loggerStream(int filler) {
    QByteArray stream = bytes({0xAA, 0x56, 0, 1, 30, 15, 9, 24, 12, 0, 12});
    for (int c = 0; c < 5; ++c)
        stream.append(bytes({0x00, 0xFA}));
    stream.append(QByteArray(filler, '\0'));
    return stream;
}

SerialPortEntry bridge(const QString& device) {
    return {device, kCp210xVendorId};
}

class MeterLinkTest : public ::testing::Test {
protected:
    void makeLink(int savedPort = 1) {
        pair = std::make_unique<DocumentLink>(
            doc, comm, std::unique_ptr<PortEnumerator>(enumerator), savedPort);
        link = &pair->link();
        link->setClock([] { return std::time_t(1577000000); });
    }

    // The link runs live on /dev/ttyUSB0 with nothing written yet.
    void goLive() {
        enumerator->ports = {bridge(QStringLiteral("/dev/ttyUSB0"))};
        makeLink();
        link->ScanForMeterPort();
        port->written.clear();
        port->openedDevices.clear();
        port->closeCount = 0;
    }

    // The device the port was last opened on; empty when it never was.
    QString lastOpened() const {
        return port->openedDevices.isEmpty() ? QString() : port->openedDevices.last();
    }

    // The three header requests, 100 ms apart.
    void requestHeader() {
        link->StartLoggerDownload();
        link->onLoggerRequestTimer();
        link->onLoggerRequestTimer();
    }

    void startDownloadWithHeader(quint32 length) {
        requestHeader();
        port->deliver(headerReply(length));
        QCoreApplication::processEvents();
    }

    FakeSerialPort* port = new FakeSerialPort; // owned by comm
    CMSComm comm{std::unique_ptr<SerialPort>(port)};
    CKVDoc doc;
    SampleStore& store = doc.sampleStore();
    const MeterState& state = doc.meterState();
    LoggerStore& loggerStore = doc.loggerStore();
    FakePortEnumerator* enumerator = new FakePortEnumerator; // owned by link
    std::unique_ptr<DocumentLink> pair;
    MeterLink* link = nullptr;
};

} // namespace

TEST_F(MeterLinkTest, TheScanOpensTheFirstBridgeInDeviceNameOrderAndRequestsLiveFrames) {
    enumerator->ports = {{QStringLiteral("/dev/ttyS0"), std::nullopt},
                         {QStringLiteral("/dev/ttyUSB0"), quint16(0x0403)},
                         bridge(QStringLiteral("/dev/ttyUSB10")),
                         bridge(QStringLiteral("/dev/ttyUSB2"))};
    makeLink(5);

    link->ScanForMeterPort();

    EXPECT_EQ(port->openedDevices.last(), QStringLiteral("/dev/ttyUSB2"));
    EXPECT_FALSE(port->openedDevices.contains(QStringLiteral("/dev/ttyUSB10")));
    EXPECT_EQ(port->writtenBytes(), kLiveRequestBytes);
    EXPECT_EQ(link->currentPort(), 3);
    EXPECT_EQ(link->savedPort(), 5);
    EXPECT_EQ(comm.rThreshold(), 33);
}

TEST_F(MeterLinkTest, OnlyTheBridgeDriversNumberedPortsCountAsTheMeter) {
    const quint16 otherVendor = 0x0403;
    // A Silicon Labs device on another driver, beside the bridge.
    enumerator->ports = {
        {QStringLiteral("/dev/ttyACM0"), kCp210xVendorId, QStringLiteral("cdc_acm")},
        {QStringLiteral("/dev/ttyUSB0"), kCp210xVendorId, QStringLiteral("cp210x")}};
    makeLink(5);
    QSignalSpy messages(link, &MeterLink::message);
    link->ScanForMeterPort();
    EXPECT_EQ(lastOpened(), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(link->currentPort(), 1);
    EXPECT_EQ(port->writtenBytes(), kLiveRequestBytes);

    // Where no driver is reported the vendor decides, but a name that stands for no port
    // number is never the bridge.
    enumerator->ports = {{QStringLiteral("/dev/ttyACM0"), kCp210xVendorId},
                         {QStringLiteral("/dev/ttyUSB3"), kCp210xVendorId}};
    link->ScanForMeterPort();
    EXPECT_EQ(lastOpened(), QStringLiteral("/dev/ttyUSB3"));

    // The driver outranks the vendor id: a bridge may carry a vendor id of its own, and
    // another driver's port is no bridge whatever its id says.
    enumerator->ports = {
        {QStringLiteral("/dev/ttyUSB1"), kCp210xVendorId, QStringLiteral("ftdi_sio")},
        {QStringLiteral("/dev/ttyUSB6"), otherVendor, QStringLiteral("cp210x")}};
    link->ScanForMeterPort();
    EXPECT_EQ(lastOpened(), QStringLiteral("/dev/ttyUSB6"));
    EXPECT_EQ(link->currentPort(), 7);

    // No bridge among them: the saved port, offline.
    enumerator->ports = {
        {QStringLiteral("/dev/ttyACM1"), kCp210xVendorId, QStringLiteral("cdc_acm")}};
    link->ScanForMeterPort();
    EXPECT_EQ(lastOpened(), QStringLiteral("/dev/ttyUSB4"));
    EXPECT_TRUE(doc.linkOffline());
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(MeterLinkTest, ABridgeNumberedAbove16IsRefusedWithAMessageAndLeavesTheLinkOffline) {
    enumerator->ports = {bridge(QStringLiteral("/dev/ttyUSB16"))};
    makeLink();
    QSignalSpy messages(link, &MeterLink::message);

    link->ScanForMeterPort();
    EXPECT_EQ(messages.count(), 0); // never from inside the scan itself
    QCoreApplication::processEvents();

    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages[0][0].toString(), QString::fromLatin1(MeterLink::kPortOver16Message));
    EXPECT_TRUE(doc.linkOffline());
    EXPECT_TRUE(port->openedDevices.isEmpty());
    EXPECT_EQ(link->currentPort(), 1);
}

TEST_F(MeterLinkTest, WithoutABridgeTheSavedPortIsOpenedOfflineAndTheRecordingStops) {
    makeLink(3);
    link->OpenMeterPort();
    store.run(1);
    port->deliver(liveFrame(250));
    ASSERT_TRUE(store.recording());
    port->openedDevices.clear();
    port->written.clear();
    QSignalSpy stopped(&doc, &CKVDoc::recordingStopped);

    link->ScanForMeterPort();

    EXPECT_EQ(port->openedDevices, QStringList{QStringLiteral("/dev/ttyUSB2")});
    EXPECT_TRUE(port->written.isEmpty()); // no live request: the watchdog sends it later
    EXPECT_TRUE(doc.linkOffline());
    EXPECT_FALSE(store.recording());
    EXPECT_FALSE(store.runEnabled());
    EXPECT_EQ(stopped.count(), 1);
}

TEST_F(MeterLinkTest, ADeviceOverrideStandsForTheBridgeAndKeepsThePortNumber) {
    makeLink(20); // whatever the settings file says
    link->setDeviceOverride(QStringLiteral("/tmp/meter-link"));

    link->ScanForMeterPort();

    EXPECT_EQ(port->openedDevices.last(), QStringLiteral("/tmp/meter-link"));
    EXPECT_EQ(port->writtenBytes(), kLiveRequestBytes);
    EXPECT_EQ(link->currentPort(), 20);
    EXPECT_FALSE(doc.linkOffline());
}

TEST_F(MeterLinkTest, AReopenClosesThePortFirstAndAlwaysResendsTheLiveRequest) {
    goLive();

    link->OpenMeterPort();

    EXPECT_EQ(port->closeCount, 1);
    EXPECT_EQ(port->openedDevices.size(), 1);
    EXPECT_EQ(port->writtenBytes(), kLiveRequestBytes);
}

TEST_F(MeterLinkTest, ManualPortChoiceFollowsTheComPortRules) {
    makeLink(1);
    EXPECT_TRUE(link->portCmdMarked(0));

    EXPECT_TRUE(link->SelectMeterPort(2));
    EXPECT_EQ(port->openedDevices.last(), QStringLiteral("/dev/ttyUSB1"));
    EXPECT_FALSE(link->portCmdMarked(0));
    EXPECT_TRUE(link->portCmdMarked(1));
    EXPECT_TRUE(link->portNoAnswer(2));
    EXPECT_FALSE(link->portNoAnswer(1));

    // The other-ports dialog takes 5..16 only.
    EXPECT_FALSE(link->SelectOtherMeterPort(4));
    EXPECT_FALSE(link->SelectOtherMeterPort(17));
    EXPECT_FALSE(link->SelectMeterPort(0));
    EXPECT_EQ(link->currentPort(), 2);
    EXPECT_EQ(port->openedDevices.size(), 1);

    EXPECT_TRUE(link->SelectOtherMeterPort(12));
    EXPECT_EQ(port->openedDevices.last(), QStringLiteral("/dev/ttyUSB11"));
    EXPECT_EQ(port->written.last(), kLiveRequestBytes);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(link->portCmdMarked(i));
}

TEST_F(MeterLinkTest, AnAcceptedFrameFeedsTheStoreAndStateAndClearsTheNoAnswerFlags) {
    goLive();
    link->onWatchdogTimer();
    link->onWatchdogTimer(); // offline, port commands enabled
    ASSERT_TRUE(doc.linkOffline());
    store.run(1);
    QSignalSpy accepted(link, &MeterLink::frameAccepted);
    QSignalSpy started(&doc, &CKVDoc::recordingStarted);

    port->deliver(liveFrame(-200));

    EXPECT_FALSE(doc.linkOffline());
    EXPECT_FALSE(link->portNoAnswer(1));
    for (int i = 0; i <= MeterLink::kOtherPortsCommand; ++i)
        EXPECT_FALSE(link->portCmdEnabled(i));
    EXPECT_FLOAT_EQ(store.channelSamples()[kT1][0], -20.0f);
    EXPECT_EQ(store.runStartTime(), 1577000000);
    EXPECT_EQ(state.readingText()[0].empty(), false);
    EXPECT_EQ(state.statHistoryCount(), 1);
    ASSERT_EQ(accepted.count(), 1);
    EXPECT_EQ(started.count(), 1); // the armed run started: every view redraws

    // A block with a broken checksum changes nothing.
    QByteArray broken = liveFrame(100);
    broken[32] = char(broken[32] + 1);
    port->deliver(broken);
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_EQ(state.statHistoryCount(), 1);
}

TEST_F(MeterLinkTest, TheLimitsAreCheckedAfterEveryReceiveEventWhateverItHeld) {
    goLive();
    store.run(1);
    for (int i = 0; i < kFreshReadingLimit; ++i) {
        port->deliver(liveFrame(i % 1000));
        store.onSampleTick();
    }
    // The event that carried the last frame came before its tick: still recording.
    ASSERT_TRUE(store.recording());
    QSignalSpy stopped(&doc, &CKVDoc::recordingStopped);

    port->deliver(QByteArray(33, '\x01'));

    EXPECT_FALSE(store.recording());
    EXPECT_EQ(stopped.count(), 1);
}

TEST_F(MeterLinkTest, TheWatchdogDeclaresSilenceOfflineInTheSecondPeriodAndRetriesEveryPeriod) {
    goLive();
    port->deliver(liveFrame(250));
    store.run(1);
    port->deliver(liveFrame(250));

    link->onWatchdogTimer(); // a frame came in this period
    EXPECT_FALSE(doc.linkOffline());
    EXPECT_TRUE(port->written.isEmpty());

    link->onWatchdogTimer(); // none in this one
    EXPECT_TRUE(doc.linkOffline());
    EXPECT_FALSE(store.recording());
    EXPECT_TRUE(link->portCmdEnabled(0));
    EXPECT_EQ(port->writtenBytes(), kLiveRequestBytes);

    link->onWatchdogTimer();
    EXPECT_EQ(port->written.size(), 2);

    port->deliver(liveFrame(250));
    EXPECT_FALSE(doc.linkOffline());
}

TEST_F(MeterLinkTest, APortThisUserMayNotOpenIsToldOncePerDeviceWhateverTheRetries) {
    enumerator->ports = {bridge(QStringLiteral("/dev/ttyUSB0"))};
    makeLink();
    QSignalSpy messages(link, &MeterLink::message);
    port->denyOpens();

    link->ScanForMeterPort();
    EXPECT_EQ(messages.count(), 0); // never from inside the scan itself
    QCoreApplication::processEvents();
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages[0][0].toString(), portPermissionMessage(QStringLiteral("/dev/ttyUSB0")));

    for (int period = 0; period < 3; ++period)
        link->onWatchdogTimer(); // offline from the second period on: each reopens
    link->ScanForMeterPort();
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.count(), 1);
    EXPECT_TRUE(doc.linkOffline());

    enumerator->ports = {bridge(QStringLiteral("/dev/ttyUSB1"))};
    link->ScanForMeterPort();
    QCoreApplication::processEvents();
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages[1][0].toString(), portPermissionMessage(QStringLiteral("/dev/ttyUSB1")));

    // Any other failure to open stays silent; the watchdog keeps retrying.
    port->failOpensWith(QStringLiteral("No such file or directory"));
    enumerator->ports = {bridge(QStringLiteral("/dev/ttyUSB2"))};
    link->ScanForMeterPort();
    link->onWatchdogTimer();
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.count(), 2);

    port->failOpensWith({});
    link->onWatchdogTimer();
    EXPECT_EQ(port->openedDevices.last(), QStringLiteral("/dev/ttyUSB2"));
}

TEST_F(MeterLinkTest, TheWatchdogNeverFiresDuringADownload) {
    goLive();
    link->StartLoggerDownload();
    port->written.clear();

    for (int i = 0; i < 5; ++i)
        link->onWatchdogTimer();

    EXPECT_FALSE(doc.linkOffline());
    EXPECT_TRUE(port->written.isEmpty());
    EXPECT_TRUE(link->downloadMode());
}

TEST_F(MeterLinkTest, ThePeriodicCommandIsWrittenWhateverTheLinkState) {
    makeLink();

    link->onPeriodicCommandTimer(); // the port was never opened and no frame came

    EXPECT_EQ(port->openedDevices.size(), 1);
    EXPECT_EQ(port->writtenBytes(), bytes({0xAA, 0x55, 0x22}));
}

TEST_F(MeterLinkTest, APortListChangeOrABrokenDeviceSchedulesOneScan) {
    goLive();
    link->startTimers();

    link->onPortListTimer();
    EXPECT_FALSE(link->scanPending());

    enumerator->ports.append({QStringLiteral("/dev/ttyS4"), std::nullopt});
    link->onPortListTimer();
    EXPECT_TRUE(link->scanPending());
    link->onScanTimer();
    EXPECT_FALSE(link->scanPending());

    port->breakDown(QStringLiteral("device removed"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(comm.portOpen());
    EXPECT_TRUE(link->scanPending());
}

TEST_F(MeterLinkTest, TheLoggerRequestIsWrittenThreeTimesAndOnlyWhatFollowsCountsAsReply) {
    goLive();

    link->StartLoggerDownload();
    EXPECT_EQ(port->writtenBytes(), kLoggerRequestBytes);
    EXPECT_FALSE(link->liveMode());
    EXPECT_TRUE(link->answerWatchActive());
    // Frames are no live frames now, and a reply amid the requests is not the one wanted.
    port->deliver(liveFrame(250));
    EXPECT_EQ(state.statHistoryCount(), 0);
    port->deliver(headerReply(30));
    const int clearsBefore = port->inputClears;
    link->onLoggerRequestTimer();
    link->onLoggerRequestTimer();
    EXPECT_EQ(port->writtenBytes(),
              kLoggerRequestBytes + kLoggerRequestBytes + kLoggerRequestBytes);
    EXPECT_EQ(port->inputClears, clearsBefore + 1);
    link->onLoggerRequestTimer();
    EXPECT_EQ(port->written.size(), 3);
    EXPECT_EQ(link->downloadTotal(), 0);

    // The reply may come in pieces.
    const QByteArray reply = headerReply(30);
    port->deliver(reply.first(1));
    port->deliver(reply.sliced(1, 7));
    EXPECT_EQ(link->downloadTotal(), 0);
    port->deliver(reply.sliced(8));
    EXPECT_EQ(link->downloadTotal(), 40);
    EXPECT_EQ(port->written.last(), kStreamRequestBytes);
}

TEST_F(MeterLinkTest, ALiveFrameAfterTheRequestsIsNoHeaderReplyWhateverPairItHolds) {
    goLive();
    QSignalSpy finished(link, &MeterLink::downloadFinished);
    requestHeader();
    port->written.clear();

    // T1 = 18.7 C ends in 0xBB and T2 = 2184.0 C begins with 0x55: read from there, the
    // frame is a reply announcing an empty memory.
    port->deliver(liveFrame(0x00BB, 0x5550));
    port->deliver(liveFrame(0x00BB, 0x5550));
    QCoreApplication::processEvents();

    EXPECT_TRUE(port->written.isEmpty());
    EXPECT_EQ(link->downloadTotal(), 0);
    EXPECT_FALSE(link->downloadWindowPending());
    link->onAnswerWatchTimer();
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].value<DownloadResult>(), DownloadResult::NoAnswer);
    EXPECT_EQ(port->written.last(), kLiveRequestBytes);
}

TEST_F(MeterLinkTest, AnEmptyMemoryShowsTheMessageAndReturnsToLiveFrames) {
    goLive();
    QSignalSpy finished(link, &MeterLink::downloadFinished);
    QSignalSpy messages(link, &MeterLink::message);

    startDownloadWithHeader(0);

    EXPECT_TRUE(link->liveMode());
    EXPECT_TRUE(link->downloadDone());
    EXPECT_FALSE(link->downloadWindowPending());
    EXPECT_EQ(port->written.last(), kLiveRequestBytes);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].value<DownloadResult>(), DownloadResult::Empty);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages[0][0].toString(), QStringLiteral("There is no data on the RAM!"));
}

TEST_F(MeterLinkTest, AMemoryWithDataIsFetchedDecodedAndTheLinkGoesLiveAgain) {
    goLive();
    QSignalSpy started(link, &MeterLink::downloadStarted);
    QSignalSpy finished(link, &MeterLink::downloadFinished);
    requestHeader();
    port->deliver(headerReply(30, 1));

    EXPECT_TRUE(link->downloadWindowPending());
    EXPECT_EQ(port->written.last(), kStreamRequestBytes);
    EXPECT_EQ(comm.rThreshold(), 40);
    link->onDownloadWindowTimer();
    EXPECT_EQ(started.count(), 1);

    port->deliver(loggerStream(19));

    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].value<DownloadResult>(), DownloadResult::Data);
    EXPECT_EQ(loggerStore.loggerUnit, 1);
    EXPECT_EQ(loggerStore.setCount, 1);
    EXPECT_EQ(loggerStore.setFirstReading, (std::vector<std::int32_t>{0, 2}));
    EXPECT_FLOAT_EQ(loggerStore.readings[0], 25.0f);
    EXPECT_TRUE(link->liveMode());
    EXPECT_TRUE(link->downloadDone());
    EXPECT_EQ(port->written.last(), kLiveRequestBytes);
    EXPECT_EQ(comm.rThreshold(), 33);
}

TEST_F(MeterLinkTest, ALongStreamComesInTwentyThousandByteBlocksAndARemainder) {
    goLive();
    startDownloadWithHeader(45000);
    QSignalSpy progress(link, &MeterLink::downloadProgress);
    const QByteArray stream = loggerStream(45010 - 21);

    EXPECT_EQ(comm.rThreshold(), 20000);
    port->deliver(stream.first(19999));
    EXPECT_EQ(progress.count(), 0);
    EXPECT_EQ(link->downloadBytesArrived(), 19999);
    port->deliver(stream.sliced(19999, 1));
    EXPECT_EQ(link->downloadReceived(), 20000);
    EXPECT_EQ(comm.rThreshold(), 20000);
    port->deliver(stream.sliced(20000, 20000));
    EXPECT_EQ(link->downloadReceived(), 40000);
    EXPECT_EQ(comm.rThreshold(), 5010);
    port->deliver(stream.sliced(40000));

    EXPECT_TRUE(link->downloadDone());
    EXPECT_EQ(link->downloadReceived(), 45010);
    EXPECT_EQ(progress.count(), 3);
}

TEST_F(MeterLinkTest, OversizedAndHeaderlessMemoriesEndAsRefusedAndEmpty) {
    goLive();
    QSignalSpy finished(link, &MeterLink::downloadFinished);
    QSignalSpy messages(link, &MeterLink::message);

    startDownloadWithHeader(150000);
    EXPECT_TRUE(link->liveMode());
    EXPECT_EQ(port->written.last(), kLiveRequestBytes);

    startDownloadWithHeader(90);
    port->deliver(QByteArray(100, '\x11'));
    QCoreApplication::processEvents();

    ASSERT_EQ(finished.count(), 2);
    EXPECT_EQ(finished[0][0].value<DownloadResult>(), DownloadResult::Refused);
    EXPECT_EQ(finished[1][0].value<DownloadResult>(), DownloadResult::Empty);
    ASSERT_EQ(messages.count(), 2);
    EXPECT_TRUE(messages[0][0].toString().contains(QStringLiteral("150000")));
    EXPECT_EQ(messages[1][0].toString(), QStringLiteral("There is no data on the RAM!"));
    EXPECT_EQ(loggerStore.downloadStoreReady, 0);
}

TEST_F(MeterLinkTest, TheAnswerWatchReturnsASilentMeterToLiveMode) {
    goLive();
    port->deliver(liveFrame(250));
    ASSERT_FALSE(link->portCmdEnabled(MeterLink::kOtherPortsCommand));
    QSignalSpy finished(link, &MeterLink::downloadFinished);
    link->StartLoggerDownload();
    port->written.clear();

    link->onAnswerWatchTimer();

    EXPECT_TRUE(link->liveMode());
    EXPECT_FALSE(link->answerWatchActive());
    EXPECT_TRUE(link->portCmdEnabled(MeterLink::kOtherPortsCommand));
    EXPECT_EQ(port->writtenBytes(), kLiveRequestBytes);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].value<DownloadResult>(), DownloadResult::NoAnswer);
}

TEST_F(MeterLinkTest, AStalledStreamIsGivenUpAfterOneAndAHalfTimesItsLengthPlusFiveSeconds) {
    goLive();
    QSignalSpy finished(link, &MeterLink::downloadFinished);
    startDownloadWithHeader(990);
    port->written.clear();

    EXPECT_EQ(link->startDownloadGiveUp(), 6500);
    port->deliver(loggerStream(400));
    link->onGiveUpTimer();

    EXPECT_TRUE(link->liveMode());
    EXPECT_FALSE(link->downloadDone());
    EXPECT_TRUE(port->written.isEmpty()); // the watchdog restarts the port
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].value<DownloadResult>(), DownloadResult::GivenUp);
}

TEST_F(MeterLinkTest, AScanDuringADownloadLeavesItAloneWhileItsPortWorksAndEndsItOtherwise) {
    goLive();
    QSignalSpy finished(link, &MeterLink::downloadFinished);
    startDownloadWithHeader(30);
    port->written.clear();

    enumerator->ports.append({QStringLiteral("/dev/ttyS0"), std::nullopt});
    link->ScanForMeterPort();
    EXPECT_TRUE(link->downloadMode());
    EXPECT_TRUE(port->written.isEmpty());

    // The port broke down and cannot be opened again.
    comm.setPortOpen(false);
    port->failOpensWith(QStringLiteral("No such file or directory"));
    link->ScanForMeterPort();
    EXPECT_TRUE(link->liveMode());
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].value<DownloadResult>(), DownloadResult::Lost);

    port->failOpensWith(QString());
    startDownloadWithHeader(30);
    enumerator->ports.clear();
    link->ScanForMeterPort();
    EXPECT_TRUE(link->liveMode());
    EXPECT_TRUE(doc.linkOffline());
    ASSERT_EQ(finished.count(), 2);
    EXPECT_EQ(finished[1][0].value<DownloadResult>(), DownloadResult::Lost);
}

TEST_F(MeterLinkTest, TheLinkEndCommandReopensThePortAndWritesIt) {
    goLive();

    link->sendLinkEnd();

    EXPECT_EQ(port->closeCount, 1);
    EXPECT_EQ(port->writtenBytes(), bytes({0xAA, 0x55, 0x0E}));
}
