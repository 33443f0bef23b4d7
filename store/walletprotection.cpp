#include "walletprotection.h"

#include "gcmcipher.h"
#include "passwordcipher.h"

#include <argon2.h>
#include <openssl/crypto.h>
#include <openssl/rand.h>
#include <QCoreApplication>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace {

const QString KdfName = QStringLiteral("argon2id");
const QString PropertiesTable = QStringLiteral("kelvaron_properties");
const char* const KdfColumns[] = {"kdf", "kdf_salt", "kdf_memory", "kdf_iterations",
                                  "kdf_parallelism"};

// The bounds a file's settings must keep: enough to be worth the name, and
// little enough that a hostile file can make one unlock attempt cost at most
// about a GiB of memory and some seconds, never minutes.
constexpr qint64 MinMemoryKiB = 8 * 1024;
constexpr qint64 MaxMemoryKiB = 1024 * 1024;
constexpr qint64 MaxIterations = 10;
constexpr qint64 MaxParallelism = 16;

} // namespace

WalletProtection WalletProtection::fresh(Format format)
{
    WalletProtection protection;
    protection.m_format = format;
    if (format == Format::Argon2id) {
        protection.m_salt = QByteArray(SaltLength, Qt::Uninitialized);
        if (RAND_bytes(reinterpret_cast<unsigned char*>(protection.m_salt.data()), SaltLength) != 1)
            protection.m_salt.clear(); // out of range: no key is ever derived from it
        protection.m_memoryKiB = DefaultMemoryKiB;
        protection.m_iterations = DefaultIterations;
        protection.m_parallelism = DefaultParallelism;
    }
    return protection;
}

bool WalletProtection::hasKdfColumns(const QSqlDatabase& db)
{
    const QSqlRecord record = db.record(PropertiesTable);
    for (const char* column : KdfColumns)
        if (!record.contains(QLatin1String(column)))
            return false;
    return true;
}

WalletProtection WalletProtection::read(const QSqlDatabase& db, QString* problem)
{
    problem->clear();
    WalletProtection protection;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT * FROM kelvaron_properties ")) || !query.next())
        return protection;
    if (query.value(QStringLiteral("version")).toString().trimmed() != QLatin1String("2"))
        return protection;
    if (!hasKdfColumns(db)) {
        *problem = QCoreApplication::translate(
            "", "it says it is strongly protected, but its key settings are missing");
        return protection;
    }
    if (query.value(QStringLiteral("kdf")).toString() != KdfName) {
        *problem = QCoreApplication::translate("", "its key derivation is not one Kelvaron knows");
        return protection;
    }
    protection.m_format = Format::Argon2id;
    protection.m_salt = query.value(QStringLiteral("kdf_salt")).toByteArray();
    protection.m_memoryKiB = query.value(QStringLiteral("kdf_memory")).toLongLong();
    protection.m_iterations = query.value(QStringLiteral("kdf_iterations")).toLongLong();
    protection.m_parallelism = query.value(QStringLiteral("kdf_parallelism")).toLongLong();
    *problem = protection.rangeProblem();
    return problem->isEmpty() ? protection : WalletProtection();
}

QString WalletProtection::rangeProblem() const
{
    if (m_salt.size() != SaltLength || m_memoryKiB < MinMemoryKiB || m_memoryKiB > MaxMemoryKiB ||
        m_iterations < 1 || m_iterations > MaxIterations || m_parallelism < 1 ||
        m_parallelism > MaxParallelism)
        return QCoreApplication::translate("", "its key settings are out of range");
    return {};
}

std::unique_ptr<WalletCipher> WalletProtection::cipherFor(const QString& password) const
{
    if (password.isEmpty())
        return nullptr;
    if (!isStrong())
        return std::make_unique<PasswordCipher>(password);
    if (!rangeProblem().isEmpty())
        return nullptr;
    QByteArray utf8 = password.toUtf8();
    QByteArray key = argon2idKey(utf8, m_salt, m_memoryKiB, m_iterations, m_parallelism);
    OPENSSL_cleanse(utf8.data(), size_t(utf8.size()));
    if (key.isEmpty())
        return nullptr;
    auto cipher = std::make_unique<GcmCipher>(key);
    OPENSSL_cleanse(key.data(), size_t(key.size()));
    return cipher;
}

QByteArray WalletProtection::argon2idKey(const QByteArray& password, const QByteArray& salt,
                                         qint64 memoryKiB, qint64 iterations, qint64 parallelism)
{
    QByteArray key(GcmCipher::KeyLength, Qt::Uninitialized);
    if (argon2id_hash_raw(uint32_t(iterations), uint32_t(memoryKiB), uint32_t(parallelism),
                          password.constData(), size_t(password.size()), salt.constData(),
                          size_t(salt.size()), key.data(), size_t(key.size())) != ARGON2_OK) {
        OPENSSL_cleanse(key.data(), size_t(key.size()));
        return {};
    }
    return key;
}

QString WalletProtection::description() const
{
    if (!isStrong())
        return QCoreApplication::translate(
            "", "Original: the key is taken from the master password, values in AES-256-CBC");
    return QCoreApplication::translate(
               "", "Strong: Argon2id key (%1 MiB, %2 passes, %3 lanes), values in AES-256-GCM")
        .arg(m_memoryKiB / 1024)
        .arg(m_iterations)
        .arg(m_parallelism);
}
