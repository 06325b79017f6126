// Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/:
//   fuzz_seed_corpus <repository root>
// Live frames, logger memories and whole conversations come from the emulator's own
// session (src/sim), .graph files from the golden files and the logger writer, settings
// files from the settings writer and a few hand-made texts, journals from the journal
// writer.
#include "LinkScript.h"
#include "app/SettingsFile.h"
#include "logger/LoggerSet.h"
#include "record/GraphFile.h"
#include "record/JournalFormat.h"
#include "sim/LoggerMemory.h"
#include "sim/MeterSession.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

using namespace calorant;
using fuzz::LinkScriptWriter;
using fuzz::Step;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

const sim::SetStart kWallClock{2026, 1, 15, 10, 30, 0};

void writeSeed(const fs::path& folder, const std::string& name, const std::string& bytes) {
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary) << bytes;
}

void writeSeed(const fs::path& folder, const std::string& name, const Bytes& bytes) {
    writeSeed(folder, name, std::string(bytes.begin(), bytes.end()));
}

Bytes command(std::uint8_t code) {
    return {0xAA, 0x55, code};
}

// The meter's side of a conversation, run by the emulator's session on a clock of its
// own; whatever it sends is delivered to the link in the script, each transmission
// followed by the event loop's queued calls.
class Conversation {
public:
    Conversation(const sim::SessionConfig& config, LinkScriptWriter& script)
        : session_(config), script_(script) {}

    void hostWrites(const Bytes& bytes) { session_.receive(bytes, nowMs_, kWallClock); }

    // Everything the meter sends in the next `ms` milliseconds.
    void run(std::int64_t ms) {
        const std::int64_t until = nowMs_ + ms;
        while (session_.nextDueMs() <= until) {
            nowMs_ = std::max(nowMs_, session_.nextDueMs());
            for (const sim::Transmission& sent : session_.transmit(nowMs_)) {
                script_.deliver(sent.bytes);
                script_.step(Step::PostedEvents);
            }
        }
        nowMs_ = until;
    }

private:
    sim::MeterSession session_;
    LinkScriptWriter& script_;
    std::int64_t nowMs_ = 0;
};

// The link scans (the scan is due first) and opens the bridge, port 1.
LinkScriptWriter scannedLink(std::uint8_t setup) {
    LinkScriptWriter script(setup | fuzz::savedPortBits(1));
    script.step(Step::FireTimer, 0);
    return script;
}

std::string text(const LinkScriptWriter& script) {
    return std::string(script.bytes().begin(), script.bytes().end());
}

void writeLiveFrameSeeds(const fs::path& folder) {
    const std::pair<const char*, sim::FrameScenario> scenarios[] = {
        {"normal", sim::FrameScenario::Normal},
        {"double", sim::FrameScenario::Double},
        {"open-thermocouple", sim::FrameScenario::OpenThermocouple},
        {"low-battery", sim::FrameScenario::LowBattery},
    };
    for (const auto& [name, scenario] : scenarios) {
        sim::MeterSession session({.scenario = scenario});
        session.receive(command(0x01), 0, kWallClock);
        // Keys change what the display bytes say: the unit, then MAX/MIN.
        const std::uint8_t keys[] = {0x03, 0x06};
        for (int i = 0; i < 2; ++i) {
            session.receive(command(keys[i]), 1000 * i, kWallClock);
            for (const sim::Transmission& sent : session.transmit(1000 * i))
                writeSeed(folder, std::string(name) + "-" + std::to_string(i), sent.bytes);
        }
    }
}

sim::LoggerMemory twoShortSets() {
    // Two sets, the second right after three records of the first; values either side
    // of zero.
    sim::LoggerMemory memory;
    memory.beginSet(2, {2019, 12, 24, 9, 15, 30});
    for (int r = 0; r < 3; ++r)
        memory.appendRecord({250 + r, -200 - r, 300, 0, 1000});
    memory.beginSet(60, {2020, 2, 29, 23, 59, 59});
    memory.appendRecord({-1, 32767, -32768, 29500, 0});
    memory.appendErased(9);
    return memory;
}

