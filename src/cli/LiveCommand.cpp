// calorant-cli live: opens the meter's port as the programme does, requests the
// live frames and prints every accepted frame, decoded and applied to the meter
// state exactly as the panel sees it.
#include "cli/CliCommand.h"
#include "cli/CliMeter.h"
#include "cli/CliReport.h"
#include "cli/CommandOptions.h"
#include "cli/LiveOutput.h"
#include "cli/StopSignals.h"
#include "core/WholeNumber.h"
#include "link/MeterEmulatorProcess.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <limits>
#include <optional>

namespace calorant::cli {

namespace {

struct LiveOptions {
    std::string device;
    bool demo = false;
    std::string scenario;
    long long frames = 0; // 0: until interrupted
    bool json = false;
    // Give up when no frame was accepted for this long; 0: wait for ever.
    long long timeoutSeconds = 10;
};

// The longest silence a timer can wait for (its interval is an int of milliseconds).
constexpr long long kMaxTimeoutSeconds = 2'000'000;

struct ParsedLiveOptions {
    LiveOptions options;
    std::string error; // empty when the arguments are usable
};

ParsedLiveOptions parseLiveOptions(const std::vector<std::string>& args) {
    ParsedLiveOptions parsed;
    LiveOptions& options = parsed.options;
    CommandOptions parser("live");
    parser.addFlags({"json", "demo"});
    parser.addValues({"device", "scenario", "frames", "timeout"});
    if (const std::optional<std::string> error = parser.parseOptionsOnly(args)) {
        parsed.error = *error;
        return parsed;
    }
    options.json = parser.isSet("json");
    options.demo = parser.isSet("demo");
    options.device = parser.value("device");
    options.scenario = parser.value("scenario");
    for (const auto& [name, field] :
         {std::pair{"frames", &options.frames}, std::pair{"timeout", &options.timeoutSeconds}}) {
        if (!parser.isSet(name))
            continue;
        const bool frames = std::string_view(name) == "frames";
        const std::optional<std::int64_t> count =
            parseWholeNumber(parser.value(name), 0, std::numeric_limits<std::int64_t>::max());
        if (!count || (frames && *count == 0)) {
            parsed.error = "live: --" + std::string(name) + " needs a whole number" +
                           (frames ? " above 0" : "");
            return parsed;
        }
        if (!frames && *count > kMaxTimeoutSeconds) {
            parsed.error = "live: --timeout is at most " + std::to_string(kMaxTimeoutSeconds);
            return parsed;
        }
        *field = *count;
    }
    if (options.demo == !options.device.empty())
        parsed.error = "live: name the meter with --device PATH or use --demo";
    else if (!options.scenario.empty() && !options.demo)
        parsed.error = "live: --scenario needs --demo";
    return parsed;
}

// Prints the frames the document applies until enough frames were printed, the meter
// stays silent too long, the port fails or the user interrupts.
class LiveMonitor {
public:
    LiveMonitor(CliMeter& meter, const LiveOptions& options) : meter_(meter), options_(options) {
        QObject::connect(&meter.doc, &CKVDoc::frameApplied, &loop_,
                         [this](const LiveFrame& frame) { onFrameApplied(frame); });
        QObject::connect(&meter.comm, &CMSComm::portFailed, &loop_, [this](const QString& reason) {
            finish(reportFailure(reason.toStdString()));
        });
        silence_.setSingleShot(true);
        silence_.setInterval(std::chrono::seconds(options.timeoutSeconds));
        QObject::connect(&silence_, &QTimer::timeout, &loop_, [this] {
            finish(reportFailure("no live frame from the meter for " +
                                 std::to_string(options_.timeoutSeconds) + " s"));
        });
        onStopSignal([this] { onInterrupted(); });
    }
    ~LiveMonitor() { onStopSignal({}); }
    LiveMonitor(const LiveMonitor&) = delete;
    LiveMonitor& operator=(const LiveMonitor&) = delete;

    int run() {
        watchSilence();
        return loop_.exec();
    }

private:
    void onFrameApplied(const LiveFrame& frame) {
        const MeterState& state = meter_.doc.meterState();
        printLine(options_.json ? liveFrameJson(frame, state) : liveFrameLine(frame, state));
        watchSilence();
        if (++printed_ == options_.frames)
            finish(kExitOk);
    }

    void watchSilence() {
        if (options_.timeoutSeconds > 0)
            silence_.start();
    }

    void onInterrupted() {
        if (options_.frames == 0)
            finish(kExitOk);
        else
            finish(reportFailure("interrupted after " + std::to_string(printed_) + " of " +
                                 std::to_string(options_.frames) + " frames"));
    }

    void finish(int status) {
        silence_.stop();
        loop_.exit(status);
    }

    CliMeter& meter_;
    const LiveOptions& options_;
    QEventLoop loop_;
    QTimer silence_;
    long long printed_ = 0;
};

QStringList emulatorArguments(const LiveOptions& options) {
    if (options.scenario.empty())
        return {};
    return {QStringLiteral("--scenario"), QString::fromStdString(options.scenario)};
}

int runLive(const std::vector<std::string>& args) {
    const ParsedLiveOptions parsed = parseLiveOptions(args);
    if (!parsed.error.empty())
        return reportUsageError(parsed.error);
    const LiveOptions& options = parsed.options;

    MeterEmulatorProcess emulator;
    QString device = QString::fromStdString(options.device);
    if (options.demo) {
        if (!emulator.start(QCoreApplication::applicationDirPath(), emulatorArguments(options)))
            return reportFailure(emulator.errorString().toStdString());
        device = emulator.devicePath();
    }

    CliMeter meter(device, 1);
    if (!meter.open())
        return reportFailure(meter.comm.errorString().toStdString());

    LiveMonitor monitor(meter, options);
    const int status = monitor.run();
    // Tell the meter the link ends, as the programme does when it closes.
    if (meter.comm.portOpen())
        meter.link().sendLinkEnd();
    meter.comm.setPortOpen(false);
    return status;
}

} // namespace

CliCommand liveCommand() {
    return {"live",
            "live (--device PATH | --demo [--scenario NAME]) [--frames N] [--json] "
            "[--timeout SEC]",
            runLive};
}

} // namespace calorant::cli
