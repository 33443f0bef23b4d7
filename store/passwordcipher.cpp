#include "passwordcipher.h"

#include "valuecipher.h"

#include <openssl/crypto.h>

PasswordCipher::PasswordCipher(const QString& password) : m_password(password), m_decipher(password)
{
    m_password.detach();
}

PasswordCipher::~PasswordCipher()
{
    // Copies that Qt's implicit sharing made elsewhere are their holders' to forget.
    if (!m_password.isEmpty())
        OPENSSL_cleanse(m_password.data(), size_t(m_password.size()) * sizeof(QChar));
}

QByteArray PasswordCipher::encrypt(const QString& plaintext, bool* ok)
{
    return encryptValue(plaintext, m_password, ok);
}

QString PasswordCipher::decrypt(const QByteArray& value, bool* ok)
{
    return m_decipher.decrypt(value, ok);
}
