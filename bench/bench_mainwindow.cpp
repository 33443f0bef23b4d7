// Main window benchmarks on the wallet of 10,000 items: rebuilding the tree,
// showing a folder of 1,000 children and an item of 20 fields.
#include "benchwallet.h"
#include "mainwindow.h"
#include "walletdatabase.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

struct Fixture
{
    BenchWallet wallet;
    QString thousand = wallet.addFolderOfThousand();
    MainWindow window;
};

Fixture* fixture()
{
    static Fixture instance;
    return &instance;
}

void BM_FillTree(benchmark::State& state)
{
    MainWindow& window = fixture()->window;
    for (auto _ : state)
        window.fillTree();
}
BENCHMARK(BM_FillTree)->Unit(benchmark::kMillisecond);

void BM_ShowFolderOfThousand(benchmark::State& state)
{
    Fixture* f = fixture();
    for (auto _ : state) {
        f->window.selectTreeItem(RootItemId);
        f->window.selectTreeItem(f->thousand);
    }
}
BENCHMARK(BM_ShowFolderOfThousand)->Unit(benchmark::kMillisecond);

void BM_ShowItemOfTwentyFields(benchmark::State& state)
{
    Fixture* f = fixture();
    for (auto _ : state) {
        f->window.selectTreeItem(f->wallet.folderIds.first());
        f->window.selectTreeItem(f->wallet.itemWithTwentyFields);
    }
}
BENCHMARK(BM_ShowItemOfTwentyFields)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    prepareBenchEnvironment();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