void writeLoggerStreamSeeds(const fs::path& folder) {
    writeSeed(folder, "three-sets", sim::makeLoggerMemory(sim::LoggerContent::Sets).stream());
    writeSeed(folder, "no-sets", sim::makeLoggerMemory(sim::LoggerContent::NoSets).stream());
    writeSeed(folder, "two-short-sets", twoShortSets().stream());
    // One set of two records and nine bytes more: the last record starts at 21.
    sim::LoggerMemory one;
    one.beginSet(1, {2026, 7, 1, 0, 0, 0});
    one.appendRecord({100, 200, 300, 400, 500});
    one.appendRecord({-100, -200, -300, -400, -500});
    one.appendErased(9);
    writeSeed(folder, "one-set-and-nine-bytes", one.stream());
}

void writeGraphFileSeeds(const fs::path& root, const fs::path& folder) {
    for (const char* golden : {"three-readings.graph", "three-readings-default-scale.graph"}) {
        std::ifstream in(root / "tests" / "data" / golden, std::ios::binary);
        writeSeed(
            folder, golden,
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    }
    LoggerSet set;
    set.unit = 0;
    set.startYear = 2020;
    set.startMonth = 3;
    set.startDay = 1;
    set.startHour = 8;
    set.sampleRate = 2;
    std::ostringstream empty(std::ios::binary);
    writeGraphFile(empty, set, 100, 0);
    writeSeed(folder, "empty.graph", empty.str());

    set.readingCount = 40;
    for (int r = 0; r < set.readingCount; ++r) {
        for (int c = 0; c < 5; ++c)
            set.values[std::size_t(r * 5 + c)] =
                static_cast<float>(20.0 + 10.0 * c + 5.0 * std::sin(0.3 * r + c));
    }
    set.values[17] = 2950.0f; // no reading
    std::ostringstream forty(std::ios::binary);
    writeGraphFile(forty, set, 10, -2);
    writeSeed(folder, "forty-readings.graph", forty.str());
}

void writeSettingsSeeds(const fs::path& folder) {
    writeSeed(folder, "written", settingsTextWith("", {7, 50, -5}));
    writeSeed(folder, "kept-lines",
              settingsTextWith("; meter settings\r\n[COMInfo]\r\nBaud=9600\r\n"
                               "COM num=2\r\n\r\n[Other]\r\nKey=value\r\n",
                               {3, 200, 2}));
    writeSeed(folder, "byte-order-mark",
              "\xEF\xBB\xBF[GainInfo]\nGain=100\n[OffsetInfo]\nOffset=-2\n");
    writeSeed(folder, "not-numbers",
              "[COMInfo]\nCOM num=12abc\n[GainInfo]\nGain=abc\n[OffsetInfo]\nOffset=-\n");
    writeSeed(folder, "case-and-spacing",
              "[cominfo]\r\n  com NUM =  4 \r\n[ GainInfo ]\r\nGAIN=99999999999\r\n");
}

void writeLiveLinkSeeds(const fs::path& folder) {
    const std::pair<const char*, sim::FrameScenario> scenarios[] = {
        {"live-normal", sim::FrameScenario::Normal},
        {"live-garbage", sim::FrameScenario::Garbage},
        {"live-split", sim::FrameScenario::Split},
        {"live-double", sim::FrameScenario::Double},
    };
    for (const auto& [name, scenario] : scenarios) {
        LinkScriptWriter script = scannedLink(fuzz::kStartTimers);
        Conversation meter({.scenario = scenario, .frameIntervalMs = 500}, script);
        meter.hostWrites(command(0x01));
        meter.run(3000);
        // Then silence: of the port-list watch, the watchdog and the five-minute command,
        // the watchdog finds no frame and reopens the port.
        script.step(Step::FireTimer, 1).step(Step::FireTimer, 1);
        writeSeed(folder, name, text(script));
    }

    // The windows' commands and the port list, with the main window's timers running.
    LinkScriptWriter script(fuzz::kStartTimers | fuzz::savedPortBits(2));
    script.step(Step::FireTimer, 0);
    Conversation meter({.scenario = sim::FrameScenario::Fixed}, script);
    meter.hostWrites(command(0x01));
    meter.run(1000);
    script.step(Step::KeyCommand, 0).step(Step::KeyCommand, 4).step(Step::PowerOff);
    script.step(Step::PortListChanges, 2).step(Step::FireTimer, 0).step(Step::FireTimer, 0);
    script.step(Step::SelectPort, 3).step(Step::SelectPort, 17);
    script.step(Step::PortListChanges, 3).step(Step::Scan).step(Step::PostedEvents);
    script.step(Step::OpenFailures).step(Step::Scan).step(Step::OpenFailures);
    script.step(Step::PortBreaks).step(Step::PostedEvents).step(Step::FireTimer, 0);
    script.step(Step::LinkEnd);
    writeSeed(folder, "ports-and-keys", text(script));
}

// A download: the Data Logger command, its three header requests, the meter's answer
// and, when the answer announces data, the stream as the emulator sends it; then
// `after` finishes the script.
void writeDownloadSeed(const fs::path& folder, const char* name, const sim::SessionConfig& config,
                       void (*after)(LinkScriptWriter&)) {
    const bool announcesData = config.download != sim::DownloadBehaviour::Mute &&
                               config.loggerContent != sim::LoggerContent::Empty &&
                               config.loggerContent != sim::LoggerContent::Oversized;
    // Without the main window's timers, only the download's own are running.
    LinkScriptWriter script = scannedLink(0);
    Conversation meter(config, script);
    meter.hostWrites(command(0x01));
    meter.run(1500);
    script.step(Step::DataLogger).step(Step::FireTimer, 0).step(Step::FireTimer, 0);
    for (int i = 0; i < 3; ++i)
        meter.hostWrites(command(0x02));
    meter.run(200);
    // The progress window comes up and starts the give-up time.
    script.step(Step::FireTimer, 0).step(Step::GiveUpTime);
    if (announcesData)
        meter.hostWrites(command(0x10));
    meter.run(4000);
    after(script);
    writeSeed(folder, name, text(script));
}

void writeDownloadLinkSeeds(const fs::path& folder) {
    using sim::DownloadBehaviour;
    using sim::LoggerContent;
    const auto nothing = [](LinkScriptWriter&) {};
    const auto giveUp = [](LinkScriptWriter& s) { s.step(Step::FireTimer, 0); };
    const auto unplug = [](LinkScriptWriter& s) {
        s.step(Step::PortBreaks).step(Step::PostedEvents).step(Step::FireTimer, 0);
    };
    writeDownloadSeed(folder, "download-sets", {.loggerContent = LoggerContent::Sets}, nothing);
    writeDownloadSeed(folder, "download-empty", {.loggerContent = LoggerContent::Empty}, nothing);
    writeDownloadSeed(folder, "download-no-sets", {.loggerContent = LoggerContent::NoSets},
                      nothing);
    writeDownloadSeed(folder, "download-oversized", {.loggerContent = LoggerContent::Oversized},
                      nothing);
    writeDownloadSeed(
        folder, "download-stops-halfway",
        {.loggerContent = LoggerContent::Sets, .download = DownloadBehaviour::StopHalfway}, giveUp);
    writeDownloadSeed(
        folder, "download-unplugged",
        {.loggerContent = LoggerContent::Sets, .download = DownloadBehaviour::UnplugHalfway},
        unplug);
    // No answer: the live frames go on and the answer watch ends the download.
    writeDownloadSeed(folder, "download-no-answer", {.download = DownloadBehaviour::Mute}, giveUp);
}

// Journals as the journal writer leaves them: whole, with repeats, cut short in a sample,
// and with garbage after the end.
void writeJournalSeeds(const fs::path& folder) {
    std::string journal = encodeJournalHeader({1768473000, 2000});
    for (std::uint32_t i = 0; i < 12; ++i) {
        const float value = 20.0f + 0.1f * static_cast<float>(i);
        journal += encodeJournalSample(
            i, {{value, value + 1, i % 5 == 4 ? 2900.5f : value + 2, value + 3, value + 4},
                i % 4 != 3});
    }
    writeSeed(folder, "whole", journal);
    writeSeed(folder, "cut-short", journal.substr(0, journal.size() - 13));
    writeSeed(folder, "garbage-after", journal + "KV4410M and whatever else");
    writeSeed(folder, "header-only", encodeJournalHeader({0, 1000}));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seed_corpus REPOSITORY_ROOT\n");
        return 2;
    }
    const fs::path root = argv[1];
    const fs::path corpus = root / "fuzz" / "corpus";
    writeLiveFrameSeeds(corpus / "fuzz_live_frame");
    writeLoggerStreamSeeds(corpus / "fuzz_logger_stream");
    writeGraphFileSeeds(root, corpus / "fuzz_graph_file");
    writeJournalSeeds(corpus / "fuzz_journal");
    writeSettingsSeeds(corpus / "fuzz_settings_file");
    writeLiveLinkSeeds(corpus / "fuzz_meter_link");
    writeDownloadLinkSeeds(corpus / "fuzz_meter_link");
    return 0;
}
