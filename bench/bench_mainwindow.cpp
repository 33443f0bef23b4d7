// Main window benchmarks on the wallet of 10,000 items: rebuilding the tree,
// showing a folder of 1,000 children and an item of 20 fields.
#include "benchwallet.h"
#include "kvchangepassword.h"
#include "mainwindow.h"
#include "walletdatabase.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

struct Fixture
{
    BenchWallet wallet;
    QString thousand = wallet.addFolderOfThousand();
    MainWindow window;
    // The master password in force: it outlives each benchmark repetition.
    QString password = BenchWallet::Password;
    int changes = 0;
};

// Made on first use, released before the application object ends.
std::unique_ptr<Fixture>& fixtureHolder()
{
    static std::unique_ptr<Fixture> instance;
    return instance;
}

Fixture* fixture()
{
    if (!fixtureHolder())
        fixtureHolder() = std::make_unique<Fixture>();
    return fixtureHolder().get();
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

// The whole change of master password as the user does it: checking the
// current password, re-enciphering the wallet with progress, committing.
void BM_ChangePassword(benchmark::State& state)
{
    Fixture* f = fixture();
    for (auto _ : state) {
        const QString next = QStringLiteral("changed %1").arg(++f->changes);
        KVChangePassword dialog(nullptr);
        dialog.findChild<QLineEdit*>("lineEditOldPass")->setText(f->password);
        dialog.findChild<QLineEdit*>("lineEditNewPass")->setText(next);
        dialog.findChild<QLineEdit*>("lineEditConfirmPass")->setText(next);
        dialog.findChild<QPushButton*>("pushButtonChangePass")->click();
        if (dialog.result() != QDialog::Accepted)
            state.SkipWithError("change of password failed");
        WalletDatabase::instance()->checkPassword(next);
        f->password = next;
    }
}
BENCHMARK(BM_ChangePassword)->Unit(benchmark::kMillisecond)->Iterations(3);

// Unlock of the strong wallet as the user makes it, from the click on Unlock
// with the password typed, through the key derivation, to the root shown in
// the rebuilt tree.
void BM_UnlockStrongWallet(benchmark::State& state)
{
    Fixture* f = fixture();
    if (!WalletDatabase::instance()->reencryptAll(f->password, WalletProtection::Format::Argon2id))
        state.SkipWithError("conversion failed");
    for (auto _ : state) {
        state.PauseTiming();
        f->window.selectTreeItem(RootItemId);
        f->window.lockWindow();
        const QString password = f->password;
        QTimer::singleShot(0, [password] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            dialog->findChild<QLineEdit*>("lineEdit")->setText(password);
            dialog->accept();
        });
        state.ResumeTiming();
        f->window.on_unlockButton_clicked();
        if (f->window.selectedTreeId() != RootItemId)
            state.SkipWithError("the root is not shown");
    }
    WalletDatabase::instance()->reencryptAll(f->password, WalletProtection::Format::Original);
}
BENCHMARK(BM_UnlockStrongWallet)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, [] { fixtureHolder().reset(); });
}
