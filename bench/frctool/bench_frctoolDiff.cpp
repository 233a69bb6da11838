// Measures, side by side in one run, "frctool diff A B" of two configurations
// with 1,000 CAN filters each (every tenth filter differs) against
// "frctool dump A" plus "frctool dump B", and prints diff / dumps (target <= 2),
// of the median and of the fastest runs.
#include "median.h"
#include <frcTool.h>
#include <leafPaths.h>

#include <configuration.h>
#include <configuration.pb.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QString ProductId = QStringLiteral("012001017701");
const QString Filters = QStringLiteral("interface/network/can.data.data.filterList[%1].%2");
constexpr int FilterCount = 1000;

int fail(const QString& text)
{
    std::fprintf(stderr, "bench_frctoolDiff: %s\n", qPrintable(text));
    return 1;
}

// Runs frctool with its output kept in memory; the exit code, or -1 on a failure.
int frctool(const QStringList& arguments, QString* output = nullptr)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int code = QKel::FrcTool::FrcTool(outStream, errStream).run(arguments);
    if (output)
        *output = out;
    return code;
}

// A new configuration with FilterCount filters; in the variant every tenth id differs.
bool writeConfiguration(const QString& path, bool variant)
{
    if (frctool({QStringLiteral("new"), ProductId, path}) != 0)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    file.close();
    Kel::Pb::Configuration::File record;
    if (!record.ParseFromArray(bytes.constData(), bytes.size()))
        return false;
    QString error;
    for (int i = 0; i < FilterCount; ++i) {
        const int id = variant && i % 10 == 0 ? i + 0x400 : i;
        if (!QKel::Frc::LeafPaths::set(&record, Filters.arg(i).arg(QStringLiteral("id")), QString::number(id), &error)
            || !QKel::Frc::LeafPaths::set(&record, Filters.arg(i).arg(QStringLiteral("mask")),
                                          QStringLiteral("2047"), &error)) {
            std::fprintf(stderr, "bench_frctoolDiff: %s\n", qPrintable(error));
            return false;
        }
    }
    record.set_checksum(QKel::Pb::Configuration::File::computeChecksum(record));
    return file.open(QIODevice::WriteOnly)
        && file.write(QByteArray::fromStdString(record.SerializeAsString())) > 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 11;
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.frc"));
    const QString b = dir.filePath(QStringLiteral("b.frc"));
    if (!writeConfiguration(a, false) || !writeConfiguration(b, true))
        return fail(QStringLiteral("could not build the configurations (is the TARN210 driver in bin/devices?)"));

    QString differences;
    if (frctool({QStringLiteral("diff"), a, b}, &differences) != 1
        || differences.count(QLatin1Char('\n')) != FilterCount / 10)
        return fail(QStringLiteral("diff did not report the %1 differing filters").arg(FilterCount / 10));

    std::vector<double> diffMs;
    std::vector<double> dumpMs;
    QElapsedTimer clock;
    // Alternating the two keeps a changing machine load from favouring one.
    for (int run = 0; run < runs; ++run) {
        clock.start();
        frctool({QStringLiteral("diff"), a, b});
        diffMs.push_back(clock.nsecsElapsed() / 1e6);
        clock.start();
        frctool({QStringLiteral("dump"), a});
        frctool({QStringLiteral("dump"), b});
        dumpMs.push_back(clock.nsecsElapsed() / 1e6);
    }
    const double diff = median(diffMs);
    const double dumps = median(dumpMs);
    // The fastest runs are the least disturbed by other work on the machine.
    const double fastestDiff = *std::min_element(diffMs.begin(), diffMs.end());
    const double fastestDumps = *std::min_element(dumpMs.begin(), dumpMs.end());
    std::printf("frctool diff of two %d-filter configurations: median %.2f ms, fastest %.2f ms (%d runs)\n",
                FilterCount, diff, fastestDiff, runs);
    std::printf("frctool dump of both:                          median %.2f ms, fastest %.2f ms\n", dumps,
                fastestDumps);
    std::printf("ratio diff / dumps: median %.2f, fastest %.2f (target <= 2)\n", diff / dumps,
                fastestDiff / fastestDumps);
    return 0;
}
