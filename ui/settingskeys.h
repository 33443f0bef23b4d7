#pragma once

#include <QSettings>
#include <QString>

// The keys of the settings store and the defaults that every reader passes.
// The first group is spelt "General": Qt writes a group of that name as
// "[%General]" and reads it back as "General" whatever its case, so that a
// lowercase "general" written by one run was not found by the next.
namespace SettingsKeys {

inline const QString StayOnTop = QStringLiteral("General/stayontop");
inline const QString AutoLock = QStringLiteral("General/autolock");
inline const QString AutoLockInterval = QStringLiteral("General/autolockinterval");
inline const QString ClipboardClear = QStringLiteral("General/clipboardclear");
inline const QString ShowInTray = QStringLiteral("General/showintray");
// Whether the window was once hidden to the tray, so the notice is shown once.
inline const QString TrayNoticeShown = QStringLiteral("General/traynoticeshown");
// "system", "en" or "ru"; read at start-up.
inline const QString Language = QStringLiteral("General/language");
inline const QString LanguageDefault = QStringLiteral("system");
// The main window's size and place, and its splitter.
inline const QString Geometry = QStringLiteral("General/geometry");
inline const QString Splitter = QStringLiteral("General/splitter");
// The ids of the wallets for which the user dismissed the offer to upgrade
// from the original protection.
inline const QString UpgradeDismissed = QStringLiteral("General/upgradedismissed");
inline const QString SearchPasswords = QStringLiteral("General/searchpasswords");
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
constexpr bool SearchPasswordsDefault = false;
constexpr int AutoLockIntervalDefault = 10;
constexpr int AutoLockIntervalMinimum = 5;
constexpr int AutoLockIntervalMaximum = 30;
// Seconds a copied value stays on the clipboard; 0 keeps it.
constexpr int ClipboardClearDefault = 10;
constexpr int ClipboardClearMaximum = 300;
constexpr bool UpperCaseDefault = true;
constexpr bool LowerCaseDefault = true;
constexpr bool DigitsDefault = true;
constexpr bool SpecialsDefault = false;
constexpr int LengthDefault = 8;
constexpr int LengthMinimum = 1;
constexpr int LengthMaximum = 99;
inline const QString SpecialSymbolsDefault = QStringLiteral("!#$%&()*+,-.:;<=>?@[]^_`{|}~");

// Reads a whole number kept under key, clamped to [minimum, maximum]: a file
// edited by hand or damaged must never give a zero interval or an overflow.
// A value that is not a number reads as the default.
inline int boundedInt(const QString& key, int fallback, int minimum, int maximum)
{
    bool ok = false;
    const int value = QSettings().value(key, fallback).toInt(&ok);
    return ok ? qBound(minimum, value, maximum) : fallback;
}

inline int autoLockMinutes()
{
    return boundedInt(AutoLockInterval, AutoLockIntervalDefault, AutoLockIntervalMinimum,
                      AutoLockIntervalMaximum);
}

inline int clipboardClearSeconds()
{
    return boundedInt(ClipboardClear, ClipboardClearDefault, 0, ClipboardClearMaximum);
}

inline int passwordLength()
{
    return boundedInt(Length, LengthDefault, LengthMinimum, LengthMaximum);
}

} // namespace SettingsKeys
