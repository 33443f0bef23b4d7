#include "formatfieldvalue.h"

QDate parseStoredDate(const QString& value)
{
    if (value.size() != 8)
        return {};
    return QDate(value.mid(0, 4).toInt(), value.mid(4, 2).toInt() + 1, value.mid(6, 2).toInt());
}

QTime parseStoredTime(const QString& value)
{
    if (value.size() != 6)
        return {};
    return QTime(value.mid(0, 2).toInt(), value.mid(2, 2).toInt(), value.mid(4, 2).toInt());
}

QString storedDate(const QDate& date)
{
    // Always 8 digits: a year before 1000 is padded, or the value would not
    // read back.
    return QStringLiteral("%1%2%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month() - 1, 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString storedTime(const QTime& time)
{
    return time.toString(QStringLiteral("HHmmss"));
}

QString formatFieldValue(const FieldRecord& field)
{
    const QString& valueType = field.label.valueType;
    if (valueType == QLatin1String("date"))
        return parseStoredDate(field.value).toString(Qt::TextDate);
    if (valueType == QLatin1String("time"))
        return field.value.left(2) + QLatin1Char(':') + field.value.mid(2, 2);
    return field.value;
}

bool isSecretField(const FieldRecord& field)
{
    return field.label.valueType == QLatin1String("pass") || field.type == QLatin1String("PINC") ||
           field.type == QLatin1String("SANS");
}
