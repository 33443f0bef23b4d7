#pragma once

#include <QString>

// One field type ("label"): code, display name, value type, built-in flag and icon name.
struct LabelRecord
{
    QString fieldType;
    QString labelName;
    QString valueType;
    bool system = false;
    QString icon;
};
