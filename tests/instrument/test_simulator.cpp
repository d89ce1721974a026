#include "sim_device.h"

#include <protocol.h>

#include <gtest/gtest.h>

using namespace kestrova;
using kestrova::testing::AttachSimulator;
using kestrova::testing::SteadyProfile;

namespace {

struct SimWire
{
    ManualClock clock;
    std::shared_ptr<FakeLine> line = std::make_shared<FakeLine>();
    sim::SimulatorEngine engine;
    PortHandle port;
    FrameBuffer buffer {};

    explicit SimWire(const sim::SimulatorConfig &config) : engine(config)
    {
        AttachSimulator(*line, engine);
        port = FakeSerialPort::OpenOn(line, &clock);
    }

    bool Ask(const QByteArray &command, uint8_t reply)
    {
        return SendCommand(port, command) && ReceiveFrame(port, buffer, reply, 2000);
    }
    bool Start() { return Ask(CmdIdentify, 1) && Ask(CmdConfigure, 2) && Ask(CmdStart, 3); }
    bool Read() { return ReceiveFrame(port, buffer, CmdReading, 2000); }
};

} // namespace

TEST(Simulator, AnswersWithItsDeviceCode)
{
    for (int code : {145, 45, 25}) {
        SimWire w(SteadyProfile(code));
        ASSERT_TRUE(w.Ask(CmdIdentify, CmdCodeIdentify)) << code;
        EXPECT_EQ(FramePayloadByte(w.buffer, 0), code);
    }
}

TEST(Simulator, ReadingsCarryTheProfile)
{
    sim::SimulatorConfig c = SteadyProfile();
    c.restHeartRate = 60;
    c.heartRateRamp = 60;   // 60 bpm now, 120 bpm after one minute
    SimWire w(c);
    ASSERT_TRUE(w.Start());
    int total = 0;
    for (int i = 0; i < 600; ++i) {
        ASSERT_TRUE(w.Read()) << i;
        total += DecodeReading(w.buffer).pulses;
        SendCommand(w.port, CmdNext);
    }
    // One minute at 32,4 L/min over 0,027 L per pulse.
    EXPECT_EQ(total, 1200);
    EXPECT_EQ(w.clock.SleptMs(), 60000);
    EXPECT_EQ(DecodeReading(w.buffer).BeatInterval(), 500);
    EXPECT_EQ(w.engine.Counts().next, 600);

    SendCommand(w.port, CmdStop);
    EXPECT_FALSE(w.Read());
    EXPECT_EQ(LinkError, LinkTimeout);
}

TEST(Simulator, RisingProfileStaysPlausible)
{
    sim::SimulatorEngine engine;   // defaults: 70 bpm, 12 L/min
    EXPECT_EQ(engine.BeatIntervalAt(0), 857);
    EXPECT_GT(engine.HeartRateAt(10 * 60000), engine.HeartRateAt(5 * 60000));
    EXPECT_GT(engine.VentilationAt(10 * 60000), engine.VentilationAt(0));
    EXPECT_LE(engine.HeartRateAt(60 * 60000), engine.Config().maxHeartRate);
}

TEST(Simulator, WaitsForNextWhenAsked)
{
    sim::SimulatorConfig c = SteadyProfile();
    c.waitForNext = true;
    SimWire w(c);
    ASSERT_TRUE(w.Start());
    ASSERT_TRUE(w.Read());
    EXPECT_FALSE(w.Read());
    SendCommand(w.port, CmdNext);
    EXPECT_TRUE(w.Read());
    // The failed read waited 2 s; the pulses of those 2 s come with the held reading.
    EXPECT_EQ(DecodeReading(w.buffer).pulses, 2 * 20);
}

TEST(Simulator, FaultModes)
{
    const struct {
        const char *name;
        void (*apply)(sim::SimulatorConfig &);
        std::vector<uint8_t> errors;   // LinkError of readings 1..4
    } rows[] = {
        {"bad checksum every 2nd frame", [](sim::SimulatorConfig &c) { c.badChecksumEvery = 2; }, {LinkChecksum, LinkOk, LinkChecksum, LinkOk}},
        {"end byte 0x0E every 2nd frame", [](sim::SimulatorConfig &c) { c.wrongEndEvery = 2; }, {LinkNoEnd, LinkOk, LinkNoEnd, LinkOk}},
        {"garbage before every frame", [](sim::SimulatorConfig &c) { c.garbageEvery = 1; }, {LinkOk, LinkOk, LinkOk, LinkOk}},
        {"link dropped after 0,25 s", [](sim::SimulatorConfig &c) { c.dropAfterMs = 250; }, {LinkOk, LinkOk, LinkTimeout, LinkTimeout}},
    };
    for (const auto &row : rows) {
        sim::SimulatorConfig c = SteadyProfile();
        row.apply(c);
        SimWire w(c);
        // The replies to identify, configure and start may be hit too: ask again, as the link does.
        for (int tries = 0; tries < 3 && !w.Ask(CmdIdentify, 1); ++tries) {}
        for (int tries = 0; tries < 3 && !w.Ask(CmdConfigure, 2); ++tries) {}
        for (int tries = 0; tries < 3 && !w.Ask(CmdStart, 3); ++tries) {}
        ASSERT_TRUE(w.engine.Streaming()) << row.name;
        std::vector<uint8_t> got;
        for (size_t i = 0; i < row.errors.size(); ++i) {
            w.Read();
            got.push_back(LinkError);
        }
        EXPECT_EQ(got, row.errors) << row.name;
    }
}

TEST(Simulator, SilenceAndMissingBeats)
{
    sim::SimulatorConfig silent = SteadyProfile();
    silent.silence = true;
    SimWire quiet(silent);
    EXPECT_FALSE(quiet.Ask(CmdIdentify, 1));
    EXPECT_EQ(LinkError, LinkTimeout);

    sim::SimulatorConfig c = SteadyProfile();
    c.noBeatFromMs = 200;
    c.noBeatToMs = 400;
    SimWire w(c);
    ASSERT_TRUE(w.Start());
    std::vector<int> beats;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(w.Read());
        beats.push_back(DecodeReading(w.buffer).BeatInterval());
    }
    EXPECT_EQ(beats, (std::vector<int> {500, 0, 0, 500, 500}));
}

TEST(Simulator, TextDeviceSendsPacketsUnasked)
{
    sim::SimulatorConfig c = SteadyProfile(2313);
    SimWire w(c);
    QString text;
    int total = 0;
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(ReceiveText(w.port, text, 14, 2000));
        const int pulses = TextPacketPulses(text);
        ASSERT_GE(pulses, 0) << text.toStdString();
        total += pulses;
    }
    EXPECT_EQ(total, 20);
    EXPECT_TRUE(w.engine.Receive(CmdIdentify).isEmpty());
}
