#include "app/CommandLine.h"

#include <QCommandLineParser>

namespace calorant {
namespace {

const QCommandLineOption kHelp({QStringLiteral("h"), QStringLiteral("help")},
                               QStringLiteral("show this text"));
const QCommandLineOption kVersion({QStringLiteral("v"), QStringLiteral("version")},
                                  QStringLiteral("show the programme's version"));
const QCommandLineOption kDevice(QStringLiteral("device"),
                                 QStringLiteral("use this serial device as the meter's port "
                                                "(no port scan)"),
                                 QStringLiteral("PATH"));
const QCommandLineOption kDemo(QStringLiteral("demo"),
                               QStringLiteral("start the meter emulator calorant-meter-sim "
                                              "and use it"));

// Our own help and version options, not QCommandLineParser's: those print and end the
// process themselves, and --help-all would need the display the help is answered without.
void describeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("The desktop companion of the five-channel temperature meter."));
    parser.addOptions({kHelp, kVersion, kDevice, kDemo});
    parser.addPositionalArgument(QStringLiteral("FILE.graph"),
                                 QStringLiteral("open this recording at start-up"),
                                 QStringLiteral("[FILE.graph]"));
}

ParsedCommandLine usageError(const QString& reason) {
    return {{}, reason};
}

} // namespace

ParsedCommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(QStringList(QStringLiteral("calorant")) + arguments))
        return usageError(parser.errorText());

    CommandLine result;
    result.showHelp = parser.isSet(kHelp);
    result.showVersion = parser.isSet(kVersion);
    result.demo = parser.isSet(kDemo);
    const QStringList devices = parser.values(kDevice);
    if (devices.contains(QString()))
        return usageError(QStringLiteral("--device needs a device path"));
    if (!devices.isEmpty())
        result.devicePath = devices.last();
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return usageError(QStringLiteral("only one .graph file can be opened"));
    if (!files.isEmpty())
        result.graphFile = files.first();
    if (result.demo && !result.devicePath.isEmpty())
        return usageError(QStringLiteral("--demo and --device cannot be used together"));
    return {result, {}};
}

QString commandLineUsage() {
    QCommandLineParser parser;
    describeOptions(parser);
    return parser.helpText();
}

QString programmeVersion() {
    return QStringLiteral(CALORANT_VERSION);
}

QString versionLine() {
    return QStringLiteral("Calorant ") + programmeVersion();
}

} // namespace calorant
