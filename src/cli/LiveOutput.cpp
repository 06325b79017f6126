#include "cli/LiveOutput.h"

#include "core/CalendarTime.h"
#include "core/NumberFormat.h"

#include <array>
#include <initializer_list>
#include <string_view>

namespace calorant::cli {

namespace {

std::string jsonString(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string quoted = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20) {
            quoted += "\\u00";
            quoted += kHex[byte >> 4];
            quoted += kHex[byte & 0x0F];
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

template <std::size_t N> std::string jsonStrings(const std::array<std::string, N>& texts) {
    std::string list = "[";
    for (std::size_t i = 0; i < N; ++i)
        list += (i == 0 ? "" : ",") + jsonString(texts[i]);
    return list + "]";
}

std::string jsonChannels(const Channels& channels) {
    std::string list = "[";
    for (int i = 0; i < kChannelCount; ++i)
        list += (i == 0 ? "" : ",") + formatFixed(channels[i], 1);
    return list + "]";
}

class JsonObject {
public:
    JsonObject& add(std::string_view name, const std::string& jsonValue) {
        text_ += (text_.size() == 1 ? "" : ",") + jsonString(name) + ":" + jsonValue;
        return *this;
    }
    JsonObject& addText(std::string_view name, std::string_view value) {
        return add(name, jsonString(value));
    }
    std::string close() const { return text_ + "}"; }

private:
    std::string text_ = "{";
};

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Appends the non-blank texts as one group: single spaces inside, two before.
void appendGroup(std::string& line, std::initializer_list<std::string_view> texts) {
    std::string group;
    for (std::string_view text : texts) {
        const std::string_view shown = trimmed(text);
        if (shown.empty())
            continue;
        if (!group.empty())
            group += ' ';
        group += shown;
    }
    if (!group.empty())
        line += "  " + group;
}

std::string channelText(float celsius, TemperatureUnit unit) {
    if (celsius >= kNoValueThreshold)
        return "----";
    return formatFixed(fromCelsius(celsius, unit), 1);
}

} // namespace

std::string liveFrameJson(const LiveFrame& frame, const MeterState& state) {
    return JsonObject()
        .addText("arrivalTime", formatTime(frame.arrivalTime, "%Y-%m-%dT%H:%M:%S"))
        .add("channel", jsonChannels(frame.channel))
        .add("readingText", jsonStrings(state.readingText()))
        .addText("unitText", state.unitText())
        .addText("recText", state.recText())
        .addText("holdText", state.holdText())
        .addText("batteryText", state.batteryText())
        .addText("mainLabel", state.mainLabel())
        .addText("secondLabel", state.secondLabel())
        .addText("thirdLabel", state.thirdLabel())
        .addText("irTempText", state.irTempText())
        .addText("statModeText", state.statModeText())
        .addText("elapsedUnitText", state.elapsedUnitText())
        .add("difLabel", jsonStrings(state.difLabel()))
        .addText("probeTypeText", state.probeTypeText())
        .add("maxText", jsonStrings(state.maxText()))
        .add("minText", jsonStrings(state.minText()))
        .add("avgText", jsonStrings(state.avgText()))
        .close();
}

std::string liveFrameLine(const LiveFrame& frame, const MeterState& state) {
    std::string line = formatTime(frame.arrivalTime, "%Y-%m-%d %H:%M:%S");
    for (int i = 0; i < kChannelCount; ++i) {
        line += "  ";
        line += kChannelNames[i];
        line += ' ';
        line += channelText(frame.channel[i], state.unitCode());
    }
    line += ' ';
    line += unitLetter(state.unitCode());

    line += "  |";
    const auto& reading = state.readingText();
    appendGroup(line, {state.mainLabel(), reading[0], state.unitText()});
    appendGroup(line, {state.secondLabel(), reading[1]});
    appendGroup(line,
                {state.statModeText(), state.thirdLabel(), reading[2], state.elapsedUnitText()});
    appendGroup(line, {state.irTempText()});
    appendGroup(line, {state.holdText(), state.recText()});
    line += "  battery ";
    line += state.batteryText();
    return line;
}

} // namespace calorant::cli
