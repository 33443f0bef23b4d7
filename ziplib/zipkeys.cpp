#include "zipkeys.h"

#include <zlib.h>

namespace {

quint32 crcStep(quint32 crc, unsigned char byte)
{
    static const z_crc_t* table = get_crc_table();
    return table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
}

} // namespace

ZipKeys::ZipKeys(const QByteArray& password) : m_keys{0x12345678, 0x23456789, 0x34567890}
{
    for (char c : password)
        update(static_cast<unsigned char>(c));
}

unsigned char ZipKeys::keystream() const
{
    const quint32 temp = (m_keys[2] & 0xFFFF) | 2;
    return static_cast<unsigned char>(((temp * (temp ^ 1)) >> 8) & 0xFF);
}

void ZipKeys::update(unsigned char plain)
{
    m_keys[0] = crcStep(m_keys[0], plain);
    m_keys[1] = (m_keys[1] + (m_keys[0] & 0xFF)) * 134775813u + 1;
    m_keys[2] = crcStep(m_keys[2], static_cast<unsigned char>(m_keys[1] >> 24));
}

unsigned char ZipKeys::encrypt(unsigned char plain)
{
    const unsigned char cipher = plain ^ keystream();
    update(plain);
    return cipher;
}

unsigned char ZipKeys::decrypt(unsigned char cipher)
{
    const unsigned char plain = cipher ^ keystream();
    update(plain);
    return plain;
}

void ZipKeys::encrypt(char* data, qint64 length)
{
    for (qint64 i = 0; i < length; ++i)
        data[i] = static_cast<char>(encrypt(static_cast<unsigned char>(data[i])));
}

void ZipKeys::decrypt(char* data, qint64 length)
{
    for (qint64 i = 0; i < length; ++i)
        data[i] = static_cast<char>(decrypt(static_cast<unsigned char>(data[i])));
}
