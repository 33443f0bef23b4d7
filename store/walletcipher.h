#pragma once

#include <QByteArray>
#include <QString>

// Enciphers and deciphers a wallet's names and values under a key held for
// as long as the wallet is unlocked. The key bytes are overwritten when the
// cipher ends.
class WalletCipher
{
public:
    virtual ~WalletCipher() = default;
    // The stored form of plaintext; ok is false, and the result empty, when a
    // cipher step failed.
    virtual QByteArray encrypt(const QString& plaintext, bool* ok) = 0;
    // The plaintext of value; ok tells whether value opened under the key.
    virtual QString decrypt(const QByteArray& value, bool* ok) = 0;
};
