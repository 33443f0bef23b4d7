#pragma once

#include "fieldrecord.h"

#include <QDate>
#include <QString>
#include <QTime>

// Stored forms: a date is yyyy + month counted from zero (2 digits) + dd; a time is HHmmss.
QDate parseStoredDate(const QString& value);
QTime parseStoredTime(const QString& value);
QString storedDate(const QDate& date);
QString storedTime(const QTime& time);

// The display form of a field's value, by its label's value type.
QString formatFieldValue(const FieldRecord& field);

// Whether a field's value is a secret that is shown masked: a password (by
// its label's value type), a PIN code or a secret answer.
bool isSecretField(const FieldRecord& field);
