#pragma once

// Puts a simulated instrument at the far end of a fake line: what the program writes goes to
// the engine, and a read that finds nothing lets simulated time run up to the next reading.

#include <fake_serial_port.h>
#include <sim_engine.h>

namespace kestrova::testing {

inline void AttachSimulator(FakeLine &line, sim::SimulatorEngine &engine)
{
    line.onWrite = [&engine](FakeLine &l, const QByteArray &bytes) { l.Push(engine.Receive(bytes)); };
    line.onIdle = [&engine](FakeLine &l, int timeoutMs) {
        const int64_t due = engine.MsUntilOutput();
        if (due < 0 || due > timeoutMs) {
            engine.Advance(timeoutMs);
            return timeoutMs;
        }
        l.Push(engine.Advance(due));
        return static_cast<int>(due);
    };
}

// Rest values that give exactly 2 pulses and a 500 ms beat every reading.
inline sim::SimulatorConfig SteadyProfile(int deviceCode = 145)
{
    sim::SimulatorConfig c;
    c.deviceCode = deviceCode;
    c.restHeartRate = 120;
    c.heartRateRamp = 0;
    c.restVentilation = 2 * 600 * 0.027;   // 32,4 L/min
    c.ventilationRamp = 0;
    return c;
}

} // namespace kestrova::testing
