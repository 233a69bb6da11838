// Cost of reassembling one payload that the line delivers one byte at a time.
// It must grow linearly with the payload: the ratio of the 64 KiB to the 8 KiB
// case is printed at the end and should stay near 8.
#include "protocol/bootProtocol.h"
#include "protocol/frameAssembler.h"

#include <benchmark/benchmark.h>

#include <QMap>

#include <cstdio>

using QKel::Comms::Protocol::BootProtocol;
using QKel::Comms::Protocol::FrameAssembler;

namespace {

constexpr int SmallPayload = 8 * 1024;
constexpr int LargePayload = 65535;

QByteArray framedPayload(int size)
{
    QByteArray payload(size, '\0');
    for (int i = 0; i < size; ++i)
        payload[i] = static_cast<char>(i % 251);
    payload[0] = 'L';
    return BootProtocol::frame(payload);
}

void reassembleBytewise(benchmark::State& state)
{
    const QByteArray frame = framedPayload(static_cast<int>(state.range(0)));
    QList<QByteArray> chunks;
    for (char byte : frame)
        chunks.append(QByteArray(1, byte));
    for (auto _ : state) {
        FrameAssembler assembler;
        int payloads = 0;
        for (const auto& chunk : chunks)
            payloads += assembler.append(chunk).size();
        if (payloads != 1)
            state.SkipWithError("the payload did not come out whole");
        benchmark::DoNotOptimize(payloads);
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * frame.size());
}

BENCHMARK(reassembleBytewise)
    ->Arg(SmallPayload)
    ->Arg(16 * 1024)
    ->Arg(32 * 1024)
    ->Arg(LargePayload)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);

// Keeps the processor time per iteration of each size (steadier than wall
// time on a shared machine) so the ratio can be printed.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const auto& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                timePerSize[run.complexity_n] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    QMap<int64_t, double> timePerSize;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double small = reporter.timePerSize.value(SmallPayload);
    const double large = reporter.timePerSize.value(LargePayload);
    if (small > 0 && large > 0) {
        std::printf("64 KiB / 8 KiB cost ratio: %.2f (payload ratio %.2f; linear growth keeps them close)\n",
                    large / small, double(LargePayload) / SmallPayload);
    }
    benchmark::Shutdown();
    return 0;
}
