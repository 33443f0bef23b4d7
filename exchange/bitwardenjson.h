#pragma once

#include "importplan.h"

#include <QByteArray>

// Bitwarden's unencrypted JSON export: folders, and items of the login, secure
// note, card and identity kinds with their custom fields. An item's number in
// the file stands for its line.
class BitwardenJson
{
public:
    static ImportPlan read(const QByteArray& bytes);
};
