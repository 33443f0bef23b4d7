#pragma once

#include <QDateTime>
#include <QString>

// One folder or item of the wallet tree, with its name already deciphered.
struct ItemRecord
{
    QString itemId;
    QString parentId;
    QString name;
    QString icon;
    bool folder = false;
    QDateTime createTimestamp;
    QDateTime changeTimestamp;
};
