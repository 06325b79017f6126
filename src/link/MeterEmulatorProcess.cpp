#include "link/MeterEmulatorProcess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>

namespace calorant {

namespace {
constexpr int kStopWaitMs = 3000;
}

MeterEmulatorProcess::MeterEmulatorProcess() {
    // Its error messages are worth seeing.
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

MeterEmulatorProcess::~MeterEmulatorProcess() {
    stop();
}

bool MeterEmulatorProcess::start(const QString& programDir, const QStringList& arguments,
                                 int timeoutMs) {
    stop();
    devicePath_.clear();
    const QString program = QDir(programDir).filePath(QString::fromLatin1(kProgramName));
    // Should this programme be killed or crash, the emulator ends by itself.
    const QStringList parent{QStringLiteral("--parent-pid"),
                             QString::number(QCoreApplication::applicationPid())};
    process_.start(program, arguments + parent);
    if (!process_.waitForStarted(timeoutMs))
        return fail(QStringLiteral("cannot start %1: %2").arg(program, process_.errorString()));

    const QDeadlineTimer deadline(timeoutMs);
    while (!process_.canReadLine()) {
        if (process_.state() != QProcess::Running || deadline.hasExpired() ||
            !process_.waitForReadyRead(int(deadline.remainingTime()))) {
            stop();
            return fail(QStringLiteral("%1 named no device").arg(program));
        }
    }
    devicePath_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    if (devicePath_.isEmpty()) {
        stop();
        return fail(QStringLiteral("%1 named no device").arg(program));
    }
    // What follows (its report of received commands) is not needed here; it is read
    // away so that a full pipe never blocks the emulator.
    process_.readAllStandardOutput();
    dropOutput_ = QObject::connect(&process_, &QProcess::readyReadStandardOutput, &process_,
                                   [this] { process_.readAllStandardOutput(); });
    return true;
}

void MeterEmulatorProcess::stop() {
    QObject::disconnect(dropOutput_);
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(kStopWaitMs)) {
        process_.kill();
        process_.waitForFinished(kStopWaitMs);
    }
}

bool MeterEmulatorProcess::fail(const QString& reason) {
    errorString_ = reason;
    return false;
}

} // namespace calorant
