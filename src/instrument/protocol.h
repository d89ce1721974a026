#pragma once

// untProtocolo: the instrument's binary frames, its commands, and the routines that open,
// purge, write to and read from its port. Every routine leaves its outcome in LinkError.

#include "clock.h"
#include "serial_port.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

namespace kestrova {

// Frame layout: sync, two header bytes, command, payload length N, payload, checksum, end byte.
inline constexpr uint8_t FrameSync = 0x0A;
inline constexpr uint8_t FrameEnd = 0x0F;
inline constexpr uint8_t FrameHeader1 = 0xC0;
inline constexpr uint8_t FrameHeader2 = 0xD0;
inline constexpr int FrameBufferSize = 105;
inline constexpr int FrameMaxPayload = FrameBufferSize - 7;   // 98
inline constexpr int MinDriverBufferSize = 8192;
inline constexpr int FrameTimeoutMs = 2000;

using FrameBuffer = std::array<uint8_t, FrameBufferSize>;

// Command codes.
inline constexpr uint8_t CmdCodeIdentify = 0x01;
inline constexpr uint8_t CmdCodeConfigure = 0x02;
inline constexpr uint8_t CmdCodeStart = 0x03;
inline constexpr uint8_t CmdReading = 0x04;
inline constexpr uint8_t CmdCodeStop = 0x06;
inline constexpr uint8_t CmdCodeNext = 0x08;

// Device codes answered to CmdIdentify.
inline constexpr int DeviceCodeInstrument = 145;
inline constexpr int DeviceCodeInstrumentOld = 45;
inline constexpr int DeviceCodeUnsupported = 25;
inline constexpr int DeviceCodeTextDevice = 2313;

// Two's complement of the 8-bit sum of bytes 1 .. 4 + N of a frame.
uint8_t FrameChecksum(const uint8_t *frame, int payloadLength);

// A complete frame with sync, header, checksum and end byte.
QByteArray InstrumentFrame(uint8_t command, const QByteArray &payload = {},
                           uint8_t header1 = FrameHeader1, uint8_t header2 = FrameHeader2);

// The frames the program sends.
extern const QByteArray CmdIdentify;
extern const QByteArray CmdConfigure;
extern const QByteArray CmdStart;
extern const QByteArray CmdStop;
extern const QByteArray CmdNext;

enum LinkErrorCode : uint8_t {
    LinkOk = 0,
    LinkTimeout = 1,
    LinkChecksum = 2,
    LinkNoDevice = 3,
    LinkBadAddress = 4,
    LinkDeviceFailure = 5,
    LinkConfigFailure = 6,
    LinkWrongCommand = 7,
    LinkBadData = 8,
    LinkNoStart = 9,
    LinkNoEnd = 10,
    LinkUnknown = 11,
};

// Code left by the last routine of this unit (user-interface thread only).
extern uint8_t LinkError;
// "000 - Nenhum" … "011 - Erro desconhecido"; other codes (serial layer errors) by number.
QString LinkErrorName(uint8_t code);

// Opens and configures the port at the device path and purges it. The object stays in the
// handle when the port fails (callers close it); LinkError takes the serial layer's error.
bool OpenInstrumentPort(PortHandle &port, const QString &device,
                        const PortSettings &settings = InstrumentPortSettings,
                        const SerialPortFactory &factory = DefaultSerialPortFactory());
// Closes an open port after a short pause so the last command leaves the wire; the handle
// becomes empty.
bool CloseInstrumentPort(PortHandle &port, Clock &clock = SystemClock::Instance());
bool TestPortOpens(const QString &device, const SerialPortFactory &factory = DefaultSerialPortFactory(),
                   Clock &clock = SystemClock::Instance());
bool PurgePort(const PortHandle &port);
bool SendCommand(const PortHandle &port, const QByteArray &frame);

// Reads one frame byte by byte. awaitedCommand 0 accepts any command. A frame that is cut,
// corrupt or too long for the buffer is never reported as received.
bool ReceiveFrame(const PortHandle &port, FrameBuffer &buffer, uint8_t awaitedCommand,
                  int timeoutMs = FrameTimeoutMs);
// Exactly length bytes within the time-out (the text device).
bool ReceiveText(const PortHandle &port, QString &text, int length, int timeoutMs = FrameTimeoutMs);

// Reading payload (frames with command 0x04).
struct Reading
{
    uint16_t pulses = 0;      // turbine pulses since the previous reading
    uint16_t beatPart1 = 0;   // ms
    uint16_t beatPart2 = 0;   // ms
    uint16_t BeatInterval() const { return static_cast<uint16_t>(beatPart1 + beatPart2); }
};
Reading DecodeReading(const FrameBuffer &frame);
inline uint8_t FrameCommand(const FrameBuffer &frame) { return frame[3]; }
inline uint8_t FramePayloadByte(const FrameBuffer &frame, int i) { return frame[static_cast<size_t>(5 + i)]; }

// Pulse count of a 14-character text packet (characters 9 to 13, counted from 1); -1 when
// the packet is not one.
int TextPacketPulses(const QString &packet);

} // namespace kestrova
