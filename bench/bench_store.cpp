// Store benchmarks: the value ciphers of both formats against bare OpenSSL,
// the strong format's key derivation, and the tree, field, re-encipherment
// and conversion operations on a wallet of 10,000 items.
#include "benchwallet.h"
#include "gcmcipher.h"
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

// The reference of the strong format: one AES-256-GCM encryption of the value
// and one decryption with its tag checked, with a fresh context each.
void BM_BareEvpGcmRoundTrip(benchmark::State& state)
{
    const unsigned char key[32] = {1, 2, 3};
    const unsigned char nonce[12] = {4, 5, 6};
    const QByteArray message = Value40.toUtf8();
    const auto* plainIn = reinterpret_cast<const unsigned char*>(message.constData());
    unsigned char cipher[128];
    unsigned char plain[128];
    unsigned char tag[16];
    for (auto _ : state) {
        int n = 0, m = 0;
        EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
        EVP_EncryptInit_ex(ctx, EVP_aes_256_gcm(), nullptr, key, nonce);
        EVP_EncryptUpdate(ctx, cipher, &n, plainIn, message.size());
        EVP_EncryptFinal_ex(ctx, cipher + n, &m);
        EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_GET_TAG, 16, tag);
        EVP_CIPHER_CTX_free(ctx);
        const int length = n + m;
        ctx = EVP_CIPHER_CTX_new();
        EVP_DecryptInit_ex(ctx, EVP_aes_256_gcm(), nullptr, key, nonce);
        EVP_DecryptUpdate(ctx, plain, &n, cipher, length);
        EVP_CIPHER_CTX_ctrl(ctx, EVP_CTRL_GCM_SET_TAG, 16, tag);
        benchmark::DoNotOptimize(EVP_DecryptFinal_ex(ctx, plain + n, &m));
        EVP_CIPHER_CTX_free(ctx);
        benchmark::DoNotOptimize(plain);
    }
}
BENCHMARK(BM_BareEvpGcmRoundTrip);

// The strong format's value round trip as the store makes it: a random nonce,
// the UTF-8 form, the tag, and the text back.
void BM_GcmCipherRoundTrip(benchmark::State& state)
{
    GcmCipher cipher(QByteArray(GcmCipher::KeyLength, 'k'));
    for (auto _ : state) {
        bool ok = false;
        const QByteArray value = cipher.encrypt(Value40, &ok);
        benchmark::DoNotOptimize(cipher.decrypt(value, &ok));
    }
}
BENCHMARK(BM_GcmCipherRoundTrip);

// One key derivation at the costs of a new strong wallet (64 MiB, 3 passes,
// 2 lanes): what every unlock attempt pays.
void BM_Argon2idKey(benchmark::State& state)
{
    const WalletProtection protection = WalletProtection::fresh(WalletProtection::Format::Argon2id);
    for (auto _ : state)
        benchmark::DoNotOptimize(WalletProtection::argon2idKey(
            "benchmark master password", protection.salt(), protection.memoryKiB(),
            protection.iterations(), protection.parallelism()));
}
BENCHMARK(BM_Argon2idKey)->Unit(benchmark::kMillisecond)->Iterations(5);

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

// Conversion of the whole wallet to the format given (2: strong, 1: original)
// from the other one, as Change password makes it; the way back is untimed.
void BM_ConvertFormat(benchmark::State& state)
{
    using Format = WalletProtection::Format;
    wallet();
    WalletDatabase* db = WalletDatabase::instance();
    const auto to = Format(state.range(0));
    const auto from = to == Format::Argon2id ? Format::Original : Format::Argon2id;
    for (auto _ : state) {
        state.PauseTiming();
        const bool ready = db->reencryptAll(BenchWallet::Password, from);
        state.ResumeTiming();
        if (!ready || !db->reencryptAll(BenchWallet::Password, to))
            state.SkipWithError("conversion failed");
    }
    db->reencryptAll(BenchWallet::Password, Format::Original);
}
BENCHMARK(BM_ConvertFormat)
    ->ArgName("to")
    ->Arg(2)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
