#pragma once

// A scripted serial port for tests: each device path has a FakeLine that outlives the port
// objects opened on it, holds the bytes waiting to be read and records what was written.
// Reading from an empty line gives the line's idle handler a chance to produce bytes (a
// simulated instrument), otherwise it times out at once and moves the ManualClock on instead.

#include "clock.h"
#include "serial_port.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <map>
#include <memory>

namespace kestrova {

struct FakeLine
{
    std::deque<uint8_t> rx;
    QByteArray written;
    int openError = SerialNoError;      // Open fails with this error
    int configureError = SerialNoError;
    int writeError = SerialNoError;
    int purges = 0;
    int opens = 0;
    int closes = 0;
    int readBufferSize = 0;
    PortSettings settings;
    bool dtr = false;
    bool rts = false;
    bool isOpen = false;
    // Called with each write; may push a reply.
    std::function<void(FakeLine &, const QByteArray &)> onWrite;
    // Called when a read finds nothing; may push bytes; returns the milliseconds that passed
    // (at most the time-out given).
    std::function<int(FakeLine &, int timeoutMs)> onIdle;

    void Push(const QByteArray &bytes);
    void Push(std::initializer_list<uint8_t> bytes);
};

class FakePorts
{
public:
    explicit FakePorts(ManualClock *clock = nullptr) : m_clock(clock) {}
    // The line of a device path, created on first use.
    std::shared_ptr<FakeLine> Line(const QString &device);
    bool Has(const QString &device) const { return m_lines.count(device) != 0; }
    SerialPortFactory Factory();
    ManualClock *TheClock() const { return m_clock; }
    // Device paths in the order they were opened.
    const QStringList &OpenLog() const { return m_openLog; }
    void LogOpen(const QString &device) { m_openLog.append(device); }

private:
    ManualClock *m_clock;
    std::map<QString, std::shared_ptr<FakeLine>> m_lines;
    QStringList m_openLog;
};

class FakeSerialPort final : public SerialPort
{
public:
    explicit FakeSerialPort(FakePorts *ports) : m_ports(ports) {}
    ~FakeSerialPort() override { Close(); }
    // A port already open on line (for tests of a single routine).
    static PortHandle OpenOn(std::shared_ptr<FakeLine> line, ManualClock *clock = nullptr);

    bool Open(const QString &device) override;
    bool Configure(const PortSettings &settings) override;
    bool SetReadBufferSize(int bytes) override;
    bool Purge() override;
    bool Write(const uint8_t *data, size_t size) override;
    bool ReadByte(uint8_t &byte, int timeoutMs) override;
    size_t ReadBytes(uint8_t *data, size_t size, int timeoutMs) override;
    int BytesWaiting() override;
    bool SetDtr(bool on) override;
    bool SetRts(bool on) override;
    void Close() override;
    bool IsOpen() const override { return m_line && m_line->isOpen && m_open; }
    int LastError() const override { return m_lastError; }

private:
    bool Fail(int error);
    bool Ok();

    FakePorts *m_ports = nullptr;
    ManualClock *m_clock = nullptr;
    std::shared_ptr<FakeLine> m_line;
    bool m_open = false;
    int m_lastError = SerialNoError;
};

} // namespace kestrova
