// Arbitrary bytes on the line: ReceiveFrame must never crash, never touch memory past its
// 105-byte buffer, and report a frame as received only when that exact, complete frame was on
// the line. The first input byte picks the awaited command.

#include <fake_serial_port.h>
#include <protocol.h>

#include <cstdlib>
#include <cstring>
#include <memory>

using namespace kestrova;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t awaited = data[0] % 10;
    ++data;
    --size;

    auto line = std::make_shared<FakeLine>();
    line->rx.assign(data, data + size);
    PortHandle port = FakeSerialPort::OpenOn(line);
    // On the heap with its exact size, so AddressSanitizer sees any access past the end.
    auto buffer = std::make_unique<FrameBuffer>();

    size_t consumed = 0;
    for (int call = 0; call < 64 && !line->rx.empty(); ++call) {
        const bool ok = ReceiveFrame(port, *buffer, awaited, 2000);
        const size_t before = consumed;
        consumed = size - line->rx.size();
        Check(consumed > before);
        const FrameBuffer &f = *buffer;
        if (ok || LinkError == LinkWrongCommand) {
            const size_t n = f[4];
            Check(n <= size_t(FrameMaxPayload));
            Check(f[0] == FrameSync && f[6 + n] == FrameEnd && f[5 + n] == FrameChecksum(f.data(), int(n)));
            // The frame is the last 7 + N bytes read, as they were on the line.
            Check(consumed - before >= 7 + n);
            Check(std::memcmp(data + consumed - (7 + n), f.data(), 7 + n) == 0);
            Check(ok == (awaited == 0 || f[3] == awaited));
        } else {
            Check(LinkError == LinkTimeout || LinkError == LinkChecksum || LinkError == LinkNoEnd
                  || LinkError == LinkNoStart);
        }
    }
    return 0;
}
