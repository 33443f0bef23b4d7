#pragma once

#include "walletcipher.h"

struct evp_cipher_ctx_st;

// The strong wallet format's values: a 12-byte random nonce, the AES-256-GCM
// ciphertext of the plaintext's UTF-8 bytes, then the 16-byte tag, with no
// associated data. A value whose tag does not check gives no text at all.
class GcmCipher : public WalletCipher
{
public:
    static constexpr int KeyLength = 32;
    static constexpr int NonceLength = 12;
    static constexpr int TagLength = 16;

    // key must be KeyLength bytes; any other length makes a cipher that fails.
    explicit GcmCipher(const QByteArray& key);
    ~GcmCipher() override;
    GcmCipher(const GcmCipher&) = delete;
    GcmCipher& operator=(const GcmCipher&) = delete;

    QByteArray encrypt(const QString& plaintext, bool* ok) override;
    QString decrypt(const QByteArray& value, bool* ok) override;

private:
    QByteArray m_key;
    // The key schedules are made once; each value only sets its nonce.
    evp_cipher_ctx_st* m_encrypt = nullptr;
    evp_cipher_ctx_st* m_decrypt = nullptr;
    QByteArray m_buffer;
};
