// Import and export benchmarks: a KeePassXC CSV of 10,000 entries with 5
// fields each, read, previewed and written into the wallet in one
// transaction; the export of the wallet of 10,000 items.
#include "benchwallet.h"
#include "csv.h"
#include "csvformats.h"
#include "hostileimports.h"
#include "importdialog.h"
#include "importreader.h"
#include "importwriter.h"
#include "keepassxcexport.h"
#include "walletdatabase.h"

#include <benchmark/benchmark.h>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>

namespace {

BenchWallet* wallet()
{
    static BenchWallet instance;
    return &instance;
}

// 10,000 entries in 100 groups, each with user name, password, address,
// notes and a TOTP secret.
QString writeExport(const QString& folder)
{
    const QString path = folder + QStringLiteral("/keepassxc.csv");
    QByteArray out = Csv::line(CsvFormats::KeePassXCHeader);
    for (int i = 0; i < 10000; ++i)
        out += Csv::line(
            {QStringLiteral("Root/Group %1").arg(i % 100), QStringLiteral("Entry %1").arg(i),
             QStringLiteral("user%1").arg(i), QStringLiteral("p@ss-%1-word").arg(i),
             QStringLiteral("https://site%1.example.com/login").arg(i),
             QStringLiteral("Remember entry %1,\nsecond line").arg(i),
             QStringLiteral("JBSWY3DPEHPK3PXP"), QStringLiteral("0"), QString(), QString()});
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(out);
    return path;
}

void BM_ExportTenThousand(benchmark::State& state)
{
    wallet();
    QTemporaryDir folder;
    for (auto _ : state)
        if (!KeepassxcExport::writeFile(folder.path() + QStringLiteral("/export.csv")))
            state.SkipWithError("export failed");
}
BENCHMARK(BM_ExportTenThousand)->Unit(benchmark::kMillisecond)->Iterations(3);

// The export's text alone, without the file and its sync to the disk.
void BM_BuildExportTenThousand(benchmark::State& state)
{
    wallet();
    for (auto _ : state)
        benchmark::DoNotOptimize(KeepassxcExport::build());
}
BENCHMARK(BM_BuildExportTenThousand)->Unit(benchmark::kMillisecond)->Iterations(3);

// Imports run last: each adds 10,000 items to the wallet that the export reads.
void BM_ImportTenThousand(benchmark::State& state)
{
    wallet();
    QTemporaryDir folder;
    const QString path = writeExport(folder.path());
    for (auto _ : state) {
        const ImportPlan plan = ImportReader::readFile(path);
        {
            ImportDialog preview(plan, nullptr);
            benchmark::DoNotOptimize(&preview);
        }
        if (plan.entries.size() != 10000 || plan.fieldCount() != 50000 ||
            ImportWriter::write(plan, QDate(2026, 1, 2)).isEmpty())
            state.SkipWithError("import failed");
    }
}
BENCHMARK(BM_ImportTenThousand)->Unit(benchmark::kMillisecond)->Iterations(3);

// The part before anything is written: reading, mapping and the icons.
void BM_ReadTenThousand(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = writeExport(folder.path());
    for (auto _ : state)
        benchmark::DoNotOptimize(ImportReader::readFile(path));
}
BENCHMARK(BM_ReadTenThousand)->Unit(benchmark::kMillisecond)->Iterations(3);

// The process's peak resident memory in MiB since the last reset.
double peakMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// Files shaped to make the importer work hard, each read and previewed: the
// work stays linear in the file, under a second and 200 MB each (peak_MiB is
// the process's peak resident memory during the shape's run).
void BM_HostileImport(benchmark::State& state)
{
    const QString shape = HostileImports::shapes().at(int(state.range(0)));
    state.SetLabel(shape.toStdString());
    QTemporaryDir folder;
    const QString path = HostileImports::write(folder.path(), shape);
    resetPeak();
    for (auto _ : state) {
        const ImportPlan plan = ImportReader::readFile(path);
        ImportDialog preview(plan, nullptr);
        benchmark::DoNotOptimize(&preview);
        if (plan.canBeWritten())
            state.SkipWithError("a hostile file was taken as importable");
    }
    state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_HostileImport)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
