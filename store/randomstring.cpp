#include "randomstring.h"

#include <QRandomGenerator>

QString randomString(int length)
{
    static const QString alphabet =
        QStringLiteral("QWERTYUIOPASDFGHJKLZXCVBNMqwertyuiopasdfghjklzxcvbnm1234567890");
    QString result;
    result.reserve(length);
    for (int i = 0; i < length; ++i)
        result += alphabet.at(QRandomGenerator::global()->bounded(alphabet.size()));
    return result;
}
