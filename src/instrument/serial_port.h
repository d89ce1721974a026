#pragma once

// The serial layer the link needs, behind one small interface: the product uses the Qt
// implementation (SystemSerialPort), the unit tests a scripted fake.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace kestrova {

struct PortSettings
{
    int baud = 115200;
    int dataBits = 8;
    char parity = 'n';      // 'n' none, 'e' even, 'o' odd, 'm' mark, 's' space
    int stopBits = 2;       // 1 or 2
    bool softwareFlow = false;
    bool hardwareFlow = false;
    int bufferSize = 8192;  // receive buffer of the driver, bytes
};

// The instrument: 115200 8N2, no flow control.
inline constexpr PortSettings InstrumentPortSettings {};
// The older text device: 19200 8N1.
inline constexpr PortSettings TextDevicePortSettings {19200, 8, 'n', 1, false, false, 8192};

// Error codes of the serial layer (the numbers of Qt's serial port errors).
enum SerialError : int {
    SerialNoError = 0,
    SerialDeviceNotFound = 1,
    SerialPermission = 2,
    SerialOpen = 3,
    SerialWrite = 7,
    SerialRead = 8,
    SerialResource = 9,
    SerialUnsupportedOperation = 10,
    SerialUnknown = 11,
    SerialTimeout = 12,
    SerialNotOpen = 13,
};

class SerialPort
{
public:
    virtual ~SerialPort() = default;

    // device: the full device path (/dev/ttyUSB0).
    virtual bool Open(const QString &device) = 0;
    virtual bool Configure(const PortSettings &settings) = 0;
    virtual bool SetReadBufferSize(int bytes) = 0;
    // Discards everything in the send and receive buffers.
    virtual bool Purge() = 0;
    virtual bool Write(const uint8_t *data, size_t size) = 0;
    // One byte within timeoutMs; false on time-out or error (LastError tells which).
    virtual bool ReadByte(uint8_t &byte, int timeoutMs) = 0;
    // Up to size bytes within timeoutMs in total; returns how many arrived.
    virtual size_t ReadBytes(uint8_t *data, size_t size, int timeoutMs) = 0;
    virtual int BytesWaiting() = 0;
    virtual bool SetDtr(bool on) = 0;
    virtual bool SetRts(bool on) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // SerialError of the last operation (0 after a success).
    virtual int LastError() const = 0;
};

using PortHandle = std::unique_ptr<SerialPort>;
using SerialPortFactory = std::function<PortHandle()>;

// Makes SystemSerialPort objects.
const SerialPortFactory &DefaultSerialPortFactory();

} // namespace kestrova
