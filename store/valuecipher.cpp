#include "valuecipher.h"

#include <memory>
#include <openssl/evp.h>
#include <QCryptographicHash>

namespace {

constexpr int KeyLength = 32;
constexpr int BlockLength = 16;
constexpr int ChecksumLength = 32;

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

CipherContext newContext()
{
    return CipherContext(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
}

// The password is doubled until it has at least 32 UTF-16 units; the key is
// the first 32 bytes of the UTF-8 form of the result.
QByteArray deriveKey(const QString& password)
{
    QString doubled = password;
    while (doubled.size() < KeyLength)
        doubled += doubled;
    QByteArray key = doubled.toUtf8().left(KeyLength);
    key.append(KeyLength - key.size(), '\0');
    return key;
}

const unsigned char* bytes(const QByteArray& array)
{
    return reinterpret_cast<const unsigned char*>(array.constData());
}

unsigned char* bytes(QByteArray& array)
{
    return reinterpret_cast<unsigned char*>(array.data());
}

} // namespace

QString md5Hex(const QString& text)
{
    QByteArray utf8 = text.toUtf8();
    const int zero = utf8.indexOf('\0');
    if (zero >= 0)
        utf8.truncate(zero);
    return QString::fromLatin1(QCryptographicHash::hash(utf8, QCryptographicHash::Md5).toHex());
}

QByteArray encryptValue(const QString& plaintext, const QString& password, bool* ok)
{
    *ok = false;
    if (password.isEmpty())
        return {};
    try {
        const QByteArray key = deriveKey(password);
        const unsigned char iv[BlockLength] = {};
        const QByteArray message = md5Hex(plaintext).toLatin1() + plaintext.toUtf8();
        QByteArray out(message.size() + BlockLength, Qt::Uninitialized);
        CipherContext ctx = newContext();
        int written = 0;
        int finalWritten = 0;
        if (!ctx ||
            EVP_EncryptInit_ex(ctx.get(), EVP_aes_256_cbc(), nullptr, bytes(key), iv) != 1 ||
            EVP_EncryptUpdate(ctx.get(), bytes(out), &written, bytes(message), message.size()) !=
                1 ||
            EVP_EncryptFinal_ex(ctx.get(), bytes(out) + written, &finalWritten) != 1)
            return {};
        out.truncate(written + finalWritten);
        *ok = true;
        return out;
    } catch (...) {
        return {};
    }
}

QString decryptValue(const QByteArray& value, const QString& password, bool* ok)
{
    *ok = false;
    if (password.isEmpty())
        return {};
    try {
        const QByteArray key = deriveKey(password);
        const unsigned char iv[BlockLength] = {};
        QByteArray out(value.size() + BlockLength, Qt::Uninitialized);
        CipherContext ctx = newContext();
        if (!ctx)
            return {};
        // Step results are deliberately not tested: with a wrong key the final
        // step fails on the padding and contributes nothing, and the integrity
        // check below decides.
        int written = 0;
        int finalWritten = 0;
        EVP_DecryptInit_ex(ctx.get(), EVP_aes_256_cbc(), nullptr, bytes(key), iv);
        if (EVP_DecryptUpdate(ctx.get(), bytes(out), &written, bytes(value), value.size()) != 1)
            written = 0;
        if (EVP_DecryptFinal_ex(ctx.get(), bytes(out) + written, &finalWritten) != 1)
            finalWritten = 0;
        out.truncate(written + finalWritten);
        const QString deciphered = QString::fromUtf8(out.constData(), out.size());
        const QString checksum = deciphered.left(ChecksumLength);
        const QString candidate = deciphered.mid(ChecksumLength);
        *ok = md5Hex(candidate) == checksum;
        return candidate;
    } catch (...) {
        return {};
    }
}
