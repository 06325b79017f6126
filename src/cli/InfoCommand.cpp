// calorant-cli info FILE.graph [--json]: every field of a .graph file.
#include "cli/CliCommand.h"
#include "cli/CliReport.h"
#include "cli/CommandOptions.h"
#include "cli/GraphFileInput.h"
#include "core/NumberFormat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace calorant::cli {

namespace {

constexpr std::string_view kInfoUsage = "info FILE.graph [--json]";

struct InfoOptions {
    std::string path;
    bool json = false;
};

std::optional<InfoOptions> parseInfoOptions(const std::vector<std::string>& args) {
    CommandOptions parser("info");
    parser.addFlags({"json"});
    if (parser.parse(args) || parser.positional().size() != 1)
        return std::nullopt;
    return InfoOptions{parser.positional().front(), parser.isSet("json")};
}

// The shortest text that reads back as the same float, independent of the locale, so
// the values are shown exactly as the file stores them.
std::string floatText(float value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

// The double nearest to the float's shortest text, so JSON shows 25.3 and not the
// float's binary neighbour 25.299999237060547; not-a-number and infinity become null.
QJsonValue jsonFloat(float value) {
    if (!std::isfinite(value))
        return QJsonValue::Null;
    const std::string text = floatText(value);
    double shortest = 0;
    std::from_chars(text.data(), text.data() + text.size(), shortest);
    return shortest;
}

std::string unitText(std::uint8_t code) {
    const std::optional<TemperatureUnit> unit = unitOfCode(code);
    return unit ? std::string(unitLetter(*unit)) : "?";
}

struct Field {
    const char* name;
    long long value;
};

std::array<Field, 11> integerFields(const GraphFileContents& file) {
    const LoggerSet& set = file.set;
    return {{{"readingCount", set.readingCount},
             {"unit", set.unit},
             {"startYear", set.startYear},
             {"startMonth", set.startMonth},
             {"startDay", set.startDay},
             {"startHour", set.startHour},
             {"startMinute", set.startMinute},
             {"startSecond", set.startSecond},
             {"sampleRate", set.sampleRate},
             {"yGain", file.yGain},
             {"yOffset", file.yOffset}}};
}

std::string infoText(const GraphFileContents& file) {
    const LoggerSet& set = file.set;
    std::string text;
    for (const Field& field : integerFields(file)) {
        text += std::string(field.name) + ": " + formatInt(field.value);
        if (std::string_view(field.name) == "unit")
            text += " (" + unitText(set.unit) + ")";
        text += '\n';
    }
    text += "readings (degrees C):\nNo\tT1\tT2\tIR\tT3\tT4\n";
    for (int r = 0; r < storedReadingCount(set); ++r) {
        text += formatInt(r + 1);
        for (int c = 0; c < kChannelCount; ++c)
            text += '\t' + floatText(readingValue(set, r, c));
        text += '\n';
    }
    return text;
}

std::string infoJson(const GraphFileContents& file) {
    const LoggerSet& set = file.set;
    QJsonObject object;
    for (const Field& field : integerFields(file))
        object.insert(QLatin1String(field.name), static_cast<qint64>(field.value));
    object.insert("unitText", isUnitCode(set.unit)
                                  ? QJsonValue(QString::fromStdString(unitText(set.unit)))
                                  : QJsonValue(QJsonValue::Null));
    QJsonArray values;
    for (int r = 0; r < storedReadingCount(set); ++r) {
        QJsonArray reading;
        for (int c = 0; c < kChannelCount; ++c)
            reading.append(jsonFloat(readingValue(set, r, c)));
        values.append(reading);
    }
    object.insert("values", values);
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() + '\n';
}

int runInfo(const std::vector<std::string>& args) {
    const std::optional<InfoOptions> options = parseInfoOptions(args);
    if (!options)
        return reportUsage(kInfoUsage);
    const std::optional<GraphFileContents> input = loadGraphFile("info", options->path);
    if (!input)
        return kExitFailure;
    const std::string out = options->json ? infoJson(*input) : infoText(*input);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kExitOk;
}

} // namespace

CliCommand infoCommand() {
    return {"info", kInfoUsage, runInfo};
}

} // namespace calorant::cli
