#pragma once

#include <QByteArray>
#include <QString>

struct evp_cipher_ctx_st;
struct evp_md_st;
struct evp_md_ctx_st;

// Deciphers many values under one password, with the same result as
// decryptValue, but with the key derived and the cipher context made once:
// what the store uses while the wallet is unlocked. The key bytes are
// overwritten when it ends.
class ValueDecipher
{
public:
    explicit ValueDecipher(const QString& password);
    ~ValueDecipher();
    ValueDecipher(const ValueDecipher&) = delete;
    ValueDecipher& operator=(const ValueDecipher&) = delete;

    // The plaintext of value; ok tells whether its integrity check passed.
    QString decrypt(const QByteArray& value, bool* ok);

private:
    QByteArray md5Hex(const char* data, int size);

    QByteArray m_key;
    evp_cipher_ctx_st* m_context = nullptr;
    evp_md_st* m_md5 = nullptr;
    evp_md_ctx_st* m_digestContext = nullptr;
    QByteArray m_buffer;
};
