#pragma once

// SerialPort over QSerialPort. Used from one thread without an event loop: every wait goes
// through the blocking waitFor* calls.

#include "serial_port.h"

#include <QSerialPort>

namespace kestrova {

class SystemSerialPort final : public SerialPort
{
public:
    SystemSerialPort();
    ~SystemSerialPort() override;

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
    bool IsOpen() const override;
    int LastError() const override { return m_lastError; }

private:
    bool Done(bool ok);
    bool WaitForData(int64_t deadlineMs);

    QSerialPort m_port;
    int m_lastError = 0;
};

} // namespace kestrova
