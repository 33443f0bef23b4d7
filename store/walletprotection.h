#pragma once

#include "walletcipher.h"

#include <memory>
#include <QByteArray>
#include <QSqlDatabase>
#include <QString>

// How a wallet's names and values are protected, as its properties row says:
// the original format (version 1, the key taken from the master password
// itself) or the strong one (version 2, an Argon2id key and AES-256-GCM
// values) with the key derivation's salt and costs.
class WalletProtection
{
public:
    enum class Format
    {
        Original = 1,
        Argon2id = 2
    };

    static constexpr int SaltLength = 16;
    // The costs of a new strong wallet; an existing one's are read from it.
    static constexpr qint64 DefaultMemoryKiB = 65536;
    static constexpr qint64 DefaultIterations = 3;
    static constexpr qint64 DefaultParallelism = 2;

    // The original format.
    WalletProtection() = default;
    // format with, for the strong one, a new random salt and the default costs.
    static WalletProtection fresh(Format format);
    // Reads the properties row of db. A row that says version 2 without
    // usable key-derivation settings is refused: problem tells the user why,
    // and is empty for a usable row.
    static WalletProtection read(const QSqlDatabase& db, QString* problem);
    // Whether the properties table of db has the key-derivation columns.
    static bool hasKdfColumns(const QSqlDatabase& db);

    Format format() const { return m_format; }
    bool isStrong() const { return m_format == Format::Argon2id; }
    QByteArray salt() const { return m_salt; }
    qint64 memoryKiB() const { return m_memoryKiB; }
    qint64 iterations() const { return m_iterations; }
    qint64 parallelism() const { return m_parallelism; }

    // The cipher that password opens, or null when password is empty or the
    // key cannot be derived. The strong format runs the key derivation here,
    // once per call.
    std::unique_ptr<WalletCipher> cipherFor(const QString& password) const;
    // What protects the wallet, in words for the user.
    QString description() const;

    // The 32-byte Argon2id (version 0x13) key of password, or an empty array.
    static QByteArray argon2idKey(const QByteArray& password, const QByteArray& salt,
                                  qint64 memoryKiB, qint64 iterations, qint64 parallelism);

private:
    // Empty when the key-derivation settings are in range, else why not.
    QString rangeProblem() const;

    Format m_format = Format::Original;
    QByteArray m_salt;
    qint64 m_memoryKiB = 0;
    qint64 m_iterations = 0;
    qint64 m_parallelism = 0;
};
