// Store benchmarks: the value cipher against bare OpenSSL, and the tree,
// field and re-encipherment operations on a wallet of 10,000 items.
#include "benchwallet.h"
#include "valuecipher.h"
#include "walletdatabase.h"

#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <QApplication>

namespace {

const QString Value40 = QStringLiteral("4111 1111 1111 1111 / exp 12-28 / cvc 123");

// The reference: one AES-256-CBC encryption and one decryption of the same
// 72-byte message (checksum + value) with a fresh context each.
void BM_BareEvpRoundTrip(benchmark::State& state)
{
    const unsigned char key[32] = {1, 2, 3};
    const unsigned char iv[16] = {};
    const QByteArray message = md5Hex(Value40).toLatin1() + Value40.toUtf8();
    unsigned char cipher[128];
    unsigned char plain[128];
    for (auto _ : state) {
        int n = 0, m = 0;
        EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
        EVP_EncryptInit_ex(ctx, EVP_aes_256_cbc(), nullptr, key, iv);
        EVP_EncryptUpdate(ctx, cipher, &n,
                          reinterpret_cast<const unsigned char*>(message.constData()),
                          message.size());
        EVP_EncryptFinal_ex(ctx, cipher + n, &m);
        EVP_CIPHER_CTX_free(ctx);
        const int length = n + m;
        ctx = EVP_CIPHER_CTX_new();
        EVP_DecryptInit_ex(ctx, EVP_aes_256_cbc(), nullptr, key, iv);
        EVP_DecryptUpdate(ctx, plain, &n, cipher, length);
        EVP_DecryptFinal_ex(ctx, plain + n, &m);
        EVP_CIPHER_CTX_free(ctx);
        benchmark::DoNotOptimize(plain);
    }
}
BENCHMARK(BM_BareEvpRoundTrip);

void BM_ValueCipherRoundTrip(benchmark::State& state)
{
    const QString password = QStringLiteral("master");
    for (auto _ : state) {
        bool ok = false;
        const QByteArray cipher = encryptValue(Value40, password, &ok);
        benchmark::DoNotOptimize(decryptValue(cipher, password, &ok));
    }
}
BENCHMARK(BM_ValueCipherRoundTrip);

BenchWallet* wallet()
{
    static BenchWallet instance;
    return &instance;
}

int walk(WalletDatabase* db, const QString& parent)
{
    int count = 0;
    for (const ItemRecord& child : db->listChildren(parent))
        count += 1 + (child.folder ? walk(db, child.itemId) : 0);
    return count;
}

void BM_WalkWholeTree(benchmark::State& state)
{
    wallet();
    WalletDatabase* db = WalletDatabase::instance();
    for (auto _ : state)
        benchmark::DoNotOptimize(walk(db, RootItemId));
}
BENCHMARK(BM_WalkWholeTree)->Unit(benchmark::kMillisecond);

void BM_ListTwentyFields(benchmark::State& state)
{
    const QString item = wallet()->itemWithTwentyFields;
    WalletDatabase* db = WalletDatabase::instance();
    for (auto _ : state)
        benchmark::DoNotOptimize(db->listFields(item));
}
BENCHMARK(BM_ListTwentyFields)->Unit(benchmark::kMillisecond);

void BM_ReencryptAll(benchmark::State& state)
{
    wallet();
    WalletDatabase* db = WalletDatabase::instance();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            db->reencryptAll(BenchWallet::Password, WalletProtection::Format::Original));
    }
}
BENCHMARK(BM_ReencryptAll)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
