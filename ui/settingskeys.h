#pragma once

#include <QString>

// The keys of the settings store and the defaults that every reader passes.
namespace SettingsKeys {

inline const QString StayOnTop = QStringLiteral("general/stayontop");
inline const QString AutoLock = QStringLiteral("general/autolock");
inline const QString AutoLockInterval = QStringLiteral("general/autolockinterval");
inline const QString ShowInTray = QStringLiteral("general/showintray");
inline const QString BackupPath = QStringLiteral("backup/backup_path");
inline const QString UpperCase = QStringLiteral("password/uppercase");
inline const QString LowerCase = QStringLiteral("password/lowercase");
inline const QString Digits = QStringLiteral("password/digits");
inline const QString Specials = QStringLiteral("password/specials");
inline const QString Length = QStringLiteral("password/length");
inline const QString SpecialSymbols = QStringLiteral("password/special_symbols");

// One smart-generation key per item: the prefix followed by the item id.
inline QString smartPass(const QString& itemId)
{
    return QStringLiteral("password/smartpass") + itemId;
}

constexpr bool StayOnTopDefault = false;
constexpr bool AutoLockDefault = true;
constexpr int AutoLockIntervalDefault = 10;
constexpr bool UpperCaseDefault = true;
constexpr bool LowerCaseDefault = true;
constexpr bool DigitsDefault = true;
constexpr bool SpecialsDefault = false;
constexpr int LengthDefault = 8;
inline const QString SpecialSymbolsDefault = QStringLiteral("!#$%&()*+,-.:;<=>?@[]^_`{|}~");

} // namespace SettingsKeys
