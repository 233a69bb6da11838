// The serial line is the least trusted input: whatever bytes arrive, cut into
// whatever chunks the port delivers, the reassembly must not crash, must only
// emit payloads whose frames really were on the line, and must never hold more
// than one maximal frame plus the chunk just read.
//
// Input layout: byte 0 = number of cut points (modulo 64); byte 1 = how many
// times the rest repeats on the line (1 to 4, so that streams grow past a
// maximal frame); then two bytes per cut point, each the length of one chunk
// (modulo what is left); the rest is the byte stream, its remainder the last
// chunk.
#include "protocol/bootProtocol.h"
#include "protocol/frameAssembler.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using QKel::Comms::Protocol::BootProtocol;
using QKel::Comms::Protocol::FrameAssembler;

namespace {

constexpr int MaxFrameSize = BootProtocol::MaxPayloadSize + BootProtocol::FrameOverhead;
constexpr int MaxCuts = 64;
constexpr int MaxRepeats = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int cuts = data[0] % MaxCuts;
    const int repeats = 1 + data[1] % MaxRepeats;
    const size_t header = 2 + 2 * static_cast<size_t>(cuts);
    if (size < header)
        return 0;
    const QByteArray stream = QByteArray(reinterpret_cast<const char*>(data + header), static_cast<int>(size - header))
                                  .repeated(repeats);

    FrameAssembler assembler;
    int offset = 0;
    for (int cut = 0; cut <= cuts; ++cut) {
        const int left = stream.size() - offset;
        int length = left;
        if (cut < cuts) {
            const int wanted = data[2 + 2 * cut] << 8 | data[3 + 2 * cut];
            length = wanted % (left + 1);
        }
        const QByteArray chunk = stream.mid(offset, length);
        const auto payloads = assembler.append(chunk);
        offset += length;
        // What stays buffered is at most one incomplete frame, so the buffer
        // peaks below one maximal frame plus the next chunk.
        if (assembler.pendingSize() >= MaxFrameSize)
            abort();
        for (const auto& payload : payloads) {
            if (payload.isEmpty() || !stream.left(offset).contains(BootProtocol::frame(payload)))
                abort();
        }
    }
    return 0;
}
