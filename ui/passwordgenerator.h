#pragma once

#include <QString>

// Makes passwords from the operating system's cryptographic generator, either
// plain (a length drawn from the enabled character classes, small and capital
// letters three times and digits twice as likely as special symbols) or smart
// (every character of a template replaced by a random one of its class).
class PasswordGenerator
{
public:
    struct Settings
    {
        bool smart = false;
        bool upperCase = true;
        bool lowerCase = true;
        bool digits = true;
        bool specials = false;
        int length = 8;
        QString specialSymbols;
    };

    // The stored settings, the smart choice being that of the item.
    static Settings load(const QString& itemId);
    static QString generate(const Settings& settings, const QString& templateText);

    static const QString SmallLetters;
    static const QString CapitalLetters;
    static const QString DigitCharacters;
};
