#include "protocol.h"

#include <algorithm>
#include <iterator>

namespace kestrova {

uint8_t LinkError = LinkOk;

uint8_t FrameChecksum(const uint8_t *frame, int payloadLength)
{
    unsigned sum = 0;
    for (int i = 1; i <= 4 + payloadLength; ++i)
        sum += frame[i];
    return static_cast<uint8_t>((256 - (sum % 256)) % 256);
}

QByteArray InstrumentFrame(uint8_t command, const QByteArray &payload, uint8_t header1, uint8_t header2)
{
    QByteArray f;
    f.reserve(7 + payload.size());
    f.append(char(FrameSync));
    f.append(char(header1));
    f.append(char(header2));
    f.append(char(command));
    f.append(char(static_cast<uint8_t>(payload.size())));
    f.append(payload);
    f.append(char(FrameChecksum(reinterpret_cast<const uint8_t *>(f.constData()), int(payload.size()))));
    f.append(char(FrameEnd));
    return f;
}

const QByteArray CmdIdentify = InstrumentFrame(CmdCodeIdentify);
const QByteArray CmdConfigure = InstrumentFrame(CmdCodeConfigure, QByteArray("\x02\x00\x00\x00\x64\x00\x00", 7));
const QByteArray CmdStart = InstrumentFrame(CmdCodeStart);
const QByteArray CmdStop = InstrumentFrame(CmdCodeStop);
const QByteArray CmdNext = InstrumentFrame(CmdCodeNext);

QString LinkErrorName(uint8_t code)
{
    static const char *const names[] = {
        "000 - Nenhum",
        "001 - Erro de Timeout",
        "002 - Erro de Checksum",
        "003 - Nenhum Dispositivo enderecado",
        "004 - Endereco Invalido de Dispositivo",
        "005 - Falha no Dispositivo",
        "006 - Falha na configuracao do Dispositivo",
        "007 - Funcao Invalida",
        "008 - Dados Invalidos",
        "009 - Inicio da Mensagem nao encontrado",
        "010 - Fim da Mensagem nao encontrado",
        "011 - Erro desconhecido",
    };
    if (code < std::size(names))
        return QString::fromUtf8(names[code]);
    return QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0'));
}

static uint8_t LowByte(int error)
{
    return static_cast<uint8_t>(error & 0xFF);
}

bool OpenInstrumentPort(PortHandle &port, const QString &device, const PortSettings &settings,
                        const SerialPortFactory &factory)
{
    LinkError = LinkOk;
    port = factory();
    if (!port) {
        LinkError = LinkUnknown;
        return false;
    }
    if (!port->Open(device)) {
        LinkError = LowByte(port->LastError());
        return false;
    }
    if (!port->Configure(settings)) {
        LinkError = LowByte(port->LastError());
        return false;
    }
    if (!port->SetReadBufferSize(std::max(settings.bufferSize, MinDriverBufferSize))
        || !port->Purge()) {
        LinkError = LowByte(port->LastError());
        return false;
    }
    return true;
}

bool CloseInstrumentPort(PortHandle &port, Clock &clock)
{
    if (port) {
        if (port->IsOpen()) {
            clock.SleepMs(300);
            port->Close();
        }
        port.reset();
    }
    return !port;
}

bool TestPortOpens(const QString &device, const SerialPortFactory &factory, Clock &clock)
{
    PortHandle port;
    const bool ok = OpenInstrumentPort(port, device, InstrumentPortSettings, factory);
    CloseInstrumentPort(port, clock);
    return ok;
}

bool PurgePort(const PortHandle &port)
{
    return port && port->Purge();
}

bool SendCommand(const PortHandle &port, const QByteArray &frame)
{
    if (!port) {
        LinkError = LinkUnknown;
        return false;
    }
    if (!port->Write(reinterpret_cast<const uint8_t *>(frame.constData()), static_cast<size_t>(frame.size()))) {
        LinkError = LowByte(port->LastError());
        if (LinkError == LinkOk)
            LinkError = LinkUnknown;
        return false;
    }
    return true;
}

bool ReceiveFrame(const PortHandle &port, FrameBuffer &buffer, uint8_t awaitedCommand, int timeoutMs)
{
    if (!port) {
        LinkError = LinkUnknown;
        return false;
    }
    LinkError = LinkOk;
    buffer.fill(0);
    SerialPort &p = *port;

    // A line that keeps sending anything but a sync byte would otherwise hold the caller
    // forever; a driver buffer's worth of noise is enough to give up.
    uint8_t b = 0;
    for (int dropped = 0;; ++dropped) {
        if (!p.ReadByte(b, timeoutMs)) {
            LinkError = LinkTimeout;
            return false;
        }
        if (b == FrameSync)
            break;
        if (dropped >= MinDriverBufferSize) {
            LinkError = LinkNoStart;
            return false;
        }
    }
    buffer[0] = FrameSync;
    for (int i = 1; i <= 4; ++i) {
        if (!p.ReadByte(buffer[static_cast<size_t>(i)], timeoutMs)) {
            buffer.fill(0);
            LinkError = LinkTimeout;
            return false;
        }
    }
    const int n = buffer[4];
    if (n > FrameMaxPayload) {
        // The rest of the oversized frame is left to the next sync hunt or purge.
        buffer.fill(0);
        LinkError = LinkNoEnd;
        return false;
    }
    // A byte missing here dooms the frame (its end byte stays 0), so stop waiting for the rest.
    for (int i = 5; i <= 6 + n; ++i) {
        if (!p.ReadByte(buffer[static_cast<size_t>(i)], timeoutMs))
            break;
    }
    if (buffer[static_cast<size_t>(5 + n)] != FrameChecksum(buffer.data(), n))
        LinkError = LinkChecksum;
    else if (buffer[static_cast<size_t>(6 + n)] != FrameEnd)
        LinkError = LinkNoEnd;
    else if (awaitedCommand != 0 && buffer[3] != awaitedCommand)
        LinkError = LinkWrongCommand;
    if (LinkError == LinkChecksum || LinkError == LinkNoEnd) {
        // Callers that ignore the result must not mistake a broken frame for readings.
        buffer.fill(0);
        return false;
    }
    return LinkError == LinkOk;
}

bool ReceiveText(const PortHandle &port, QString &text, int length, int timeoutMs)
{
    text.clear();
    if (!port) {
        LinkError = LinkUnknown;
        return false;
    }
    LinkError = LinkOk;
    QByteArray bytes(std::max(length, 0), '\0');
    const size_t got = port->ReadBytes(reinterpret_cast<uint8_t *>(bytes.data()), static_cast<size_t>(bytes.size()), timeoutMs);
    bytes.truncate(static_cast<qsizetype>(got));
    text = QString::fromLatin1(bytes);
    if (got != static_cast<size_t>(std::max(length, 0))) {
        LinkError = LinkTimeout;
        return false;
    }
    return true;
}

Reading DecodeReading(const FrameBuffer &f)
{
    auto word = [&](int hi) {
        return static_cast<uint16_t>((FramePayloadByte(f, hi) << 8) | FramePayloadByte(f, hi + 1));
    };
    Reading r;
    r.pulses = word(0);
    r.beatPart1 = word(7);
    r.beatPart2 = word(9);
    return r;
}

int TextPacketPulses(const QString &packet)
{
    if (packet.size() != 14)
        return -1;
    QString digits;
    for (const QChar c : packet.mid(8, 5))
        if (c.isDigit() && c.unicode() < 128)
            digits.append(c);
    if (digits.isEmpty())
        return -1;
    return digits.toInt();
}

} // namespace kestrova
