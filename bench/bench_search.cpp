// Search benchmarks on the wallet of 10,000 items in 500 folders with 50,000
// fields: building the index after unlock, and queries of one and of three
// words, alone and with the results shown in the main window. The index's
// memory is reported beside the deciphered text it holds.
#include "benchwallet.h"
#include "mainwindow.h"
#include "searchindex.h"
#include "walletdatabase.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <QLineEdit>
#include <QTest>

namespace {

const QString OneWord = QStringLiteral("account");          // every item: the worst case
const QString ThreeWords = QStringLiteral("value 42 f003"); // a few items

struct Fixture
{
    BenchWallet wallet;
    SearchIndex index;
    MainWindow window;
};

std::unique_ptr<Fixture>& fixtureHolder()
{
    static std::unique_ptr<Fixture> instance;
    return instance;
}

Fixture* fixture()
{
    if (!fixtureHolder()) {
        fixtureHolder() = std::make_unique<Fixture>();
        fixtureHolder()->index.build(WalletDatabase::instance());
    }
    return fixtureHolder().get();
}

void BM_BuildIndex(benchmark::State& state)
{
    Fixture* f = fixture();
    for (auto _ : state) {
        SearchIndex index;
        index.build(WalletDatabase::instance());
        benchmark::DoNotOptimize(index.isBuilt());
    }
    state.counters["text_MB"] = double(f->index.textBytes()) / 1e6;
    state.counters["index_MB"] = double(f->index.memoryBytes()) / 1e6;
    state.counters["ratio"] = double(f->index.memoryBytes()) / double(f->index.textBytes());
}
BENCHMARK(BM_BuildIndex)->Unit(benchmark::kMillisecond);

void BM_Query(benchmark::State& state, const QString& query)
{
    Fixture* f = fixture();
    int found = 0;
    for (auto _ : state)
        f->index.find(query, false, 200, &found);
    state.counters["found"] = double(found);
}
BENCHMARK_CAPTURE(BM_Query, one_word, OneWord)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Query, three_words, ThreeWords)->Unit(benchmark::kMillisecond);

// What the user waits for after the pause in typing: the query and the
// results in the right panel (the window's index is built on first use).
void BM_SearchAndShow(benchmark::State& state, const QString& query)
{
    Fixture* f = fixture();
    auto* box = f->window.findChild<QLineEdit*>(QStringLiteral("searchBox"));
    box->setText(query);
    QTest::keyClick(box, Qt::Key_Return); // builds the window's index once
    for (auto _ : state)
        QTest::keyClick(box, Qt::Key_Return);
}
BENCHMARK_CAPTURE(BM_SearchAndShow, one_word, OneWord)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchAndShow, three_words, ThreeWords)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, [] { fixtureHolder().reset(); });
}
