#include "sim/SimOptions.h"

#include "core/WholeNumber.h"

#include <optional>
#include <utility>

namespace calorant::sim {
namespace {

struct LoggerChoice {
    LoggerContent content;
    DownloadBehaviour behaviour;
};

const std::vector<std::pair<std::string, FrameScenario>>& scenarioNames() {
    static const std::vector<std::pair<std::string, FrameScenario>> names{
        {"normal", FrameScenario::Normal},
        {"fixed", FrameScenario::Fixed},
        {"silence", FrameScenario::Silence},
        {"garbage", FrameScenario::Garbage},
        {"split", FrameScenario::Split},
        {"double", FrameScenario::Double},
        {"open-thermocouple", FrameScenario::OpenThermocouple},
        {"low-battery", FrameScenario::LowBattery},
    };
    return names;
}

const std::vector<std::pair<std::string, LoggerChoice>>& loggerNames() {
    static const std::vector<std::pair<std::string, LoggerChoice>> names{
        {"sets", {LoggerContent::Sets, DownloadBehaviour::Answer}},
        {"empty", {LoggerContent::Empty, DownloadBehaviour::Answer}},
        {"large", {LoggerContent::Large, DownloadBehaviour::Answer}},
        {"oversized", {LoggerContent::Oversized, DownloadBehaviour::Answer}},
        {"no-sets", {LoggerContent::NoSets, DownloadBehaviour::Answer}},
        {"garbage", {LoggerContent::Garbage, DownloadBehaviour::Answer}},
        {"halfway", {LoggerContent::Sets, DownloadBehaviour::StopHalfway}},
        {"mute", {LoggerContent::Sets, DownloadBehaviour::Mute}},
        {"unplug", {LoggerContent::Sets, DownloadBehaviour::UnplugHalfway}},
    };
    return names;
}

template <typename T>
std::optional<T> lookup(const std::vector<std::pair<std::string, T>>& names,
                        const std::string& name) {
    for (const auto& [key, value] : names)
        if (key == name)
            return value;
    return std::nullopt;
}

} // namespace

SimOptionsResult parseSimOptions(const std::vector<std::string>& args) {
    SimOptionsResult result;
    SimOptions& o = result.options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            o.help = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            result.error =
                arg.starts_with("--") ? "missing value for " + arg : "unknown argument " + arg;
            return result;
        }
        const std::string& value = args[++i];
        bool ok = true;
        if (arg == "--scenario") {
            const auto scenario = lookup(scenarioNames(), value);
            ok = scenario.has_value();
            if (ok)
                o.session.scenario = *scenario;
        } else if (arg == "--logger") {
            const auto choice = lookup(loggerNames(), value);
            ok = choice.has_value();
            if (ok) {
                o.session.loggerContent = choice->content;
                o.session.download = choice->behaviour;
            }
        } else if (arg == "--pace") {
            ok = value == "line" || value == "fast";
            o.session.fastPace = value == "fast";
        } else if (arg == "--frame-interval") {
            const auto ms = parseWholeNumber(value, 1, 3600000);
            ok = ms.has_value();
            if (ok)
                o.session.frameIntervalMs = static_cast<int>(*ms);
        } else if (arg == "--seed") {
            const auto seed = parseWholeNumber(value, 0, 0xFFFFFFFF);
            ok = seed.has_value();
            if (ok)
                o.session.seed = static_cast<std::uint32_t>(*seed);
        } else if (arg == "--link") {
            ok = !value.empty();
            o.linkPath = value;
        } else if (arg == "--parent-pid") {
            const auto pid = parseWholeNumber(value, 1, 0x7FFFFFFF);
            ok = pid.has_value();
            if (ok)
                o.parentPid = *pid;
        } else if (arg == "--unplug-after" || arg == "--replug-after") {
            const auto ms = parseWholeNumber(value, 0, 86400000);
            ok = ms.has_value();
            if (ok)
                (arg == "--unplug-after" ? o.unplugAfterMs : o.replugAfterMs) = *ms;
        } else {
            result.error = "unknown argument " + arg;
            return result;
        }
        if (!ok) {
            result.error = "invalid value for " + arg + ": " + value;
            return result;
        }
    }
    return result;
}

std::string simUsage() {
    return "Usage: calorant-meter-sim [OPTIONS]\n"
           "Emulates the five-channel temperature meter on a pseudo-terminal. The first line\n"
           "printed is the terminal's path; every command received is printed as\n"
           "\"received XX XX XX\".\n"
           "\n"
           "  --scenario NAME       live stream: normal (default, drifting temperatures), fixed,\n"
           "                        silence, garbage, split, double, open-thermocouple,\n"
           "                        low-battery\n"
           "  --frame-interval MS   time between live frames (default 1000)\n"
           "  --logger NAME         logger memory and download: sets (default), empty, large,\n"
           "                        oversized, no-sets, garbage, halfway, mute, unplug\n"
           "  --pace line|fast      memory stream at 960 bytes/s like 9600 baud (default line),\n"
           "                        or as fast as the terminal takes it\n"
           "  --link PATH           publish the device as symlink PATH, re-pointed to each new\n"
           "                        terminal after a replug\n"
           "  --unplug-after MS     unplug the device MS after start\n"
           "  --replug-after MS     replug MS after an unplug (default 2000)\n"
           "  --seed N              seed of the temperature noise and random bytes (default 1)\n"
           "  --parent-pid PID      end within a second when process PID, which started the\n"
           "                        emulator, is gone (killed or crashed)\n"
           "  --help                show this text\n"
           "\n"
           "SIGUSR1 unplugs the device (it replugs after the replug delay); SIGTERM and SIGINT\n"
           "end the emulator.\n";
}

} // namespace calorant::sim
