// calorant-cli download: fetches the meter's logger memory through the same link as the
// programme's Data Logger command and saves every record set as a .graph file with its
// CSV companion, named after the set's start.
#include "cli/CliCommand.h"
#include "cli/CliMeter.h"
#include "cli/CliReport.h"
#include "cli/CommandOptions.h"
#include "cli/StopSignals.h"
#include "core/CalendarTime.h"
#include "core/NumberFormat.h"
#include "link/MeterLink.h"
#include "logger/LoggerSet.h"
#include "logger/LoggerStore.h"
#include "record/DownloadedSetNames.h"
#include "record/FileSave.h"

#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace calorant::cli {

namespace {

// A logger set saved from a download carries the Y scale a logger window starts with.
constexpr std::int32_t kLoggerYGain = 100;
constexpr std::int32_t kLoggerYOffset = 0;
constexpr int kProgressIntervalMs = 200;

struct DownloadOptions {
    std::string device;
    std::filesystem::path outDir;
};

struct ParsedDownloadOptions {
    DownloadOptions options;
    std::string error; // empty when the arguments are usable
};

ParsedDownloadOptions parseDownloadOptions(const std::vector<std::string>& args) {
    ParsedDownloadOptions parsed;
    CommandOptions parser("download");
    parser.addValues({"device", "out-dir"});
    if (const std::optional<std::string> error = parser.parseOptionsOnly(args)) {
        parsed.error = *error;
        return parsed;
    }
    parsed.options.device = parser.value("device");
    parsed.options.outDir = std::filesystem::path(parser.value("out-dir"));
    if (parsed.options.device.empty() || parsed.options.outDir.empty())
        parsed.error = "download: name the meter with --device PATH and the folder with "
                       "--out-dir DIR";
    return parsed;
}

bool stderrIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

// "received 12000 of 45010 bytes (26%)", rewritten in place on a terminal.
class ProgressLine {
public:
    explicit ProgressLine(const MeterLink& link) : link_(link) {
        if (!stderrIsTerminal())
            return;
        timer_.setInterval(kProgressIntervalMs);
        QObject::connect(&timer_, &QTimer::timeout, [this] { print(); });
        timer_.start();
    }
    ~ProgressLine() { end(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void end() {
        if (!timer_.isActive())
            return;
        timer_.stop();
        if (printed_) {
            print();
            std::fputc('\n', stderr);
        }
    }

private:
    void print() {
        const long long total = link_.downloadTotal();
        if (total <= 0)
            return;
        const long long received = link_.downloadBytesArrived();
        const std::string line = "\rreceived " + formatInt(received) + " of " + formatInt(total) +
                                 " bytes (" + formatInt(received * 100 / total) + "%)";
        std::fputs(line.c_str(), stderr);
        std::fflush(stderr);
        printed_ = true;
    }

    const MeterLink& link_;
    QTimer timer_;
    bool printed_ = false;
};

std::string reasonFor(DownloadResult result, const MeterLink& link) {
    switch (result) {
    case DownloadResult::NoAnswer:
        return "the meter did not answer the logger request";
    case DownloadResult::GivenUp:
        return "the logger memory stopped coming after " + formatInt(link.downloadBytesArrived()) +
               " of " + formatInt(link.downloadTotal()) + " bytes; nothing was saved";
    case DownloadResult::Lost:
        return "the meter's port went away during the download; nothing was saved";
    case DownloadResult::Data:
    case DownloadResult::Empty:
    case DownloadResult::Refused:
        break; // the link's own message has said it
    }
    return {};
}

// The folders from `folder` up that do not exist yet, the deepest first.
std::vector<std::filesystem::path> missingFolders(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> missing;
    std::error_code error;
    // A folder that cannot be looked at is not taken for missing: it may well be there.
    for (std::filesystem::path path = folder;
         !path.empty() && !std::filesystem::exists(path, error) && !error;
         path = path.parent_path()) {
        missing.push_back(path);
        if (path == path.parent_path())
            break;
    }
    return missing;
}

// Takes away the folders a download made and could not save into (still empty, so
// nothing else can be lost).
void removeFolders(const std::vector<std::filesystem::path>& folders) {
    std::error_code ignored;
    for (const std::filesystem::path& folder : folders)
        std::filesystem::remove(folder, ignored);
}

// Saves every set, all or none, and then lists them: number, start, unit, rate, readings
// and file. A download that cannot be saved whole leaves the folder as it was.
int saveSets(const LoggerStore& store, const std::filesystem::path& outDir) {
    const std::vector<std::filesystem::path> made = missingFolders(outDir);
    std::error_code error;
    std::filesystem::create_directories(outDir, error);
    if (error)
        return reportFailure("cannot create " + outDir.string() + ": " + error.message());
    const auto fail = [&made](const std::string& reason) {
        removeFolders(made);
        return reportFailure(reason);
    };

    const std::vector<std::string> stems = downloadedSetFileStems(store.setStartTime);
    LoggerSetBatch batch(kLoggerYGain, kLoggerYOffset);
    std::vector<std::string> lines;
    LoggerSet set;
    for (int k = 0; k < store.setCount; ++k) {
        if (!showDownloadedSet(store, k, set))
            return fail("set " + formatInt(k + 1) + " of the download is damaged");
        const std::filesystem::path graphPath =
            outDir / std::filesystem::path(stems[static_cast<std::size_t>(k)] + ".graph");
        batch.add(graphPath, set);
        const TemperatureUnit unit = unitOrCelsius(set.unit);
        lines.push_back(
            "set " + formatInt(k + 1) + ": start " +
            formatTime(store.setStartTime[static_cast<std::size_t>(k)], "%m/%d/%y %H:%M:%S") +
            ", unit " + std::string(unitLetter(unit)) + ", rate " + formatInt(set.sampleRate) +
            " s, " + formatInt(set.readingCount) + " readings, saved as " +
            graphPath.filename().string());
    }
    if (const SaveResult saved = batch.save(); !saved.saved)
        return fail(saved.message());
    for (const std::string& line : lines)
        printLine(line);
    return kExitOk;
}

int runDownload(const std::vector<std::string>& args) {
    const ParsedDownloadOptions parsed = parseDownloadOptions(args);
    if (!parsed.error.empty())
        return reportUsageError(parsed.error);
    const DownloadOptions& options = parsed.options;

    CliMeter meter(QString::fromStdString(options.device), 1);
    if (!meter.open())
        return reportFailure(meter.comm.errorString().toStdString());
    MeterLink& link = meter.link();

    QEventLoop loop;
    std::optional<DownloadResult> result;
    QObject::connect(&link, &MeterLink::message, &loop,
                     [](const QString& text) { reportFailure(text.toStdString()); });
    // The stream has this long from its header on, as the progress window gives it.
    QObject::connect(&link, &MeterLink::downloadStarted, &loop,
                     [&link] { link.startDownloadGiveUp(); });
    QObject::connect(&link, &MeterLink::downloadFinished, &loop, [&](DownloadResult finished) {
        result = finished;
        // After the link's message, which is queued before this.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    onStopSignal([&loop] { loop.quit(); });

    ProgressLine progress(link);
    link.StartLoggerDownload();
    loop.exec();
    onStopSignal({});
    progress.end();
    // Said before the link-end command closes the port and empties what it held.
    const std::string reason =
        result ? reasonFor(*result, link) : std::string("interrupted; nothing was saved");
    link.sendLinkEnd();

    if (result == DownloadResult::Data)
        return saveSets(meter.doc.loggerStore(), options.outDir);
    if (!reason.empty())
        reportFailure(reason);
    return kExitFailure;
}

} // namespace

CliCommand downloadCommand() {
    return {"download", "download --device PATH --out-dir DIR", runDownload};
}

} // namespace calorant::cli
