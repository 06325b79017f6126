#pragma once

#include "link/SerialPort.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// A scripted serial port for tests: bytes "arrive" when the test delivers them,
// openings and writes fail when the test says so, and everything the code under
// test does to the port is recorded.
class FakeSerialPort final : public calorant::SerialPort {
    Q_OBJECT
public:
    // --- script ---
    // Every following open fails with this reason (empty: opens succeed again).
    void failOpensWith(const QString& reason) {
        openFailure_ = reason;
        opensDenied_ = false;
    }
    // Every following open fails because this user may not use the device.
    void denyOpens() {
        openFailure_ = QStringLiteral("Permission denied");
        opensDenied_ = true;
    }
    // Write attempts from this one on (0 = the first) fail; -1: none fails.
    void failWritesFrom(int attemptIndex) { firstFailingWrite_ = attemptIndex; }
    // Runs inside every write, before it returns (to let bytes arrive meanwhile).
    std::function<void()> duringWrite;
    // Bytes arrive from the line: they are buffered and readyRead is raised.
    void deliver(const QByteArray& bytes);
    // The open device breaks down (as an unplugged adapter does).
    void breakDown(const QString& reason) { emit failed(reason); }

    // --- observations ---
    QStringList openedDevices;           // every successful open, in order
    calorant::LineSettings openSettings; // settings of the last open attempt
    int closeCount = 0;                  // closes of an open port
    int inputClears = 0;
    int outputClears = 0;
    int writeAttempts = 0;
    QList<QByteArray> written; // the writes that succeeded, in order
    QByteArray writtenBytes() const;
    QByteArray unread() const { return received_; }

    // --- SerialPort ---
    bool open(const QString& device, const calorant::LineSettings& settings) override;
    void close() override;
    bool isOpen() const override { return open_; }
    QByteArray readAll() override;
    bool write(const QByteArray& bytes) override;
    void clearInput() override;
    void clearOutput() override;
    QString errorString() const override { return errorString_; }
    bool openDenied() const override { return lastOpenDenied_; }

private:
    bool open_ = false;
    QString openFailure_;
    bool opensDenied_ = false;
    bool lastOpenDenied_ = false;
    int firstFailingWrite_ = -1;
    QByteArray received_;
    QString errorString_;
};
