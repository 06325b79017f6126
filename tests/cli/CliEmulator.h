#pragma once

// Running calorant-cli and the meter emulator as the user would, for the end-to-end
// tests of the commands that talk to the meter.
#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace cli_test {

inline QString binDir() {
    return qEnvironmentVariable("CALORANT_BIN_DIR");
}

struct CliResult {
    int exitCode = -1;
    QStringList outLines;
    QStringList errLines;
};

// Waits for a started process to end and collects what it printed.
inline CliResult finishProgram(QProcess& process) {
    CliResult result;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << process.program().toStdString()
                      << " did not finish: " << process.arguments().join(' ').toStdString();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.outLines =
        QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    result.errLines =
        QString::fromUtf8(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    return result;
}

// Runs `program` with `args` to its end and collects what it printed; `prepare` may set
// the process up before it starts.
inline CliResult
runProgram(const QString& program, const QStringList& args,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
           const std::function<void(QProcess&)>& prepare = {}) {
    QProcess process;
    process.setProcessEnvironment(environment);
    if (prepare)
        prepare(process);
    process.start(program, args);
    return finishProgram(process);
}

inline CliResult
runCli(const QStringList& args,
       const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
       const std::function<void(QProcess&)>& prepare = {}) {
    return runProgram(binDir() + QStringLiteral("/calorant-cli"), args, environment, prepare);
}

// calorant-meter-sim with the given options, on its own pseudo-terminal.
class Emulator {
public:
    explicit Emulator(const QStringList& args) {
        process_.start(binDir() + QStringLiteral("/calorant-meter-sim"), args);
        if (!process_.waitForStarted(5000))
            return;
        const QDeadlineTimer deadline(5000);
        while (!process_.canReadLine() && process_.waitForReadyRead(int(deadline.remainingTime())))
            ;
        pty_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    }
    ~Emulator() {
        process_.terminate();
        if (!process_.waitForFinished(3000))
            process_.kill();
        process_.waitForFinished();
    }
    Emulator(const Emulator&) = delete;
    Emulator& operator=(const Emulator&) = delete;

    // The terminal's path; empty when the emulator did not start.
    const QString& pty() const { return pty_; }

    // Pulls the device out now; it comes back after the emulator's replug delay.
    void unplug() { ::kill(pid_t(process_.processId()), SIGUSR1); }

    // The next `count` commands the emulator reports as received ("AA 55 01"); fewer
    // when it stays silent for five seconds.
    QStringList receivedCommands(int count) {
        QStringList commands;
        while (commands.size() < count) {
            if (!process_.canReadLine() && !process_.waitForReadyRead(5000))
                break;
            while (process_.canReadLine() && commands.size() < count) {
                const QString line = QString::fromUtf8(process_.readLine()).trimmed();
                if (line.startsWith(QStringLiteral("received ")))
                    commands.append(line.mid(9));
            }
        }
        return commands;
    }

private:
    QProcess process_;
    QString pty_;
};

// The emulator with `args`, its fixed channels streamed every 100 ms and its device
// published at a link in `dir`, which follows it through an unplug; returns the link.
inline QString startLinkedEmulator(std::optional<Emulator>& emulator, const QString& dir,
                                   QStringList args) {
    const QString link = dir + QStringLiteral("/meter");
    emulator.emplace(args << QStringLiteral("--scenario") << QStringLiteral("fixed")
                          << QStringLiteral("--frame-interval") << QStringLiteral("100")
                          << QStringLiteral("--link") << link);
    EXPECT_FALSE(emulator->pty().isEmpty()) << "the emulator did not start";
    return link;
}

} // namespace cli_test
