// How soon a reading is decoded once its end byte has arrived: over the scripted port (the
// frame reader alone) and over a pseudo-terminal through the Qt serial layer (what the program
// pays per reading).

#include <fake_serial_port.h>
#include <protocol.h>
#include <system_serial_port.h>

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <chrono>

#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace kestrova;

namespace {

QByteArray ReadingFrame()
{
    return InstrumentFrame(CmdReading, QByteArray::fromHex("000500000000000001F4000000"));
}

void BM_DecodeReadingScripted(benchmark::State &state)
{
    auto line = std::make_shared<FakeLine>();
    PortHandle port = FakeSerialPort::OpenOn(line);
    FrameBuffer buffer {};
    const QByteArray frame = ReadingFrame();
    for (auto _ : state) {
        line->Push(frame);
        const bool ok = ReceiveFrame(port, buffer, CmdReading, 2000);
        benchmark::DoNotOptimize(DecodeReading(buffer));
        if (!ok)
            state.SkipWithError("frame not received");
    }
}
BENCHMARK(BM_DecodeReadingScripted);

void BM_DecodeReadingPty(benchmark::State &state)
{
    int master = -1, slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        state.SkipWithError("no pty");
        return;
    }
    termios tio {};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
    PortHandle port;
    if (!OpenInstrumentPort(port, QString::fromLocal8Bit(name))) {
        state.SkipWithError("port did not open");
        return;
    }
    FrameBuffer buffer {};
    const QByteArray frame = ReadingFrame();
    for (auto _ : state) {
        if (write(master, frame.constData(), size_t(frame.size())) != frame.size()) {
            state.SkipWithError("write failed");
            break;
        }
        // The clock starts once the whole frame, end byte included, is on the line.
        const auto start = std::chrono::steady_clock::now();
        const bool ok = ReceiveFrame(port, buffer, CmdReading, 2000);
        const Reading r = DecodeReading(buffer);
        const auto end = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(r);
        if (!ok) {
            state.SkipWithError("frame not received");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    port->Close();
    close(slave);
    close(master);
}
BENCHMARK(BM_DecodeReadingPty)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
