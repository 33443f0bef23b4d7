#pragma once

#include <QByteArray>
#include <QtGlobal>

// The three keys of traditional PKWARE encryption (APPNOTE 6.1), derived from
// a password and updated with every plain byte.
class ZipKeys
{
public:
    explicit ZipKeys(const QByteArray& password);

    unsigned char encrypt(unsigned char plain);
    unsigned char decrypt(unsigned char cipher);
    void encrypt(char* data, qint64 length);
    void decrypt(char* data, qint64 length);

private:
    unsigned char keystream() const;
    void update(unsigned char plain);

    quint32 m_keys[3];
};
