// The link to the meter as a whole, driven by a script (LinkScript.h): bytes arriving at
// a scripted port in pieces of any size, interleaved with the link's timers firing, the
// event loop's queued calls, the commands of the windows and failing devices, in live
// mode and during logger downloads. After every step the link is in live or in download
// mode, never both, with its download flags and timers agreeing; a download never holds
// more than its buffer; what it emits comes in the order its signals promise; every
// write is one of the meter's commands; and a downloaded memory holds exactly the sets
// of its stream, each showable within the shown set's capacity.
#include "FuzzCheck.h"
#include "LinkScript.h"
#include "LoggerMemoryChecks.h"
#include "link/CMSComm.h"
#include "link/LoggerDownload.h"
#include "link/MeterCommands.h"
#include "link/MeterLink.h"
#include "link/PortEnumerator.h"
#include "support/FakeSerialPort.h"

#include <QCoreApplication>
#include <QList>
#include <QTimer>
#include <QTimerEvent>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <span>

using namespace calorant;
using fuzz::Step;

namespace {

// The system's serial ports, changed by the script.
class ScriptedPortList final : public PortEnumerator {
public:
    QList<SerialPortEntry> ports;
    QList<SerialPortEntry> availablePorts() const override { return ports; }
};

QList<SerialPortEntry> portList(std::uint8_t choice) {
    const SerialPortEntry bridge{QStringLiteral("/dev/ttyUSB0"), kCp210xVendorId};
    switch (choice % 4) {
    case 0:
        return {bridge};
    case 1:
        return {};
    case 2: // another vendor's adapter beside the bridge on ttyUSB3
        return {{QStringLiteral("/dev/ttyUSB0"), 0x0403},
                {QStringLiteral("/dev/ttyUSB3"), kCp210xVendorId}};
    default: // a bridge whose number the link cannot use
        return {{QStringLiteral("/dev/ttyUSB20"), kCp210xVendorId}};
    }
}

constexpr std::array<std::uint8_t, 9> kKeys{
    kUnitKey,         kDifferenceKey,       kHoldKey,        kMaxMinKey, kRecordKey, kPowerKey,
    kPeriodicCommand, kDifferenceKeyDouble, kMaxMinKeyDouble};

bool isMeterCommand(const QByteArray& bytes) {
    if (bytes.size() != 3)
        return false;
    const auto byte = [&bytes](int i) { return static_cast<std::uint8_t>(bytes[i]); };
    if (byte(0) == kPowerOffCommand[0] && byte(1) == kPowerOffCommand[1])
        return byte(2) == kPowerOffCommand[2];
    return byte(0) == kCommandHeader1 && byte(1) == kCommandHeader2;
}

// The script's input, read step by step; reads past its end give nothing.
class ScriptReader {
public:
    ScriptReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool atEnd() const { return at_ >= size_; }
    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::span<const std::uint8_t> bytes(std::size_t count) {
        count = std::min(count, size_ - std::min(at_, size_));
        const std::span<const std::uint8_t> taken(data_ + at_, count);
        at_ += count;
        return taken;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// One download as the link's signals tell it.
struct DownloadWatch {
    bool running = false; // from the Data Logger command to downloadFinished
    bool started = false; // downloadStarted came
    bool memory = false;  // loggerMemoryDownloaded came
};

// CALORANT_FUZZ_TRACE=1 in the environment prints every step and what the link emits,
// to follow a reproducer.
bool tracing() {
    static const bool on = std::getenv("CALORANT_FUZZ_TRACE") != nullptr;
    return on;
}

void trace(const char* what, long long value = 0) {
    if (tracing())
        std::fprintf(stderr, "%s %lld\n", what, value);
}

constexpr const char* kStepNames[fuzz::kStepKinds] = {
    "Deliver",    "FireTimer",    "PostedEvents",  "DataLogger", "GiveUpTime",
    "PortBreaks", "OpenFailures", "WriteFailures", "SelectPort", "PortListChanges",
    "KeyCommand", "PowerOff",     "Scan",          "LinkEnd"};

class LinkRun {
public:
    explicit LinkRun(std::uint8_t setup)
        : port_(new FakeSerialPort), comm_(std::unique_ptr<SerialPort>(port_)),
          ports_(new ScriptedPortList),
          link_(comm_, std::unique_ptr<PortEnumerator>(ports_), fuzz::savedPortOf(setup)) {
        ports_->ports = portList(0);
        link_.setClock([] { return std::time_t(1577000000); });
        watchSignals();
        if (setup & fuzz::kDeviceOverride)
            link_.setDeviceOverride(QStringLiteral("/dev/pts/7"));
        if (setup & fuzz::kStartTimers)
            link_.startTimers();
        link_.scheduleScan();
    }

    void run(ScriptReader& script) {
        while (!script.atEnd()) {
            const int kind = script.byte() % fuzz::kStepKinds;
            trace(kStepNames[kind], link_.liveMode());
            perform(static_cast<Step>(kind), script);
            check();
        }
        QCoreApplication::sendPostedEvents();
        check();
    }

private:
    void perform(Step step, ScriptReader& script) {
        switch (step) {
        case Step::Deliver: {
            const std::size_t length = std::size_t{script.byte()} << 8 | script.byte();
            const std::span<const std::uint8_t> bytes = script.bytes(length);
            port_->deliver(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                      static_cast<qsizetype>(bytes.size())));
            break;
        }
        case Step::FireTimer:
            fireTimer(script.byte());
            break;
        case Step::PostedEvents:
            QCoreApplication::sendPostedEvents();
            break;
        case Step::DataLogger:
            // The command is offered only while the link is live.
            if (link_.liveMode()) {
                download_ = {true, false, false};
                link_.StartLoggerDownload();
            }
            break;
        case Step::GiveUpTime: {
            const int ms = link_.startDownloadGiveUp();
            FUZZ_CHECK(ms == 0 ||
                       (link_.downloadMode() && ms == int(link_.downloadTotal() * 1.5 + 5000)));
            break;
        }
        case Step::PortBreaks:
            port_->breakDown(QStringLiteral("unplugged"));
            break;
        case Step::OpenFailures:
            opensFail_ = !opensFail_;
            port_->failOpensWith(opensFail_ ? QStringLiteral("No such device") : QString());
            break;
        case Step::WriteFailures:
            writesFail_ = !writesFail_;
            port_->failWritesFrom(writesFail_ ? port_->writeAttempts : -1);
            break;
        case Step::SelectPort: {
            const int port = script.byte() % 20;
            FUZZ_CHECK(link_.SelectMeterPort(port) == (port >= 1 && port <= 16));
            break;
        }
        case Step::PortListChanges:
            ports_->ports = portList(script.byte());
            break;
        case Step::KeyCommand:
            link_.sendCommand(meterCommand(kKeys[script.byte() % kKeys.size()]));
            break;
        case Step::PowerOff:
            link_.powerOff();
            break;
        case Step::Scan:
            link_.ScanForMeterPort();
            break;
        case Step::LinkEnd:
            link_.sendLinkEnd();
            link_.startTimers();
            break;
        }
    }

    // The event loop's part: the timer fires as its due time comes, through the event
    // the dispatcher would send it. Only an active timer can fire.
    void fireTimer(std::uint8_t choice) {
        QList<QTimer*> active;
        for (QTimer* timer : link_.findChildren<QTimer*>(Qt::FindDirectChildrenOnly)) {
            if (timer->isActive())
                active.append(timer);
        }
        if (active.isEmpty())
            return;
        std::stable_sort(active.begin(), active.end(), [](const QTimer* a, const QTimer* b) {
            return a->interval() < b->interval();
        });
        QTimer* timer = active[choice % active.size()];
        trace("  timer", timer->interval());
        QTimerEvent event(timer->timerId());
        QCoreApplication::sendEvent(timer, &event);
    }

    void watchSignals() {
        QObject::connect(&link_, &MeterLink::frameAccepted, [this](const LiveFrame&) {
            trace("  frameAccepted");
            FUZZ_CHECK(link_.liveMode());
        });
        QObject::connect(&link_, &MeterLink::downloadStarted, [this] {
            trace("  downloadStarted");
            FUZZ_CHECK(download_.running && !download_.started && link_.downloadMode());
            download_.started = true;
        });
        QObject::connect(&link_, &MeterLink::downloadProgress, [this](int received, int total) {
            FUZZ_CHECK(link_.downloadMode() && total == link_.downloadTotal());
            FUZZ_CHECK(received >= 0 && received <= total && total <= kDownloadBufferCapacity);
        });
        QObject::connect(&link_, &MeterLink::loggerMemoryDownloaded,
                         [this](const DecodedLoggerMemory& memory) {
                             trace("  loggerMemoryDownloaded", memory.setCount());
                             FUZZ_CHECK(download_.running && !download_.memory);
                             download_.memory = true;
                             const std::span<const std::uint8_t> stream = link_.download().stream();
                             FUZZ_CHECK(stream.size() == std::size_t(link_.downloadTotal()));
                             FUZZ_CHECK(memory.setCount() > 0);
                             fuzz::checkDecodedMemory(memory, stream);
                             static LoggerSet shown;
                             fuzz::checkStoredSets(memory, shown);
                         });
        QObject::connect(&link_, &MeterLink::downloadFinished, [this](DownloadResult result) {
            trace("  downloadFinished", static_cast<int>(result));
            FUZZ_CHECK(download_.running && link_.liveMode() && !link_.downloadMode());
            FUZZ_CHECK(download_.memory == (result == DownloadResult::Data));
            download_.running = false;
        });
    }

    void check() {
        FUZZ_CHECK(link_.liveMode() != link_.downloadMode());
        if (link_.downloadMode()) {
            FUZZ_CHECK(download_.running && !link_.downloadDone());
        } else {
            FUZZ_CHECK(!download_.running);
            FUZZ_CHECK(!link_.answerWatchActive() && !link_.downloadWindowPending());
        }
        const int total = link_.downloadTotal();
        FUZZ_CHECK(total >= 0 && total <= kDownloadBufferCapacity);
        FUZZ_CHECK(link_.downloadReceived() >= 0 && link_.downloadReceived() <= total);
        FUZZ_CHECK(link_.downloadBytesArrived() <= total);
        FUZZ_CHECK(comm_.inBufferCount() <= CMSComm::kInBufferCapacity);
        for (; checkedWrites_ < port_->written.size(); ++checkedWrites_)
            FUZZ_CHECK(isMeterCommand(port_->written[checkedWrites_]));
    }

    FakeSerialPort* port_; // owned by comm_
    CMSComm comm_;
    ScriptedPortList* ports_; // owned by link_
    MeterLink link_;
    DownloadWatch download_;
    bool opensFail_ = false;
    bool writesFail_ = false;
    qsizetype checkedWrites_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("TZ", "UTC", 1);
    tzset();
    // Timers and queued calls need an application object; it lives as long as the run.
    static int qtArgc = 1;
    static char name[] = "fuzz_meter_link";
    static char* qtArgv[] = {name, nullptr};
    static QCoreApplication application(qtArgc, qtArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    ScriptReader script(data, size);
    LinkRun run(script.byte());
    run.run(script);
    return 0;
}
