// Cost of loading configuration file bytes into the wrapper tree and packing
// them again, against protobuf alone parsing and serializing the same bytes:
// the file record only (its entries stay bytes), and, for reference, every
// record nested in the entries' type-and-data bytes as the wrappers do.
// Sizes: the default nine-entry configuration with its 8 CAN filters, and the
// same with up to 1,000 filters. The summary at the end prints the ratios and
// the cost per added filter over two ranges: equal costs mean linear growth.
#include "sampleconfiguration.h"

#include "configuration.h"

#include <product_ferrowwireless77xx.pb.h>

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QMap>

#include <cstdio>
#include <map>

namespace {

constexpr int DefaultFilters = 8;
constexpr int MiddleFilters = 250;
constexpr int ManyFilters = 1000;

void silence(QtMsgType, const QMessageLogContext&, const QString&) {}

// The device loads a read configuration into the file it already has; the
// event loop then deletes the replaced tree, here once per round.
void wrapperLoadPack(benchmark::State& state)
{
    const QByteArray bytes = SampleConfiguration::encode(static_cast<int>(state.range(0)));
    QKel::Pb::Configuration::File file;
    if (!file.load(bytes) || file.pack() != bytes) {
        state.SkipWithError("the sample does not survive a load and a pack unchanged");
        return;
    }
    for (auto _ : state) {
        if (!file.load(bytes))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(file.pack());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void protobufParseSerialize(benchmark::State& state)
{
    const std::string bytes = SampleConfiguration::encode(static_cast<int>(state.range(0))).toStdString();
    for (auto _ : state) {
        Kel::Pb::Configuration::File record;
        if (!record.ParseFromString(bytes))
            state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(record.SerializeAsString());
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

using Reencode = std::string (*)(const std::string&);

template <class R>
std::string reencode(const std::string& bytes)
{
    R record;
    record.ParseFromString(bytes);
    return record.SerializeAsString();
}

// A type-and-data record whose data is re-encoded as the record its type selects.
template <class R>
std::string reencodeContainer(const std::string& bytes, const std::map<int, Reencode>& types)
{
    R record;
    record.ParseFromString(bytes);
    const auto found = types.find(record.type());
    if (found != types.end())
        record.set_data(found->second(record.data()));
    return record.SerializeAsString();
}

namespace Pb = Kel::Pb;

std::string network(const std::string& bytes)
{
    static const std::map<int, Reencode> types{{Pb::Network::TYPE__CAN, reencode<Pb::Can::Config>},
                                               {Pb::Network::TYPE__WLAN, reencode<Pb::Wlan::Config>},
                                               {Pb::Network::TYPE__BLUETOOTH, reencode<Pb::Bluetooth::Config>}};
    return reencodeContainer<Pb::Network::Config>(bytes, types);
}

std::string interface(const std::string& bytes)
{
    static const std::map<int, Reencode> types{{Pb::Interface::TYPE__NETWORK, network}};
    return reencodeContainer<Pb::Interface::Config>(bytes, types);
}

std::string remote(const std::string& bytes)
{
    static const std::map<int, Reencode> types{{Pb::Remote::TYPE__SOCKET, reencode<Pb::Socket::Remote>},
                                               {Pb::Remote::TYPE__SPP, reencode<Pb::Spp::Remote>}};
    return reencodeContainer<Pb::Remote::Config>(bytes, types);
}

std::string server(const std::string& bytes)
{
    static const std::map<int, Reencode> types{{Pb::Server::TYPE__SOCKET, reencode<Pb::Socket::Server>},
                                               {Pb::Server::TYPE__SPP, reencode<Pb::Spp::Server>}};
    return reencodeContainer<Pb::Server::Config>(bytes, types);
}

std::string product(const std::string& bytes)
{
    static const std::map<int, Reencode> types{
        {Pb::Product::TYPE__FERROW_WIRELESS_77XX, reencode<Pb::Product::FerrowWireless77xx::Config>},
        {Pb::Product::TYPE__MORVANE_TARN210, reencode<Pb::Product::Morvane::Tarn210::Config>}};
    return reencodeContainer<Pb::Product::Config>(bytes, types);
}

void protobufEveryRecord(benchmark::State& state)
{
    static const std::map<int, Reencode> types{{Pb::Configuration::TYPE__INTERFACE, interface},
                                               {Pb::Configuration::TYPE__REMOTE, remote},
                                               {Pb::Configuration::TYPE__SERVER, server},
                                               {Pb::Configuration::TYPE__KEL_FUNCTION, reencode<Pb::KelFunction::Config>},
                                               {Pb::Configuration::TYPE__PRODUCT, product}};
    const std::string bytes = SampleConfiguration::encode(static_cast<int>(state.range(0))).toStdString();
    for (auto _ : state) {
        Pb::Configuration::File record;
        if (!record.ParseFromString(bytes))
            state.SkipWithError("parse failed");
        for (Pb::Configuration::Data& entry : *record.mutable_data())
            entry.set_data(types.at(entry.type())(entry.data()));
        benchmark::DoNotOptimize(record.SerializeAsString());
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

void sizes(benchmark::internal::Benchmark* benchmark)
{
    for (int filters : {DefaultFilters, 125, MiddleFilters, 500, ManyFilters})
        benchmark->Arg(filters);
    benchmark->Complexity(benchmark::oN)->MinTime(0.1)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(wrapperLoadPack)->Apply(sizes);
BENCHMARK(protobufParseSerialize)->Apply(sizes);
BENCHMARK(protobufEveryRecord)->Apply(sizes);

// Keeps the processor time per iteration (steadier than wall time on a
// shared machine) of every benchmark and size for the summary.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const auto& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0 && !run.error_occurred)
                times[QString::fromStdString(run.run_name.function_name)][run.complexity_n] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    double time(const char* benchmark, int filters) const { return times.value(benchmark).value(filters); }

private:
    QMap<QString, QMap<int64_t, double>> times;
};

void printSummary(const SummaryReporter& reporter)
{
    std::printf("\n%-27s %13s %13s %7s %15s %7s\n", "configuration", "load+pack us", "protobuf us", "ratio",
                "every record us", "ratio");
    for (int filters : {DefaultFilters, ManyFilters}) {
        const double wrapper = reporter.time("wrapperLoadPack", filters);
        const double plain = reporter.time("protobufParseSerialize", filters);
        const double deep = reporter.time("protobufEveryRecord", filters);
        if (wrapper <= 0 || plain <= 0 || deep <= 0)
            return;
        std::printf("nine entries, %4d filters  %13.1f %13.1f %7.1f %15.1f %7.1f\n", filters, wrapper, plain,
                    wrapper / plain, deep, wrapper / deep);
    }
    const auto perFilter = [&reporter](int from, int to) {
        return (reporter.time("wrapperLoadPack", to) - reporter.time("wrapperLoadPack", from)) / (to - from);
    };
    const double lower = perFilter(DefaultFilters, MiddleFilters);
    const double upper = perFilter(MiddleFilters, ManyFilters);
    std::printf("load+pack per added filter: %.3f us (%d to %d), %.3f us (%d to %d), ratio %.2f (1 = linear)\n",
                lower, DefaultFilters, MiddleFilters, upper, MiddleFilters, ManyFilters, upper / lower);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    qInstallMessageHandler(silence);
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printSummary(reporter);
    benchmark::Shutdown();
    return 0;
}
