#pragma once

#include <QCommandLineParser>
#include <QStringList>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calorant::cli {

// The options of one command, read by QCommandLineParser. Options are named without
// their dashes: a one-letter name is written "-o", a longer one "--device". An option
// given more than once keeps every value; value() is the last one.
class CommandOptions {
public:
    explicit CommandOptions(std::string_view command);

    // Options that take no value, and options that take one.
    void addFlags(std::initializer_list<const char*> names);
    void addValues(std::initializer_list<const char*> names);

    // Reads the arguments that follow the command's name. Returns nothing, or the usage
    // error every command gives: "COMMAND: unknown argument 'ARG'" or "COMMAND: ARG
    // needs a value".
    std::optional<std::string> parse(const std::vector<std::string>& args);
    // The same for a command that takes options alone: any other argument is unknown.
    std::optional<std::string> parseOptionsOnly(const std::vector<std::string>& args);

    bool isSet(const char* name) const;
    std::string value(const char* name) const;
    int count(const char* name) const;
    std::vector<std::string> positional() const;

private:
    std::string unknownArgument(std::string_view argument) const;
    static QString spelled(const QString& name);
    std::string unknownArgumentOf(const std::vector<std::string>& args) const;

    std::string command_;
    QCommandLineParser parser_;
    QStringList valueOptions_; // as written on the command line
};

} // namespace calorant::cli
