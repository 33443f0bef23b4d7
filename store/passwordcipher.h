#pragma once

#include "valuedecipher.h"
#include "walletcipher.h"

// The original wallet format: each value under AES-256-CBC with a key taken
// from the master password itself (see encryptValue).
class PasswordCipher : public WalletCipher
{
public:
    explicit PasswordCipher(const QString& password);
    ~PasswordCipher() override;

    QByteArray encrypt(const QString& plaintext, bool* ok) override;
    QString decrypt(const QByteArray& value, bool* ok) override;

private:
    QString m_password;
    ValueDecipher m_decipher;
};
