// The zip writer and reader against Info-ZIP's zip and unzip, on a 64 MiB
// file that compresses like a real SQLite database (text, binary and mostly
// empty pages mixed), measured in the same run.
#include "unzip.h"
#include "zip.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr int PageSize = 4096;
constexpr int Pages = 64 * 1024 * 1024 / PageSize;

struct Files
{
    QTemporaryDir dir;
    QString source = dir.filePath("kelvaron.dat");
    QString ours = dir.filePath("ours.zip");
    QString theirs = dir.filePath("theirs.zip");

    Files()
    {
        static const char* const words[] = {
            "account ",   "password ", "https://example.org/login ", "user@example.org ", "card ",
            "4111 1111 ", "note ",     "2026-12-09 23:59:01 ",       "folder ",           "item "};
        QFile file(source);
        file.open(QIODevice::WriteOnly);
        quint32 state = 88172645u;
        const auto next = [&state] {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            return state;
        };
        QByteArray page(PageSize, '\0');
        for (int p = 0; p < Pages; ++p) {
            page.fill('\0');
            const quint32 kind = next() % 20;
            if (kind < 12) { // text rows, as in the labels and timestamps
                QByteArray text;
                while (text.size() < PageSize)
                    text += words[next() % 10];
                page = text.left(PageSize);
            } else if (kind < 17) { // enciphered values: incompressible
                for (char& c : page)
                    c = char(next());
            } else { // free or sparse pages
                for (int i = 0; i < 64; ++i)
                    page[int(next() % PageSize)] = char(next());
            }
            file.write(page);
        }
    }
};

Files* files()
{
    static Files instance;
    return &instance;
}

void runTool(const QString& command)
{
    QProcess process;
    process.setWorkingDirectory(files()->dir.path());
    process.start("/bin/sh", {"-c", command});
    process.waitForFinished(-1);
}

void BM_OurZip(benchmark::State& state)
{
    Files* f = files();
    for (auto _ : state) {
        Zip zip;
        zip.createArchive(f->ours);
        zip.addPath(f->source, Zip::LevelAutoFull);
        zip.finishArchive();
    }
    state.counters["archive_bytes"] = double(QFileInfo(f->ours).size());
}
BENCHMARK(BM_OurZip)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_InfoZip(benchmark::State& state)
{
    Files* f = files();
    for (auto _ : state) {
        QFile::remove(f->theirs);
        runTool("zip -5 -q -j theirs.zip kelvaron.dat");
    }
    state.counters["archive_bytes"] = double(QFileInfo(f->theirs).size());
}
BENCHMARK(BM_InfoZip)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OurUnzip(benchmark::State& state)
{
    Files* f = files();
    const QString out = f->dir.filePath("out-ours");
    for (auto _ : state) {
        UnZip unzip;
        unzip.openArchive(f->ours);
        unzip.extractAll(out);
    }
}
BENCHMARK(BM_OurUnzip)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_InfoUnzip(benchmark::State& state)
{
    for (auto _ : state)
        runTool("unzip -o -q ours.zip -d out-theirs");
}
BENCHMARK(BM_InfoUnzip)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
