#pragma once

#include <QString>
#include <QStringList>

namespace calorant {

// calorant [--device PATH] [--demo] [FILE.graph], plus --help and --version.
struct CommandLine {
    // Serial device used as the found meter port: no port scan takes place.
    QString devicePath;
    // Start the meter emulator and use its pseudo-terminal as the device.
    bool demo = false;
    // A .graph file opened into the document before the window shows, then shown in the
    // logger graph window.
    QString graphFile;
    bool showHelp = false;
    bool showVersion = false;
};

struct ParsedCommandLine {
    CommandLine commandLine;
    QString error; // empty when the arguments were understood
};

// Reads the arguments after the programme name (Qt's own options already removed).
// "--device PATH" and "--device=PATH" are both accepted; "--" ends the options.
ParsedCommandLine parseCommandLine(const QStringList& arguments);

// The help text printed for --help and after a usage error. Its usage line names the
// programme as the running application was started.
QString commandLineUsage();

// The version of the project the programme was built from, such as "3.0.1".
QString programmeVersion();

// "Calorant 3.0.1", printed for --version.
QString versionLine();

} // namespace calorant
