#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace calorant {

// The meter emulator calorant-meter-sim run as a child process, so that every
// feature can be tried without an instrument. The emulator opens a
// pseudo-terminal and prints its path as the first line of its output; the
// programme then talks to that path like to any serial device. The child is
// stopped when this object goes away, and ends by itself should this programme
// end without that (killed, crashed).
class MeterEmulatorProcess {
public:
    static constexpr const char* kProgramName = "calorant-meter-sim";

    MeterEmulatorProcess();
    ~MeterEmulatorProcess();
    MeterEmulatorProcess(const MeterEmulatorProcess&) = delete;
    MeterEmulatorProcess& operator=(const MeterEmulatorProcess&) = delete;

    // Starts the emulator found in programDir and waits (at most timeoutMs) for
    // its device path. False with errorString() when it cannot be started or
    // names no device in time.
    [[nodiscard]] bool start(const QString& programDir, const QStringList& arguments,
                             int timeoutMs = 5000);
    // Ends the emulator (politely first); does nothing when it is not running.
    void stop();

    QString devicePath() const { return devicePath_; }
    QString errorString() const { return errorString_; }

private:
    bool fail(const QString& reason);

    QProcess process_;
    QMetaObject::Connection dropOutput_;
    QString devicePath_;
    QString errorString_;
};

} // namespace calorant
