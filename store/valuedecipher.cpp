#include "valuedecipher.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

namespace {

constexpr int KeyLength = 32;
constexpr int BlockLength = 16;
constexpr int ChecksumLength = 32;

// The same key as the value cipher takes: the password doubled until it has
// at least 32 UTF-16 units, the first 32 bytes of its UTF-8 form.
QByteArray keyOf(const QString& password)
{
    QString doubled = password;
    while (!doubled.isEmpty() && doubled.size() < KeyLength)
        doubled += doubled;
    QByteArray key = doubled.toUtf8().left(KeyLength);
    key.append(KeyLength - key.size(), '\0');
    return key;
}

} // namespace

QByteArray ValueDecipher::md5Hex(const char* data, int size)
{
    // Up to the first zero byte, as the cipher's check is made.
    const char* zero = static_cast<const char*>(memchr(data, 0, size_t(size)));
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_DigestInit_ex(m_digestContext, m_md5, nullptr) != 1 ||
        EVP_DigestUpdate(m_digestContext, data, zero ? size_t(zero - data) : size_t(size)) != 1 ||
        EVP_DigestFinal_ex(m_digestContext, digest, &length) != 1)
        return {};
    return QByteArray(reinterpret_cast<const char*>(digest), int(length)).toHex();
}

ValueDecipher::ValueDecipher(const QString& password)
    : m_key(password.isEmpty() ? QByteArray() : keyOf(password)), m_context(EVP_CIPHER_CTX_new()),
      m_md5(EVP_MD_fetch(nullptr, "MD5", nullptr)), m_digestContext(EVP_MD_CTX_new())
{
    // The key schedule is made here once; each value only resets the IV.
    const unsigned char iv[BlockLength] = {};
    if (m_context && !m_key.isEmpty() &&
        EVP_DecryptInit_ex(m_context, EVP_aes_256_cbc(), nullptr,
                           reinterpret_cast<const unsigned char*>(m_key.constData()), iv) != 1) {
        EVP_CIPHER_CTX_free(m_context);
        m_context = nullptr;
    }
}

ValueDecipher::~ValueDecipher()
{
    OPENSSL_cleanse(m_key.data(), size_t(m_key.size()));
    if (!m_buffer.isEmpty())
        OPENSSL_cleanse(m_buffer.data(), size_t(m_buffer.size()));
    EVP_CIPHER_CTX_free(m_context);
    EVP_MD_CTX_free(m_digestContext);
    EVP_MD_free(m_md5);
}

QString ValueDecipher::decrypt(const QByteArray& value, bool* ok)
{
    *ok = false;
    if (m_key.isEmpty() || !m_context || !m_md5 || !m_digestContext)
        return {};
    const unsigned char iv[BlockLength] = {};
    if (m_buffer.size() < value.size() + BlockLength)
        m_buffer.resize(value.size() + BlockLength);
    auto* out = reinterpret_cast<unsigned char*>(m_buffer.data());
    int written = 0;
    int finalWritten = 0;
    // As in decryptValue: a wrong key fails the padding or the check below.
    EVP_DecryptInit_ex2(m_context, nullptr, nullptr, iv, nullptr);
    if (EVP_DecryptUpdate(m_context, out, &written,
                          reinterpret_cast<const unsigned char*>(value.constData()),
                          value.size()) != 1)
        written = 0;
    if (EVP_DecryptFinal_ex(m_context, out + written, &finalWritten) != 1)
        finalWritten = 0;
    const int size = written + finalWritten;
    const char* plain = m_buffer.constData();
    if (size < ChecksumLength)
        return QString::fromUtf8(plain, size).mid(ChecksumLength);
    const QString candidate = QString::fromUtf8(plain + ChecksumLength, size - ChecksumLength);
    // The check is made on the text as the cipher would write it again, so
    // that an invalid UTF-8 sequence fails exactly as in decryptValue.
    const QByteArray again = candidate.toUtf8();
    *ok = QByteArray::fromRawData(plain, ChecksumLength) == md5Hex(again.constData(), again.size());
    return candidate;
}
