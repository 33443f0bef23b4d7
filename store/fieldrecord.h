#pragma once

#include "labelrecord.h"

#include <QDateTime>
#include <QString>

// One field of an item, with its value already deciphered and its label resolved.
struct FieldRecord
{
    QString fieldId;
    QString type;
    QString value;
    QDateTime changeTimestamp;
    LabelRecord label;
};
