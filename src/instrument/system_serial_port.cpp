#include "system_serial_port.h"

#include <QDeadlineTimer>

#ifdef Q_OS_UNIX
#include <termios.h>
#endif

namespace kestrova {

const SerialPortFactory &DefaultSerialPortFactory()
{
    static const SerialPortFactory factory = [] { return PortHandle(new SystemSerialPort); };
    return factory;
}

SystemSerialPort::SystemSerialPort() = default;

SystemSerialPort::~SystemSerialPort()
{
    if (m_port.isOpen())
        m_port.close();
}

bool SystemSerialPort::Done(bool ok)
{
    if (ok) {
        m_lastError = SerialNoError;
    } else {
        m_lastError = m_port.error();
        if (m_lastError == SerialNoError)
            m_lastError = SerialUnknown;
    }
    m_port.clearError();
    return ok;
}

bool SystemSerialPort::Open(const QString &device)
{
    if (m_port.isOpen())
        m_port.close();
    m_port.setPortName(device);
    return Done(m_port.open(QIODevice::ReadWrite));
}

bool SystemSerialPort::Configure(const PortSettings &s)
{
    if (!m_port.isOpen()) {
        m_lastError = SerialNotOpen;
        return false;
    }
    QSerialPort::Parity parity = QSerialPort::NoParity;
    switch (s.parity) {
    case 'e': case 'E': parity = QSerialPort::EvenParity; break;
    case 'o': case 'O': parity = QSerialPort::OddParity; break;
    case 'm': case 'M': parity = QSerialPort::MarkParity; break;
    case 's': case 'S': parity = QSerialPort::SpaceParity; break;
    default: break;
    }
    const auto flow = s.hardwareFlow ? QSerialPort::HardwareControl
                      : s.softwareFlow ? QSerialPort::SoftwareControl : QSerialPort::NoFlowControl;
    const bool ok = m_port.setBaudRate(s.baud)
                    && m_port.setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits))
                    && m_port.setParity(parity)
                    && m_port.setStopBits(s.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop)
                    && m_port.setFlowControl(flow);
    return Done(ok);
}

bool SystemSerialPort::SetReadBufferSize(int bytes)
{
    m_port.setReadBufferSize(bytes);
    return Done(true);
}

bool SystemSerialPort::Purge()
{
    if (!m_port.isOpen()) {
        m_lastError = SerialNotOpen;
        return false;
    }
    return Done(m_port.clear(QSerialPort::AllDirections));
}

bool SystemSerialPort::Write(const uint8_t *data, size_t size)
{
    if (!m_port.isOpen()) {
        m_lastError = SerialNotOpen;
        return false;
    }
    const qint64 n = m_port.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    if (n != static_cast<qint64>(size))
        return Done(false);
    // Without an event loop the bytes leave only through flush or waitForBytesWritten.
    m_port.flush();
    if (m_port.bytesToWrite() > 0 && !m_port.waitForBytesWritten(1000))
        return Done(false);
#ifdef Q_OS_UNIX
    // A purge right after a command (the acknowledgement of a reading) must not discard the
    // command from the driver's send buffer: wait until it has left (under a millisecond).
    ::tcdrain(static_cast<int>(m_port.handle()));
#endif
    return Done(true);
}

bool SystemSerialPort::WaitForData(int64_t deadlineMs)
{
    QDeadlineTimer deadline(deadlineMs);
    while (m_port.bytesAvailable() == 0) {
        const qint64 left = deadline.remainingTime();
        if (left <= 0)
            return false;
        if (!m_port.waitForReadyRead(static_cast<int>(left))) {
            if (m_port.error() != QSerialPort::TimeoutError && m_port.error() != QSerialPort::NoError)
                return false;
            if (m_port.bytesAvailable() == 0 && deadline.hasExpired())
                return false;
        }
    }
    return true;
}

bool SystemSerialPort::ReadByte(uint8_t &byte, int timeoutMs)
{
    if (!m_port.isOpen()) {
        m_lastError = SerialNotOpen;
        return false;
    }
    if (!WaitForData(timeoutMs)) {
        const int err = m_port.error();
        m_port.clearError();
        m_lastError = (err == SerialNoError || err == SerialTimeout) ? SerialTimeout : err;
        return false;
    }
    char c = 0;
    if (m_port.read(&c, 1) != 1)
        return Done(false);
    byte = static_cast<uint8_t>(c);
    return Done(true);
}

size_t SystemSerialPort::ReadBytes(uint8_t *data, size_t size, int timeoutMs)
{
    if (!m_port.isOpen()) {
        m_lastError = SerialNotOpen;
        return 0;
    }
    QDeadlineTimer deadline(timeoutMs);
    size_t got = 0;
    while (got < size) {
        if (!WaitForData(deadline.remainingTime()))
            break;
        const qint64 n = m_port.read(reinterpret_cast<char *>(data + got), static_cast<qint64>(size - got));
        if (n < 0) {
            Done(false);
            return got;
        }
        got += static_cast<size_t>(n);
    }
    m_port.clearError();
    m_lastError = got == size ? SerialNoError : SerialTimeout;
    return got;
}

int SystemSerialPort::BytesWaiting()
{
    if (!m_port.isOpen())
        return 0;
    // Pull what the driver holds into Qt's buffer without blocking.
    m_port.waitForReadyRead(0);
    m_port.clearError();
    return static_cast<int>(m_port.bytesAvailable());
}

bool SystemSerialPort::SetDtr(bool on)
{
    return Done(m_port.setDataTerminalReady(on));
}

bool SystemSerialPort::SetRts(bool on)
{
    return Done(m_port.setRequestToSend(on));
}

void SystemSerialPort::Close()
{
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
    m_lastError = SerialNoError;
}

bool SystemSerialPort::IsOpen() const
{
    return m_port.isOpen();
}

} // namespace kestrova
