#include "gcmcipher.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

namespace {

const unsigned char* bytes(const QByteArray& array)
{
    return reinterpret_cast<const unsigned char*>(array.constData());
}

unsigned char* bytes(QByteArray& array)
{
    return reinterpret_cast<unsigned char*>(array.data());
}

// A context holding the key schedule, or null when the key cannot be used.
evp_cipher_ctx_st* keyedContext(const QByteArray& key, bool encrypting)
{
    if (key.size() != GcmCipher::KeyLength)
        return nullptr;
    EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
    if (context && EVP_CipherInit_ex(context, EVP_aes_256_gcm(), nullptr, bytes(key), nullptr,
                                     encrypting ? 1 : 0) == 1)
        return context;
    EVP_CIPHER_CTX_free(context);
    return nullptr;
}

} // namespace

GcmCipher::GcmCipher(const QByteArray& key)
    : m_key(key), m_encrypt(keyedContext(key, true)), m_decrypt(keyedContext(key, false))
{
    m_key.detach();
}

GcmCipher::~GcmCipher()
{
    OPENSSL_cleanse(m_key.data(), size_t(m_key.size()));
    if (!m_buffer.isEmpty())
        OPENSSL_cleanse(m_buffer.data(), size_t(m_buffer.size()));
    // Freeing a context also wipes the key schedule it holds.
    EVP_CIPHER_CTX_free(m_encrypt);
    EVP_CIPHER_CTX_free(m_decrypt);
}

QByteArray GcmCipher::encrypt(const QString& plaintext, bool* ok)
{
    *ok = false;
    if (!m_encrypt)
        return {};
    QByteArray utf8 = plaintext.toUtf8();
    QByteArray out(NonceLength + utf8.size() + TagLength, Qt::Uninitialized);
    unsigned char* nonce = bytes(out);
    unsigned char* body = nonce + NonceLength;
    int written = 0;
    int finalWritten = 0;
    const bool done =
        RAND_bytes(nonce, NonceLength) == 1 &&
        EVP_EncryptInit_ex(m_encrypt, nullptr, nullptr, nullptr, nonce) == 1 &&
        EVP_EncryptUpdate(m_encrypt, body, &written, bytes(utf8), utf8.size()) == 1 &&
        EVP_EncryptFinal_ex(m_encrypt, body + written, &finalWritten) == 1 &&
        written + finalWritten == utf8.size() &&
        EVP_CIPHER_CTX_ctrl(m_encrypt, EVP_CTRL_GCM_GET_TAG, TagLength, body + utf8.size()) == 1;
    OPENSSL_cleanse(utf8.data(), size_t(utf8.size()));
    if (!done)
        return {};
    *ok = true;
    return out;
}

QString GcmCipher::decrypt(const QByteArray& value, bool* ok)
{
    *ok = false;
    const int length = value.size() - NonceLength - TagLength;
    if (!m_decrypt || length < 0)
        return {};
    if (m_buffer.size() < length + 1)
        m_buffer.resize(length + 1);
    const unsigned char* nonce = bytes(value);
    const unsigned char* body = nonce + NonceLength;
    // The tag is only read, although the call's type does not say so.
    auto* tag = const_cast<unsigned char*>(body + length);
    unsigned char* out = bytes(m_buffer);
    int written = 0;
    int finalWritten = 0;
    const bool opened = EVP_DecryptInit_ex(m_decrypt, nullptr, nullptr, nullptr, nonce) == 1 &&
                        EVP_DecryptUpdate(m_decrypt, out, &written, body, length) == 1 &&
                        EVP_CIPHER_CTX_ctrl(m_decrypt, EVP_CTRL_GCM_SET_TAG, TagLength, tag) == 1 &&
                        EVP_DecryptFinal_ex(m_decrypt, out + written, &finalWritten) == 1;
    // Bytes that fail their tag are never turned into text.
    if (!opened)
        return {};
    *ok = true;
    return QString::fromUtf8(m_buffer.constData(), written + finalWritten);
}
