#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <optional>

namespace calorant {

// Line settings in the form the serial port control takes them: "9600,n,8,1"
// (baud rate, parity letter n/e/o/m/s, data bits, stop bits 1, 1.5 or 2).
struct LineSettings {
    int baudRate = 9600;
    char parity = 'n';
    int dataBits = 8;
    int stopBitsTimesTwo = 2; // 2 = one stop bit, 3 = one and a half, 4 = two

    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// Reads a settings text; nullopt when it is not one. Letters may be either case.
std::optional<LineSettings> parseLineSettings(const QString& text);

// One serial device, reduced to what the serial port control needs. The programme
// drives a real port through SystemSerialPort; tests script a fake.
class SerialPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Opens the device (a path such as /dev/ttyUSB0, or COM3) for reading and writing.
    // False on failure, with the reason in errorString().
    virtual bool open(const QString& device, const LineSettings& settings) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Every byte received and not read yet, in arrival order.
    virtual QByteArray readAll() = 0;

    // Returns once the bytes have left for the line; false (with errorString()) when
    // they could not all be written within a bounded time.
    virtual bool write(const QByteArray& bytes) = 0;

    // Discard what was received and not read, or what waits to be sent.
    virtual void clearInput() = 0;
    virtual void clearOutput() = 0;

    virtual QString errorString() const = 0;
    // The last open failed because this user may not use the device (its permissions,
    // not a device that is busy or missing).
    virtual bool openDenied() const = 0;

signals:
    // New bytes can be read; raised from the event loop.
    void readyRead();
    // The open device failed (unplugged, read or write error). The port stays
    // unusable until it is closed and opened again.
    void failed(const QString& reason);
};

} // namespace calorant
