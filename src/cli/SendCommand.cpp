// calorant-cli send: writes one key command (or the power-off command) to the
// meter, exactly as the panel's keys and the main window do.
#include "cli/CliCommand.h"
#include "cli/CliReport.h"
#include "cli/CommandOptions.h"
#include "link/CMSComm.h"
#include "link/MeterCommands.h"
#include "link/MeterPortCommands.h"

#include <array>
#include <optional>

namespace calorant::cli {

namespace {

struct KeyName {
    std::string_view name;
    std::uint8_t code;
};

constexpr std::array<KeyName, 8> kKeys{{
    {"unit", kUnitKey},
    {"dif", kDifferenceKey},
    {"hold", kHoldKey},
    {"maxmin", kMaxMinKey},
    {"rec", kRecordKey},
    {"power", kPowerKey},
    {"dif-double", kDifferenceKeyDouble},
    {"maxmin-double", kMaxMinKeyDouble},
}};
constexpr std::string_view kPowerOffKey = "poweroff";

std::optional<std::uint8_t> keyCode(std::string_view name) {
    for (const KeyName& key : kKeys) {
        if (key.name == name)
            return key.code;
    }
    return std::nullopt;
}

int runSend(const std::vector<std::string>& args) {
    CommandOptions parser("send");
    parser.addValues({"device"});
    if (parser.parse(args) || parser.count("device") != 1 || parser.positional().size() != 1)
        return reportUsageError("send: expected --device PATH KEY");
    const std::string key = parser.positional().front();
    const std::optional<std::uint8_t> code = keyCode(key);
    if (!code && key != kPowerOffKey)
        return reportUsageError("send: unknown key '" + key +
                                "' (unit, dif, hold, maxmin, rec, power, dif-double, "
                                "maxmin-double, poweroff)");

    CMSComm comm;
    comm.setDevicePath(QString::fromStdString(parser.value("device")));
    const bool sent = code ? SendMeterCommand(comm, meterCommand(*code)) : PowerOff(comm);
    if (!sent)
        return reportFailure(comm.errorString().toStdString());
    comm.setPortOpen(false);
    return kExitOk;
}

} // namespace

CliCommand sendCommand() {
    return {"send",
            "send --device PATH KEY   (KEY: unit, dif, hold, maxmin, rec, power, "
            "dif-double, maxmin-double, poweroff)",
            runSend};
}

} // namespace calorant::cli
