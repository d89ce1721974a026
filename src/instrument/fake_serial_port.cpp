#include "fake_serial_port.h"

#include <algorithm>

namespace kestrova {

void FakeLine::Push(const QByteArray &bytes)
{
    for (const char c : bytes)
        rx.push_back(static_cast<uint8_t>(c));
}

void FakeLine::Push(std::initializer_list<uint8_t> bytes)
{
    rx.insert(rx.end(), bytes.begin(), bytes.end());
}

std::shared_ptr<FakeLine> FakePorts::Line(const QString &device)
{
    auto &line = m_lines[device];
    if (!line)
        line = std::make_shared<FakeLine>();
    return line;
}

SerialPortFactory FakePorts::Factory()
{
    return [this] { return PortHandle(new FakeSerialPort(this)); };
}

PortHandle FakeSerialPort::OpenOn(std::shared_ptr<FakeLine> line, ManualClock *clock)
{
    auto port = std::make_unique<FakeSerialPort>(nullptr);
    port->m_line = std::move(line);
    port->m_clock = clock;
    port->m_open = true;
    port->m_line->isOpen = true;
    ++port->m_line->opens;
    return port;
}

bool FakeSerialPort::Fail(int error)
{
    m_lastError = error;
    return false;
}

bool FakeSerialPort::Ok()
{
    m_lastError = SerialNoError;
    return true;
}

bool FakeSerialPort::Open(const QString &device)
{
    if (!m_ports || !m_ports->Has(device))
        return Fail(SerialDeviceNotFound);
    m_clock = m_ports->TheClock();
    m_line = m_ports->Line(device);
    m_ports->LogOpen(device);
    if (m_line->openError != SerialNoError)
        return Fail(m_line->openError);
    if (m_line->isOpen)
        return Fail(SerialPermission);   // held by another port object
    m_line->isOpen = true;
    m_open = true;
    ++m_line->opens;
    return Ok();
}

bool FakeSerialPort::Configure(const PortSettings &settings)
{
    if (!IsOpen())
        return Fail(SerialNotOpen);
    if (m_line->configureError != SerialNoError)
        return Fail(m_line->configureError);
    m_line->settings = settings;
    return Ok();
}

bool FakeSerialPort::SetReadBufferSize(int bytes)
{
    if (!IsOpen())
        return Fail(SerialNotOpen);
    m_line->readBufferSize = bytes;
    return Ok();
}

bool FakeSerialPort::Purge()
{
    if (!IsOpen())
        return Fail(SerialNotOpen);
    m_line->rx.clear();
    ++m_line->purges;
    return Ok();
}

bool FakeSerialPort::Write(const uint8_t *data, size_t size)
{
    if (!IsOpen())
        return Fail(SerialNotOpen);
    if (m_line->writeError != SerialNoError)
        return Fail(m_line->writeError);
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    m_line->written.append(bytes);
    if (m_line->onWrite)
        m_line->onWrite(*m_line, bytes);
    return Ok();
}

bool FakeSerialPort::ReadByte(uint8_t &byte, int timeoutMs)
{
    if (!IsOpen())
        return Fail(SerialNotOpen);
    if (m_line->rx.empty()) {
        int passed = timeoutMs;
        if (m_line->onIdle)
            passed = std::clamp(m_line->onIdle(*m_line, timeoutMs), 0, timeoutMs);
        if (m_clock)
            m_clock->AdvanceMs(m_line->rx.empty() ? timeoutMs : passed);
        if (m_line->rx.empty())
            return Fail(SerialTimeout);
    }
    byte = m_line->rx.front();
    m_line->rx.pop_front();
    return Ok();
}

size_t FakeSerialPort::ReadBytes(uint8_t *data, size_t size, int timeoutMs)
{
    size_t got = 0;
    while (got < size && ReadByte(data[got], timeoutMs))
        ++got;
    return got;
}

int FakeSerialPort::BytesWaiting()
{
    if (!IsOpen())
        return 0;
    if (m_line->rx.empty() && m_line->onIdle)
        m_line->onIdle(*m_line, 0);
    return static_cast<int>(m_line->rx.size());
}

bool FakeSerialPort::SetDtr(bool on)
{
    if (!IsOpen())
        return Fail(SerialNotOpen);
    m_line->dtr = on;
    return Ok();
}

bool FakeSerialPort::SetRts(bool on)
{
    if (!IsOpen())
        return Fail(SerialNotOpen);
    m_line->rts = on;
    return Ok();
}

void FakeSerialPort::Close()
{
    if (m_open && m_line) {
        m_line->isOpen = false;
        ++m_line->closes;
    }
    m_open = false;
    m_lastError = SerialNoError;
}

} // namespace kestrova
