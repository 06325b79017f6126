#include "cli/CommandOptions.h"

#include <QCommandLineOption>
#include <QRegularExpression>

namespace calorant::cli {

CommandOptions::CommandOptions(std::string_view command) : command_(command) {
    // "-device" is the option "device", not six one-letter options.
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
}

void CommandOptions::addFlags(std::initializer_list<const char*> names) {
    for (const char* name : names)
        parser_.addOption(QCommandLineOption(QString::fromLatin1(name)));
}

void CommandOptions::addValues(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const QString option = QString::fromLatin1(name);
        parser_.addOption(QCommandLineOption(option, QString(), QStringLiteral("value")));
        valueOptions_.append(spelled(option));
    }
}

std::optional<std::string> CommandOptions::parse(const std::vector<std::string>& args) {
    QStringList arguments{QStringLiteral("calorant-cli")};
    for (const std::string& arg : args)
        arguments.append(QString::fromStdString(arg));
    if (parser_.parse(arguments))
        return std::nullopt;
    // An option takes whatever follows it, so only the last one can lack its value.
    if (parser_.unknownOptionNames().isEmpty() && !args.empty() &&
        valueOptions_.contains(QString::fromStdString(args.back())))
        return command_ + ": " + args.back() + " needs a value";
    return unknownArgumentOf(args);
}

std::optional<std::string> CommandOptions::parseOptionsOnly(const std::vector<std::string>& args) {
    if (std::optional<std::string> error = parse(args))
        return error;
    if (!parser_.positionalArguments().isEmpty())
        return unknownArgument(parser_.positionalArguments().front().toStdString());
    return std::nullopt;
}

bool CommandOptions::isSet(const char* name) const {
    return parser_.isSet(QString::fromLatin1(name));
}

std::string CommandOptions::value(const char* name) const {
    return parser_.value(QString::fromLatin1(name)).toStdString();
}

int CommandOptions::count(const char* name) const {
    return static_cast<int>(parser_.values(QString::fromLatin1(name)).size());
}

std::vector<std::string> CommandOptions::positional() const {
    std::vector<std::string> arguments;
    for (const QString& argument : parser_.positionalArguments())
        arguments.push_back(argument.toStdString());
    return arguments;
}

std::string CommandOptions::unknownArgument(std::string_view argument) const {
    return command_ + ": unknown argument '" + std::string(argument) + "'";
}

QString CommandOptions::spelled(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// The argument as it was written: an unknown option, or a flag given a value.
std::string CommandOptions::unknownArgumentOf(const std::vector<std::string>& args) const {
    const QStringList unknown = parser_.unknownOptionNames();
    for (const std::string& arg : args) {
        const QString written = QString::fromStdString(arg);
        if (!written.startsWith(QLatin1Char('-')))
            continue;
        const QString name = written.section(QLatin1Char('='), 0, 0)
                                 .remove(QRegularExpression(QStringLiteral("^-+")));
        if (unknown.isEmpty() ? written.contains(QLatin1Char('=')) : unknown.contains(name))
            return unknownArgument(arg);
    }
    return command_ + ": " + parser_.errorText().toStdString();
}

} // namespace calorant::cli
