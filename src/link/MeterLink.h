#pragma once

#include "link/LiveFrame.h"
#include "link/LoggerDownload.h"
#include "link/LoggerStreamDecoder.h"
#include "link/MeterCommands.h"
#include "link/PortEnumerator.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <span>

namespace calorant {

class CMSComm;

// How a logger download ended.
enum class DownloadResult {
    Data,     // decoded and handed over (loggerMemoryDownloaded)
    Empty,    // the meter's memory holds no record set
    NoAnswer, // the meter did not answer the request in time
    GivenUp,  // the stream did not complete in time
    Refused,  // the meter announced more than a download can hold
    Lost,     // the meter's port went away or changed during the download
};

// The link to the meter: finding its port, keeping the live stream of frames alive,
// the five-minute command, and the logger download. It keeps no store: it emits what
// it decoded (an accepted frame with its arrival time, a logger memory, silence), and
// the document (DocumentLink wires the two) applies it. The main window and
// calorant-cli drive the very same pair.
//
// Everything runs on the thread of the event loop. The timers call the public handlers
// below; tests call those directly instead of waiting. The link never shows anything
// itself: it reports through signals. Messages are emitted from the event loop, never
// from inside the port's receive event, so that a modal message box cannot hold up the
// input; the other signals come straight from where they happen (often the receive
// event), so a slot that does modal work must be connected with Qt::QueuedConnection.
//
// Ports are numbered 1..16 (mapped to device names by PortName.h). A device override
// (--device PATH) stands for the meter's bridge: every scan finds it, and the port
// number, which is only written back to the settings file, stays as it was.
class MeterLink : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxPortNumber = 16;
    static constexpr int kPortFlagCount = 20;
    static constexpr int kFixedPortCommands = 4; // COM1..COM4
    static constexpr int kOtherPortsCommand = 4; // index of the "Other comports" flag

    static constexpr int kDownloadWindowDelayMs = 1;  // timer 1
    static constexpr int kPeriodicCommandMs = 300000; // timer 2
    static constexpr int kAnswerWatchMs = 3000;       // timer 3
    static constexpr int kScanDelayMs = 1000;         // timer 4
    static constexpr int kWatchdogMs = 5000;          // the view's timer 2
    static constexpr int kPortListWatchMs = 1000;
    static constexpr int kLoggerRequestSpacingMs = 100;
    static constexpr int kLoggerRequestCount = 3;

    static constexpr const char* kPortOver16Message =
        "The Cp210x driver COM port is over 16!\nPlease close the software panel,and try to "
        "change the Cp210x COM port under 16 at the Device Manager of your computer.";

    // `savedPort` is the port number of the settings file. The link neither owns nor
    // outlives the port control it is given.
    MeterLink(CMSComm& comm, std::unique_ptr<PortEnumerator> ports, int savedPort,
              QObject* parent = nullptr);
    ~MeterLink() override;

    // Use this device as the meter's bridge instead of looking for one.
    void setDeviceOverride(const QString& device);
    QString deviceOverride() const { return deviceOverride_; }
    // Where frame arrival times come from (the system clock by default).
    void setClock(std::function<std::time_t()> clock);

    // Starts the five-minute command, the watchdog and the port-list watch.
    void startTimers();
    // Runs the port scan one second from now (timer 4), as at start-up and after a
    // device change; a pending scan is pushed back, so a burst of changes gives one scan.
    // After the link-end command nothing is scanned until the timers start again.
    void scheduleScan();

    // --- link operations ------------------------------------------------------------

    // The port control's receive event: live frames, then the download, then the end of
    // the event (where the recording's limits are judged).
    void OnCommEvent();
    // (Re)starts the live link on the current port: close, configure, open, discard
    // pending input, write the live request. Failures are dropped: the watchdog retries.
    void OpenMeterPort();
    // Manual choice of port 1..16 (COM1..COM4 commands). False, and nothing changes, for
    // any other number.
    [[nodiscard]] bool SelectMeterPort(int port);
    // The "Other comports" dialog: only 5..16 are taken.
    [[nodiscard]] bool SelectOtherMeterPort(int port);
    // Finds the meter's bridge and opens it, or falls back to the saved port, offline.
    void ScanForMeterPort();
    // The Data Logger command: download mode, three header requests 100 ms apart (the
    // reply is looked for only in what follows the third), and the answer watch. The caller
    // prepares the logger viewer's flags.
    void StartLoggerDownload();
    // Gives the stream downloadTotal * 1.5 + 5000 ms from now; after that the download
    // ends as GivenUp, back in live mode without decoding. Returns the time given, or 0
    // (nothing started) when no header has announced a stream.
    int startDownloadGiveUp();

    // Writes a key command (opening a closed port first); a failure loses the command.
    void sendCommand(const MeterCommand& command);
    // The power-off command, three times.
    void powerOff();
    // The link-end command written when the programme closes: every timer of the link
    // stops first, then reopen the port, discard input, write 0xAA 0x55 0x0E. Failures
    // are dropped.
    void sendLinkEnd();

