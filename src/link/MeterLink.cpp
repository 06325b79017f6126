#include "link/MeterLink.h"

#include "link/ByteArrayView.h"
#include "link/CMSComm.h"
#include "link/LiveFrame.h"
#include "link/MeterPortCommands.h"
#include "link/PortName.h"
#include "link/PortPermission.h"

#include <QByteArray>
#include <QMetaObject>
#include <algorithm>

namespace calorant {

MeterLink::MeterLink(CMSComm& comm, std::unique_ptr<PortEnumerator> ports, int savedPort,
                     QObject* parent)
    : QObject(parent), comm_(comm), ports_(std::move(ports)),
      clock_([] { return std::time(nullptr); }), currentPort_(savedPort), savedPort_(savedPort) {
    markPort(savedPort);
    portCmdEnabled_.fill(true);
    noAnswerFlag(currentPort_) = 1;

    connect(&comm_, &CMSComm::onComm, this, &MeterLink::OnCommEvent);
    connect(&comm_, &CMSComm::portFailed, this, &MeterLink::onPortFailed);
    connect(&comm_, &CMSComm::openDenied, this, &MeterLink::onOpenDenied);

    const auto setUp = [this](QTimer& timer, int intervalMs, bool singleShot, auto handler) {
        timer.setParent(this); // the link-end command finds them all to stop them
        timer.setInterval(intervalMs);
        timer.setSingleShot(singleShot);
        connect(&timer, &QTimer::timeout, this, handler);
    };
    setUp(downloadWindowTimer_, kDownloadWindowDelayMs, true, &MeterLink::onDownloadWindowTimer);
    setUp(periodicTimer_, kPeriodicCommandMs, false, &MeterLink::onPeriodicCommandTimer);
    setUp(answerWatchTimer_, kAnswerWatchMs, false, &MeterLink::onAnswerWatchTimer);
    setUp(scanTimer_, kScanDelayMs, true, &MeterLink::onScanTimer);
    setUp(watchdogTimer_, kWatchdogMs, false, &MeterLink::onWatchdogTimer);
    setUp(portListTimer_, kPortListWatchMs, false, &MeterLink::onPortListTimer);
    setUp(loggerRequestTimer_, kLoggerRequestSpacingMs, false, &MeterLink::onLoggerRequestTimer);
    setUp(giveUpTimer_, 0, true, &MeterLink::onGiveUpTimer);
    // A coarse timer may fire up to 5 % early, which would give a long stream less than
    // the time it is owed.
    giveUpTimer_.setTimerType(Qt::PreciseTimer);
}

MeterLink::~MeterLink() = default;

void MeterLink::setDeviceOverride(const QString& device) {
    deviceOverride_ = device;
}

void MeterLink::setClock(std::function<std::time_t()> clock) {
    clock_ = std::move(clock);
}

void MeterLink::startTimers() {
    ended_ = false;
    knownDevices_ = deviceList(ports_->availablePorts());
    periodicTimer_.start();
    watchdogTimer_.start();
    portListTimer_.start();
}

void MeterLink::scheduleScan() {
    if (!ended_)
        scanTimer_.start();
}

// --- receive event ------------------------------------------------------------------

void MeterLink::OnCommEvent() {
    if (comm_.commEvent() != CMSComm::kCommEventReceive)
        return;
    const QByteArray input = comm_.input();
    const std::span<const std::uint8_t> block = byteSpan(input);
    if (liveMode_)
        handleLiveBlock(block);
    if (downloadMode_)
        handleDownloadBlock(block);
    emit commEventHandled();
}

void MeterLink::handleLiveBlock(std::span<const std::uint8_t> block) {
    const std::optional<LiveFrame> frame = decodeLiveFrame(block, clock_());
    if (!frame)
        return;
    noAnswerFlag(currentPort_) = 0;
    setPortCommandsEnabled(false);
    emit frameAccepted(*frame);
}

void MeterLink::handleDownloadBlock(std::span<const std::uint8_t> block) {
    switch (download_.onBlock(block)) {
    case DownloadStep::Ignored:
        return;
    case DownloadStep::Empty:
        emit meterAnswered();
        returnToLive();
        downloadDone_ = true;
        queueMessage(QString::fromLatin1(kNoDataMessage));
        finishDownload(DownloadResult::Empty);
        return;
    case DownloadStep::Refused:
        emit meterAnswered();
        returnToLive();
        downloadDone_ = true;
        queueMessage(QString::fromStdString(oversizedMemoryMessage(download_.announcedLength())));
        finishDownload(DownloadResult::Refused);
        return;
    case DownloadStep::Announced:
        askForStream();
        return;
    case DownloadStep::Receiving:
        comm_.setRThreshold(download_.receiveThreshold());
        emit downloadProgress(download_.downloadReceived(), download_.downloadTotal());
        return;
    case DownloadStep::Complete:
        emit downloadProgress(download_.downloadReceived(), download_.downloadTotal());
        completeDownload();
        return;
    }
}

// --- logger download -----------------------------------------------------------------

void MeterLink::StartLoggerDownload() {
    giveUpTimer_.stop();
    downloadWindowTimer_.stop();
    loggerRequestTimer_.stop();
    liveMode_ = false;
    downloadMode_ = true;
    downloadDone_ = false;
    download_.start();
    loggerRequestsSent_ = 0;
    comm_.setRThreshold(download_.receiveThreshold());
    if (comm_.setInputMode(CMSComm::kInputModeBinary) && comm_.setInputLen(0) &&
        comm_.setInBufferCount(0))
        onLoggerRequestTimer();
    answerWatchTimer_.start();
}

void MeterLink::onLoggerRequestTimer() {
    if (!downloadMode_ || loggerRequestsSent_ >= kLoggerRequestCount ||
        !writeCommand(meterCommand(kLoggerRequest))) {
        loggerRequestTimer_.stop();
        return;
    }
    if (++loggerRequestsSent_ < kLoggerRequestCount) {
        if (!loggerRequestTimer_.isActive())
            loggerRequestTimer_.start();
        return;
    }
    loggerRequestTimer_.stop();
    // The meter answers when the requests have stopped: what came before is no reply.
    if (comm_.setInBufferCount(0))
        download_.listenForReply();
}

void MeterLink::askForStream() {
    emit meterAnswered();
    answerWatchTimer_.stop();
    loggerRequestTimer_.stop();
    downloadWindowTimer_.start();
    comm_.setRThreshold(download_.receiveThreshold());
    if (comm_.setInputLen(0) && comm_.setInBufferCount(0))
        writeCommand(meterCommand(kLoggerContinue));
    emit downloadProgress(0, download_.downloadTotal());
}

void MeterLink::completeDownload() {
    const DecodedLoggerMemory memory =
        decodeLoggerStream(download_.stream(), download_.loggerUnit());
    returnToLive();
    downloadDone_ = true;
    if (memory.setCount() == 0) {
        queueMessage(QString::fromLatin1(kNoDataMessage));
        finishDownload(DownloadResult::Empty);
    } else {
        emit loggerMemoryDownloaded(memory);
        finishDownload(DownloadResult::Data);
    }
}

void MeterLink::onAnswerWatchTimer() {
    if (!downloadMode_ || download_.downloadTotal() != 0)
        return;
    enterLiveMode();
    setPortCommandsEnabled(true);
    comm_.setPortOpen(false);
    OpenMeterPort();
    noAnswerFlag(currentPort_) = 1;
    finishDownload(DownloadResult::NoAnswer);
}

int MeterLink::startDownloadGiveUp() {
    if (!downloadMode_ || download_.downloadTotal() <= 0)
        return 0;
    const long double limitMs =
        static_cast<long double>(download_.downloadTotal()) * 1.5L + 5000.0L;
    const int giveUpMs = static_cast<int>(limitMs);
    giveUpTimer_.start(giveUpMs);
    return giveUpMs;
}

void MeterLink::onGiveUpTimer() {
    giveUpTimer_.stop();
    if (!downloadMode_)
        return;
    // The port is left as it is: no frame comes in, so the watchdog restarts the link.
    enterLiveMode();
    finishDownload(DownloadResult::GivenUp);
}

void MeterLink::onDownloadWindowTimer() {
    downloadWindowTimer_.stop();
    if (downloadMode_)
        emit downloadStarted();
}

int MeterLink::downloadBytesArrived() const {
    if (!download_.receiving())
        return download_.downloadReceived();
    return std::min(download_.downloadTotal(),
                    download_.downloadReceived() + comm_.inBufferCount());
}

void MeterLink::enterLiveMode() {
    liveMode_ = true;
    downloadMode_ = false;
}

void MeterLink::returnToLive() {
    OpenMeterPort();
    enterLiveMode();
}

void MeterLink::finishDownload(DownloadResult result) {
    answerWatchTimer_.stop();
    loggerRequestTimer_.stop();
    giveUpTimer_.stop();
    downloadWindowTimer_.stop();
    emit downloadFinished(result);
}

void MeterLink::endDownloadForScan() {
    if (!downloadMode_)
        return;
    enterLiveMode();
    finishDownload(DownloadResult::Lost);
}

// --- port --------------------------------------------------------------------------------

void MeterLink::OpenMeterPort() {
    namePort();
    openLivePort(comm_);
}

bool MeterLink::SelectMeterPort(int port) {
    if (port < 1 || port > kMaxPortNumber)
        return false;
    comm_.setPortOpen(false);
    currentPort_ = port;
    deviceOverride_.clear();
    endDownloadForScan();
    enterLiveMode();
    OpenMeterPort();
    portNoAnswer_.fill(0);
    otherPortNoAnswer_ = 0;
    noAnswerFlag(port) = 1;
    markPort(port);
    emit portCommandsChanged();
    return true;
}

bool MeterLink::SelectOtherMeterPort(int port) {
    if (port <= kFixedPortCommands || port > kMaxPortNumber)
        return false;
    return SelectMeterPort(port);
}

void MeterLink::ScanForMeterPort() {
    const std::optional<QString> bridge = deviceOverride_.isEmpty()
                                              ? findMeterBridge(ports_->availablePorts())
                                              : std::optional<QString>(deviceOverride_);
    if (!bridge) {
        fallBackToSavedPort();
        return;
    }
    // A named device is no numbered port: the number it keeps is only written back.
    const int number = deviceOverride_.isEmpty() ? portNumberForDevice(*bridge) : currentPort_;
    if (deviceOverride_.isEmpty() && (number < 1 || number > kMaxPortNumber)) {
        refuseBridge();
        return;
    }
    // A device change elsewhere must not break off a download from a port that is still
    // there.
    if (downloadMode_ && number == currentPort_ && comm_.portOpen())
        return;
    currentPort_ = number;
    comm_.setPortOpen(false);
    namePort();
    if (!comm_.setPortOpen(true)) {
        comm_.setPortOpen(false);
        endDownloadForScan(); // its stream cannot come through a closed port
        return;
    }
    endDownloadForScan();
    enterLiveMode();
    OpenMeterPort();
}

void MeterLink::fallBackToSavedPort() {
    comm_.setPortOpen(false);
    currentPort_ = savedPort_;
    namePort();
    // Opened without the live request: the watchdog runs the open sequence later.
    if (!comm_.setPortOpen(true))
        comm_.setPortOpen(false);
    emit meterSilent();
    endDownloadForScan();
    enterLiveMode();
}

void MeterLink::refuseBridge() {
    comm_.setPortOpen(false);
    queueMessage(QString::fromLatin1(kPortOver16Message));
    emit meterUnreachable();
    endDownloadForScan();
}

void MeterLink::namePort() {
    if (!deviceOverride_.isEmpty())
        comm_.setDevicePath(deviceOverride_);
    else if (!comm_.setCommPort(currentPort_))
        comm_.setDevicePath(QString()); // a number no device has: opening fails
}

void MeterLink::onPortFailed() {
    // The device is gone or broken and the port closed: look again, as after an unplug.
    scheduleScan();
}

void MeterLink::onOpenDenied(const QString& device) {
    // Once per device: the watchdog retries the opening every five seconds.
    if (deniedDevicesTold_.contains(device))
        return;
    deniedDevicesTold_.append(device);
    queueMessage(portPermissionMessage(device));
}

void MeterLink::onScanTimer() {
    scanTimer_.stop();
    ScanForMeterPort();
}

void MeterLink::onPortListTimer() {
    QStringList devices = deviceList(ports_->availablePorts());
    if (devices == knownDevices_)
        return;
    knownDevices_ = std::move(devices);
    scheduleScan();
}

void MeterLink::onWatchdogTimer() {
    if (noAnswerFlag(currentPort_) && !downloadMode_) {
        emit meterSilent();
        setPortCommandsEnabled(true);
        OpenMeterPort();
    }
    noAnswerFlag(currentPort_) = 1;
}

// --- commands ------------------------------------------------------------------------------

void MeterLink::onPeriodicCommandTimer() {
    sendCommand(meterCommand(kPeriodicCommand));
}

void MeterLink::sendCommand(const MeterCommand& command) {
    SendMeterCommand(comm_, command);
}

void MeterLink::powerOff() {
    PowerOff(comm_);
}

void MeterLink::sendLinkEnd() {
    // Nothing may reopen the port and ask for frames again once the link is over.
    ended_ = true;
    for (QTimer* timer : findChildren<QTimer*>(Qt::FindDirectChildrenOnly))
        timer->stop();
    comm_.setPortOpen(false);
    namePort();
    if (comm_.setPortOpen(true) && comm_.setInputLen(0) && comm_.setInBufferCount(0))
        writeCommand(meterCommand(kLinkEnd));
}

bool MeterLink::writeCommand(const MeterCommand& command) {
    return comm_.output(toByteArray(command));
}

// --- flags -----------------------------------------------------------------------------------

bool MeterLink::portNoAnswer(int port) const {
    return port >= 0 && port < kPortFlagCount && portNoAnswer_[static_cast<std::size_t>(port)];
}

bool MeterLink::portCmdEnabled(int command) const {
    return command >= 0 && command <= kOtherPortsCommand &&
           portCmdEnabled_[static_cast<std::size_t>(command)];
}

bool MeterLink::portCmdMarked(int command) const {
    return command >= 0 && command < kFixedPortCommands &&
           portCmdMarked_[static_cast<std::size_t>(command)];
}

std::uint8_t& MeterLink::noAnswerFlag(int port) {
    if (port >= 0 && port < kPortFlagCount)
        return portNoAnswer_[static_cast<std::size_t>(port)];
    return otherPortNoAnswer_;
}

void MeterLink::setPortCommandsEnabled(bool enabled) {
    if (std::all_of(portCmdEnabled_.begin(), portCmdEnabled_.end(),
                    [enabled](bool flag) { return flag == enabled; }))
        return;
    portCmdEnabled_.fill(enabled);
    emit portCommandsChanged();
}

void MeterLink::markPort(int port) {
    for (int i = 0; i < kFixedPortCommands; ++i)
        portCmdMarked_[static_cast<std::size_t>(i)] = port == i + 1;
}

void MeterLink::queueMessage(const QString& text) {
    QMetaObject::invokeMethod(
        this, [this, text] { emit message(text); }, Qt::QueuedConnection);
}

} // namespace calorant
