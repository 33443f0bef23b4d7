#pragma once

#include <QByteArray>
#include <QString>

// Per-value cipher of the wallet: AES-256-CBC over the hexadecimal MD5 of the
// plaintext followed by the plaintext, under a key taken from the master
// password and a zero initialisation vector. The MD5 prefix doubles as the
// integrity check that tells a right password from a wrong one.

// MD5 of the UTF-8 form of text, up to its first zero byte, as 32 lower-case hex digits.
QString md5Hex(const QString& text);

// Enciphers plaintext under password. Empty result and ok == false when the
// password is empty or a cipher step fails.
QByteArray encryptValue(const QString& plaintext, const QString& password, bool* ok);

// Deciphers value under password. Returns the candidate plaintext whether or
// not the integrity check passed; ok tells whether it did.
QString decryptValue(const QByteArray& value, const QString& password, bool* ok);