    // --- timer handlers -----------------------------------------------------------------

    void onDownloadWindowTimer();  // timer 1: the progress window may show
    void onPeriodicCommandTimer(); // timer 2: 0xAA 0x55 0x22
    void onAnswerWatchTimer();     // timer 3: no header reply means back to live
    void onScanTimer();            // timer 4: ScanForMeterPort
    void onWatchdogTimer();        // no frame for a whole period: offline and reopen
    void onPortListTimer();        // a serial port came or went: scan a second later
    void onLoggerRequestTimer();   // the second and third header request
    void onGiveUpTimer();

    // --- state ------------------------------------------------------------------------

    int currentPort() const { return currentPort_; }
    int savedPort() const { return savedPort_; }
    bool liveMode() const { return liveMode_; }
    bool downloadMode() const { return downloadMode_; }
    // No frame accepted on `port` since the flag was last set; false for ports outside
    // the table.
    bool portNoAnswer(int port) const;
    // COM1..COM4 (0..3) and "Other comports" (kOtherPortsCommand).
    bool portCmdEnabled(int command) const;
    // Radio marks of COM1..COM4 (0..3).
    bool portCmdMarked(int command) const;

    bool downloadDone() const { return downloadDone_; }
    int downloadTotal() const { return download_.downloadTotal(); }
    int downloadReceived() const { return download_.downloadReceived(); }
    // Stream bytes that have arrived, including those the port holds until the next
    // receive event (what a progress display shows).
    int downloadBytesArrived() const;
    const LoggerDownload& download() const { return download_; }
    // The progress window's timer (timer 1) is pending.
    bool downloadWindowPending() const { return downloadWindowTimer_.isActive(); }
    bool answerWatchActive() const { return answerWatchTimer_.isActive(); }
    // A port scan is due (timer 4).
    bool scanPending() const { return scanTimer_.isActive(); }

signals:
    // One live frame was accepted, after the port watch has noted the answer.
    void frameAccepted(const calorant::LiveFrame& frame);
    // A receive event has been handled, whatever it held.
    void commEventHandled();
    // The meter answered a logger request: it is there, though no frame came.
    void meterAnswered();
    // No frame for a whole watch period, or no meter port found: the meter is silent
    // and a recording must end.
    void meterSilent();
    // The meter's bridge has a port number the link cannot use: offline.
    void meterUnreachable();
    // A complete logger stream, split into its record sets; downloadFinished(Data)
    // follows.
    void loggerMemoryDownloaded(const calorant::DecodedLoggerMemory& memory);
    // portCmdEnabled or portCmdMarked changed.
    void portCommandsChanged();
    // The header announced a stream: the progress window may show (timer 1). Comes at
    // most once per download, and never after downloadFinished.
    void downloadStarted();
    void downloadProgress(int received, int total);
    void downloadFinished(calorant::DownloadResult result);
    // A message for the user (caption "Calorant" in the GUI).
    void message(const QString& text);

private:
    void handleLiveBlock(std::span<const std::uint8_t> block);
    void handleDownloadBlock(std::span<const std::uint8_t> block);
    void askForStream();
    void completeDownload();
    void enterLiveMode();
    void returnToLive();
    void finishDownload(DownloadResult result);
    void endDownloadForScan();
    void fallBackToSavedPort();
    void refuseBridge();
    void namePort();
    void setPortCommandsEnabled(bool enabled);
    void markPort(int port);
    void queueMessage(const QString& text);
    void onPortFailed();
    void onOpenDenied(const QString& device);
    std::uint8_t& noAnswerFlag(int port);
    bool writeCommand(const MeterCommand& command);

    CMSComm& comm_;
    std::unique_ptr<PortEnumerator> ports_;
    std::function<std::time_t()> clock_;
    QString deviceOverride_;

    int currentPort_ = 1;
    int savedPort_ = 1;
    bool liveMode_ = true;
    bool downloadMode_ = false;
    std::array<std::uint8_t, kPortFlagCount> portNoAnswer_{};
    // Ports outside the table (a settings file may name any number) share this flag.
    std::uint8_t otherPortNoAnswer_ = 0;
    std::array<bool, kFixedPortCommands + 1> portCmdEnabled_{};
    std::array<bool, kFixedPortCommands> portCmdMarked_{};
    QStringList knownDevices_;
    // Devices whose permission message has been shown.
    QStringList deniedDevicesTold_;

    LoggerDownload download_;
    bool downloadDone_ = false;
    int loggerRequestsSent_ = 0;

    bool ended_ = false; // the link-end command went out

    QTimer downloadWindowTimer_;
    QTimer periodicTimer_;
    QTimer answerWatchTimer_;
    QTimer scanTimer_;
    QTimer watchdogTimer_;
    QTimer portListTimer_;
    QTimer loggerRequestTimer_;
    QTimer giveUpTimer_;
};

} // namespace calorant

Q_DECLARE_METATYPE(calorant::DownloadResult)
Q_DECLARE_METATYPE(calorant::LiveFrame)
Q_DECLARE_METATYPE(calorant::DecodedLoggerMemory)
