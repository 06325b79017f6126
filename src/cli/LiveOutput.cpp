#include "cli/LiveOutput.h"

#include "core/CalendarTime.h"
#include "core/NumberFormat.h"
#include "core/TemperatureText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <charconv>
#include <initializer_list>
#include <string_view>

namespace calorant::cli {

namespace {

template <std::size_t N> QJsonArray jsonTexts(const std::array<std::string, N>& texts) {
    QJsonArray list;
    for (const std::string& text : texts)
        list.append(QString::fromStdString(text));
    return list;
}

// Each value as the tenths the meter sent, not the float's binary neighbour.
QJsonArray jsonChannels(const Channels& channels) {
    QJsonArray list;
    for (const float celsius : channels) {
        const std::string text = formatFixed(celsius, 1);
        double tenths = 0;
        std::from_chars(text.data(), text.data() + text.size(), tenths);
        list.append(tenths);
    }
    return list;
}

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

} // namespace

std::string liveFrameJson(const LiveFrame& frame, const MeterState& state) {
    const auto text = [](const std::string& value) { return QString::fromStdString(value); };
    const QJsonObject object{
        {"arrivalTime", text(formatTime(frame.arrivalTime, "%Y-%m-%dT%H:%M:%S"))},
        {"channel", jsonChannels(frame.channel)},
        {"readingText", jsonTexts(state.readingText())},
        {"unitText", text(state.unitText())},
        {"recText", text(state.recText())},
        {"holdText", text(state.holdText())},
        {"batteryText", text(state.batteryText())},
        {"mainLabel", text(state.mainLabel())},
        {"secondLabel", text(state.secondLabel())},
        {"thirdLabel", text(state.thirdLabel())},
        {"irTempText", text(state.irTempText())},
        {"statModeText", text(state.statModeText())},
        {"elapsedUnitText", text(state.elapsedUnitText())},
        {"difLabel", jsonTexts(state.difLabel())},
        {"probeTypeText", text(state.probeTypeText())},
        {"maxText", jsonTexts(state.maxText())},
        {"minText", jsonTexts(state.minText())},
        {"avgText", jsonTexts(state.avgText())},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

std::string liveFrameLine(const LiveFrame& frame, const MeterState& state) {
    std::string line = formatTime(frame.arrivalTime, "%Y-%m-%d %H:%M:%S");
    for (int i = 0; i < kChannelCount; ++i) {
        line += "  ";
        line += kChannelNames[i];
        line += ' ';
        line += temperatureText(frame.channel[i], state.unitCode(), kLiveValueStyle);
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
