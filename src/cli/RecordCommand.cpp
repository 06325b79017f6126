// calorant-cli record: a real-time recording from the meter with the programme's own
// run semantics (one sample per tick of the sample rate, a repeat when no frame came,
// the store's limits, the stop after five seconds of silence), saved as the Save
// command saves it: the .graph file and its CSV companion, with the Y scale of the
// settings file.
#include "app/SettingsFile.h"
#include "cli/CliCommand.h"
#include "cli/CliMeter.h"
#include "cli/CliReport.h"
#include "cli/CommandOptions.h"
#include "cli/StopSignals.h"
#include "core/NumberFormat.h"
#include "core/WholeNumber.h"
#include "link/MeterLink.h"
#include "record/FileSave.h"
#include "record/SampleStore.h"
#include "record/SaveNaming.h"

#include <QEventLoop>
#include <QFile>
#include <QStandardPaths>
#include <QTimer>
#include <filesystem>
#include <optional>

namespace calorant::cli {

namespace {

struct RecordOptions {
    std::string device;
    int rateSeconds = 0;
    int samples = 0; // stop at this many samples, or
    int seconds = 0; // after this many seconds of recording
    std::filesystem::path out;
};

struct ParsedRecordOptions {
    RecordOptions options;
    std::string error; // empty when the arguments are usable
};

ParsedRecordOptions parseRecordOptions(const std::vector<std::string>& args) {
    ParsedRecordOptions parsed;
    RecordOptions& options = parsed.options;
    CommandOptions parser("record");
    parser.addValues({"device", "rate", "samples", "seconds", "out"});
    if (const std::optional<std::string> error = parser.parseOptionsOnly(args)) {
        parsed.error = *error;
        return parsed;
    }
    options.device = parser.value("device");
    options.out = std::filesystem::path(parser.value("out"));
    for (const auto& [name, field] :
         {std::pair{"rate", &options.rateSeconds}, std::pair{"samples", &options.samples},
          std::pair{"seconds", &options.seconds}}) {
        if (!parser.isSet(name))
            continue;
        // A recording holds at most kSampleLimit samples.
        const int largest =
            std::string_view(name) == "samples" ? kSampleLimit : kMaxSampleRateSeconds;
        const std::optional<std::int64_t> number = parseWholeNumber(parser.value(name), 1, largest);
        if (!number) {
            parsed.error = "record: --" + std::string(name) + " needs a whole number from 1 to " +
                           formatInt(largest);
            return parsed;
        }
        *field = static_cast<int>(*number);
    }
    if (options.device.empty() || options.out.empty() || options.rateSeconds == 0)
        parsed.error = "record: --device PATH, --rate SEC and --out FILE.graph are needed";
    else if ((options.samples == 0) == (options.seconds == 0))
        parsed.error = "record: give either --samples N or --seconds S";
    return parsed;
}

std::filesystem::path settingsFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#ifdef _WIN32
    return std::filesystem::path(folder.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(folder).toStdString());
#endif
}

// How a recording ended.
enum class RecordEnd { Done, Limit, Silence, Interrupted };

// Runs one recording on the open link: Run at once, the document's sampling clock, and
// the end when enough samples are in, the time is up, or the store stopped by itself.
class Recorder {
public:
    Recorder(CliMeter& meter, const RecordOptions& options)
        : meter_(meter), store_(meter.doc.sampleStore()), options_(options) {
        QObject::connect(&meter.doc, &CKVDoc::sampleTicked, &loop_,
                         [this](const TickOutcome& outcome) { onTick(outcome); });
        duration_.setSingleShot(true);
        QObject::connect(&duration_, &QTimer::timeout, &loop_, [this] { finish(RecordEnd::Done); });
        QObject::connect(&meter.doc, &CKVDoc::recordingStarted, &loop_, [this] {
            if (options_.seconds > 0)
                duration_.start(options_.seconds * 1000);
        });
        QObject::connect(&meter.doc, &CKVDoc::recordingStopped, &loop_, [this] {
            finish(meter_.doc.linkOffline() ? RecordEnd::Silence : RecordEnd::Limit);
        });
        QObject::connect(&meter.link(), &MeterLink::message, &loop_,
                         [](const QString& text) { reportFailure(text.toStdString()); });
        onStopSignal([this] { finish(RecordEnd::Interrupted); });
    }
    ~Recorder() { onStopSignal({}); }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    RecordEnd run() {
        store_.run(options_.rateSeconds);
        meter_.doc.rearmSamplingTimerIfAsked();
        meter_.link().startTimers();
        loop_.exec();
        return end_;
    }

private:
    void onTick(const TickOutcome& outcome) {
        if (outcome.stoppedAtCapacity)
            finish(RecordEnd::Limit);
        else if (options_.samples > 0 && store_.sampleCount() >= options_.samples)
            finish(RecordEnd::Done);
    }

    void finish(RecordEnd end) {
        duration_.stop();
        store_.stop();
        end_ = end;
        loop_.quit();
    }

    CliMeter& meter_;
    SampleStore& store_;
    const RecordOptions& options_;
    QEventLoop loop_;
    QTimer duration_;
    RecordEnd end_ = RecordEnd::Done;
};

int runRecord(const std::vector<std::string>& args) {
    const ParsedRecordOptions parsed = parseRecordOptions(args);
    if (!parsed.error.empty())
        return reportUsageError(parsed.error);
    const RecordOptions& options = parsed.options;
    const Settings settings = ReadSettings(settingsFolder());

    CliMeter meter(QString::fromStdString(options.device), settings.comPort);
    if (!meter.open())
        return reportFailure(meter.comm.errorString().toStdString());
    const SampleStore& store = meter.doc.sampleStore();

    Recorder recorder(meter, options);
    const RecordEnd end = recorder.run();
    meter.link().sendLinkEnd();

    if (store.sampleCount() == 0)
        return reportFailure(end == RecordEnd::Interrupted ? "interrupted before the first sample"
                                                           : "no live frame from the meter");
    const SaveResult saved = saveRecording(options.out, store, meter.doc.meterState().unitCode(),
                                           settings.yGain, settings.yOffset);
    if (!saved.saved)
        return reportFailure(saved.message());
    const std::string counts =
        formatInt(store.sampleCount()) + " samples (" + formatInt(store.dataNo()) + " readings)";
    printLine("saved " + counts + " as " + options.out.string() + " and " +
              companionCsvPath(options.out).string());
    switch (end) {
    case RecordEnd::Silence:
        return reportFailure("the meter went silent: the recording stopped after " + counts);
    case RecordEnd::Interrupted:
        return reportFailure("interrupted after " + counts);
    case RecordEnd::Limit:
        printLine("the recording reached the store's limit");
        break;
    case RecordEnd::Done:
        break;
    }
    return kExitOk;
}

} // namespace

CliCommand recordCommand() {
    return {"record",
            "record --device PATH --rate SEC (--samples N | --seconds S) --out FILE.graph",
            runRecord};
}

} // namespace calorant::cli
