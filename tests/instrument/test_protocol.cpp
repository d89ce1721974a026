#include <fake_serial_port.h>
#include <protocol.h>

#include <gtest/gtest.h>

using namespace kestrova;

namespace {

QByteArray Hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// A reading: pulses 0x0005, beat 500 ms in the first part.
const QByteArray ReadingFrame = InstrumentFrame(CmdReading, Hex("00 05 00 00 00 00 00 01 F4 00 00"));

struct Wire
{
    ManualClock clock;
    std::shared_ptr<FakeLine> line = std::make_shared<FakeLine>();
    PortHandle port = FakeSerialPort::OpenOn(line, &clock);
    FrameBuffer buffer {};
};

} // namespace

TEST(FrameProtocol, CommandFramesCarryTheirChecksums)
{
    const struct { const char *name; const QByteArray &frame; const char *bytes; } rows[] = {
        {"identify", CmdIdentify, "0A C0 D0 01 00 6F 0F"},
        {"configure", CmdConfigure, "0A C0 D0 02 07 02 00 00 00 64 00 00 01 0F"},
        {"start", CmdStart, "0A C0 D0 03 00 6D 0F"},
        {"stop", CmdStop, "0A C0 D0 06 00 6A 0F"},
        {"next", CmdNext, "0A C0 D0 08 00 68 0F"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.frame.toHex(' '), Hex(row.bytes).toHex(' ')) << row.name;
}

TEST(FrameProtocol, ReceiveFrameOutcomes)
{
    QByteArray offByOne = ReadingFrame;
    offByOne[offByOne.size() - 2] = char(uint8_t(offByOne[offByOne.size() - 2]) + 1);
    QByteArray endE = ReadingFrame;
    endE[endE.size() - 1] = char(0x0E);
    QByteArray oversized = Hex("0A C0 D0 04 63") + QByteArray(110, '\x01');

    const struct {
        const char *name;
        QByteArray bytes;
        uint8_t awaited;
        bool ok;
        uint8_t error;
    } rows[] = {
        {"garbage before sync", Hex("FF 00 C0 33") + ReadingFrame, 4, true, LinkOk},
        {"any command accepted", ReadingFrame, 0, true, LinkOk},
        {"checksum off by one", offByOne, 4, false, LinkChecksum},
        {"end byte 0x0E", endE, 4, false, LinkNoEnd},
        {"other command than awaited", ReadingFrame, CmdCodeIdentify, false, LinkWrongCommand},
        {"silence", {}, 4, false, LinkTimeout},
        {"cut inside the header", Hex("0A C0 D0"), 4, false, LinkTimeout},
        {"length above the buffer", oversized, 4, false, LinkNoEnd},
        {"header not checked", InstrumentFrame(CmdReading, Hex("00 01"), 0x12, 0x34), 4, true, LinkOk},
    };
    for (const auto &row : rows) {
        Wire w;
        w.line->Push(row.bytes);
        EXPECT_EQ(ReceiveFrame(w.port, w.buffer, row.awaited, 2000), row.ok) << row.name;
        EXPECT_EQ(LinkError, row.error) << row.name;
    }
}

TEST(FrameProtocol, ReceivedReadingIsDecoded)
{
    Wire w;
    w.line->Push(Hex("77") + ReadingFrame);
    ASSERT_TRUE(ReceiveFrame(w.port, w.buffer, CmdReading, 2000));
    EXPECT_EQ(FrameCommand(w.buffer), CmdReading);
    const Reading r = DecodeReading(w.buffer);
    EXPECT_EQ(r.pulses, 5);
    EXPECT_EQ(r.BeatInterval(), 500);

    FrameBuffer frame {};
    const QByteArray bytes = InstrumentFrame(CmdReading, Hex("12 34 00 00 00 00 00 00 FA 00 FA"));
    std::copy(bytes.begin(), bytes.end(), frame.begin());
    const Reading split = DecodeReading(frame);
    EXPECT_EQ(split.pulses, 0x1234);
    EXPECT_EQ(split.beatPart1, 250);
    EXPECT_EQ(split.beatPart2, 250);
}

TEST(FrameProtocol, FrameCutAfterLengthFailsWithoutWaitingForEveryByte)
{
    Wire w;
    w.line->Push(Hex("0A C0 D0 04 0B 00 05"));
    EXPECT_FALSE(ReceiveFrame(w.port, w.buffer, CmdReading, 2000));
    EXPECT_TRUE(LinkError == LinkChecksum || LinkError == LinkNoEnd) << int(LinkError);
    EXPECT_EQ(w.clock.SleptMs(), 2000);
    // Nothing of the partial frame is left for a caller that ignores the result.
    EXPECT_EQ(DecodeReading(w.buffer).pulses, 0);
}

TEST(FrameProtocol, EndlessNoiseEndsTheSyncHunt)
{
    Wire w;
    w.line->Push(QByteArray(MinDriverBufferSize + 10, '\x55'));
    EXPECT_FALSE(ReceiveFrame(w.port, w.buffer, 0, 2000));
    EXPECT_EQ(LinkError, LinkNoStart);
    EXPECT_EQ(w.clock.SleptMs(), 0);
}

TEST(FrameProtocol, BackToBackFramesAreReadOneAtATime)
{
    Wire w;
    w.line->Push(InstrumentFrame(CmdCodeIdentify, Hex("91 01")) + ReadingFrame);
    ASSERT_TRUE(ReceiveFrame(w.port, w.buffer, CmdCodeIdentify, 2000));
    EXPECT_EQ(FramePayloadByte(w.buffer, 0), 145);
    ASSERT_TRUE(ReceiveFrame(w.port, w.buffer, CmdReading, 2000));
    EXPECT_TRUE(w.line->rx.empty());
}

TEST(FrameProtocol, NoPortObjectGivesUnknownError)
{
    PortHandle none;
    FrameBuffer buffer {};
    LinkError = LinkOk;
    EXPECT_FALSE(SendCommand(none, CmdIdentify));
    EXPECT_EQ(LinkError, LinkUnknown);
    LinkError = LinkOk;
    EXPECT_FALSE(ReceiveFrame(none, buffer, 0, 2000));
    EXPECT_EQ(LinkError, LinkUnknown);
    EXPECT_FALSE(PurgePort(none));
    EXPECT_EQ(LinkErrorName(LinkUnknown), QStringLiteral("011 - Erro desconhecido"));
    EXPECT_EQ(LinkErrorName(LinkOk), QStringLiteral("000 - Nenhum"));
}

TEST(FrameProtocol, SendFailureTakesTheSerialError)
{
    Wire w;
    w.line->writeError = SerialWrite;
    EXPECT_FALSE(SendCommand(w.port, CmdStart));
    EXPECT_EQ(LinkError, SerialWrite);
    w.line->writeError = SerialNoError;
    EXPECT_TRUE(SendCommand(w.port, CmdStart));
    EXPECT_EQ(w.line->written, CmdStart);
}

TEST(PortRoutines, OpenConfiguresPurgesAndRaisesSmallBuffers)
{
    ManualClock clock;
    FakePorts ports(&clock);
    auto line = ports.Line("/dev/ttyUSB0");
    line->Push(Hex("01 02"));
    PortSettings settings = InstrumentPortSettings;
    settings.bufferSize = 100;
    PortHandle port;
    ASSERT_TRUE(OpenInstrumentPort(port, "/dev/ttyUSB0", settings, ports.Factory()));
    EXPECT_EQ(line->readBufferSize, 8192);
    EXPECT_EQ(line->settings.baud, 115200);
    EXPECT_EQ(line->settings.stopBits, 2);
    EXPECT_TRUE(line->rx.empty());
    EXPECT_TRUE(CloseInstrumentPort(port, clock));
    EXPECT_FALSE(port);
    EXPECT_FALSE(line->isOpen);
    EXPECT_EQ(clock.SleptMs(), 300);
}

TEST(PortRoutines, FailedOpenLeavesTheObjectAndTheSerialError)
{
    ManualClock clock;
    FakePorts ports(&clock);
    PortHandle port;
    EXPECT_FALSE(OpenInstrumentPort(port, "/dev/ttyUSB9", InstrumentPortSettings, ports.Factory()));
    EXPECT_EQ(LinkError, SerialDeviceNotFound);
    EXPECT_TRUE(port);
    EXPECT_TRUE(CloseInstrumentPort(port, clock));

    ports.Line("/dev/ttyUSB1")->configureError = SerialUnsupportedOperation;
    EXPECT_FALSE(OpenInstrumentPort(port, "/dev/ttyUSB1", InstrumentPortSettings, ports.Factory()));
    EXPECT_EQ(LinkError, SerialUnsupportedOperation);
    EXPECT_FALSE(TestPortOpens("/dev/ttyUSB1", ports.Factory(), clock));
    ports.Line("/dev/ttyUSB2");
    EXPECT_TRUE(TestPortOpens("/dev/ttyUSB2", ports.Factory(), clock));
    EXPECT_FALSE(ports.Line("/dev/ttyUSB2")->isOpen);
}

TEST(TextDevice, PacketsAndTimeouts)
{
    Wire w;
    w.line->Push(QByteArray("KSTV000100042\r"));
    QString text;
    ASSERT_TRUE(ReceiveText(w.port, text, 14, 2000));
    EXPECT_EQ(TextPacketPulses(text), 42);
    w.line->Push(QByteArray("KSTV"));
    EXPECT_FALSE(ReceiveText(w.port, text, 14, 2000));
    EXPECT_EQ(LinkError, LinkTimeout);

    const struct { const char *name; const char *packet; int pulses; } rows[] = {
        {"zero count", "ABCDEFGH00000\n", 0},
        {"blanks around digits", "ABCDEFGH  12 \n", 12},
        {"no digits", "ABCDEFGHxxxxx\n", -1},
        {"short packet", "ABCDEFGH123\n", -1},
    };
    for (const auto &row : rows)
        EXPECT_EQ(TextPacketPulses(QString::fromLatin1(row.packet)), row.pulses) << row.name;
}
