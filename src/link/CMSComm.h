#pragma once

#include "link/SerialPort.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

namespace calorant {

// The serial port control the programme talks to the meter through, with the
// properties and the OnComm event of the classic Comm control:
//
// - Input arrives into a receive buffer; onComm() is raised from the event loop
//   whenever bytes arrive and at least RThreshold bytes are buffered (commEvent()
//   then reads kCommEventReceive). RThreshold 0 raises no receive event.
// - input() returns and removes everything buffered (or at most InputLen bytes).
// - output() returns once the bytes have left for the line.
// - Every failure is returned to the caller (false, reason in errorString());
//   the callers decide whether to drop it.
// - When the open device fails (unplugged, read or write error) the port is
//   closed and portFailed() raised, so that a watchdog can reopen it later.
//
// The port is named by number (CommPort, mapped to a device name for the platform)
// or directly by a device path.
class CMSComm : public QObject {
    Q_OBJECT
public:
    static constexpr int kCommEventReceive = 2;
    static constexpr int kInputModeBinary = 1;
    // Far more than the largest block the programme waits for (a logger download
    // of 131072 bytes); bytes beyond it are dropped and counted.
    static constexpr qsizetype kInBufferCapacity = 262144;

    // A control over the system's serial ports.
    explicit CMSComm(QObject* parent = nullptr);
    // A control over the given port (a fake one in tests).
    explicit CMSComm(std::unique_ptr<SerialPort> port, QObject* parent = nullptr);
    ~CMSComm() override;

    // Port number 1..255, mapped to the platform's device name. Takes effect at the
    // next opening. False for a number out of range.
    bool setCommPort(int port);
    // The port number, or 0 when the device was named by a path that is no numbered port.
    int commPort() const { return commPort_; }
    // Names the device directly (a pseudo-terminal, an unnumbered adapter).
    void setDevicePath(const QString& path);
    QString deviceName() const { return deviceName_; }

    // Line settings such as "9600,n,8,1" (the default). Take effect at the next opening.
    bool setSettings(const QString& settings);
    QString settings() const { return settingsText_; }

    // Opening an open port, or closing a closed one, changes nothing.
    bool setPortOpen(bool open);
    bool portOpen() const;

    void setRThreshold(int byteCount);
    int rThreshold() const { return rThreshold_; }

    // Only binary input is supported; input() always returns bytes.
    bool setInputMode(int mode);
    // 0: input() returns everything buffered; n > 0: at most n bytes.
    bool setInputLen(int length);

    QByteArray input();
    int inBufferCount() const { return int(inBuffer_.size()); }
    // Setting 0 discards everything received and not yet read; other values fail.
    bool setInBufferCount(int count);
    // Setting 0 discards output not yet sent; other values fail.
    bool setOutBufferCount(int count);

    bool output(const QByteArray& bytes);

    // Reason of the last event.
    int commEvent() const { return commEvent_; }

    // Reason of the last failure.
    QString errorString() const { return errorString_; }
    // Received bytes dropped because the receive buffer was full.
    qint64 droppedByteCount() const { return droppedByteCount_; }

signals:
    // The OnComm event.
    void onComm();
    // The open port failed and has been closed.
    void portFailed(const QString& reason);
    // An opening failed because this user may not use the device; raised from inside
    // setPortOpen, errorString() then holds portPermissionMessage().
    void openDenied(const QString& device);

private:
    void takeArrivedBytes();
    void raiseReceiveEventIfDue();
    void scheduleReceiveCheck();
    void handlePortFailure(const QString& reason, quint64 session);
    bool fail(const QString& reason);

    std::unique_ptr<SerialPort> port_;
    int commPort_ = 1;
    QString deviceName_;
    QString settingsText_;
    LineSettings lineSettings_;
    int rThreshold_ = 0;
    int inputLen_ = 0;
    int commEvent_ = 0;
    QByteArray inBuffer_;
    QString errorString_;
    qint64 droppedByteCount_ = 0;
    // Counts openings, so that a failure reported for an earlier opening cannot
    // close a later one.
    quint64 session_ = 0;
    bool writing_ = false;
    bool receiveCheckScheduled_ = false;
};

} // namespace calorant
