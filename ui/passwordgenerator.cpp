#include "passwordgenerator.h"

#include "settingskeys.h"

#include <QRandomGenerator>
#include <QSettings>
#include <QVector>
#include <utility>

const QString PasswordGenerator::SmallLetters = QStringLiteral("qwertyuiopasdfghjklzxcvbnm");
const QString PasswordGenerator::CapitalLetters = QStringLiteral("QWERTYUIOPASDFGHJKLZXCVBNM");
const QString PasswordGenerator::DigitCharacters = QStringLiteral("0123456789");

namespace {

QChar randomCharacter(const QString& characters)
{
    return characters.at(int(QRandomGenerator::system()->bounded(quint32(characters.size()))));
}

} // namespace

PasswordGenerator::Settings PasswordGenerator::load(const QString& itemId)
{
    using namespace SettingsKeys;
    const QSettings settings;
    Settings s;
    s.smart = settings.value(smartPass(itemId), false).toBool();
    s.upperCase = settings.value(UpperCase, UpperCaseDefault).toBool();
    s.lowerCase = settings.value(LowerCase, LowerCaseDefault).toBool();
    s.digits = settings.value(Digits, DigitsDefault).toBool();
    s.specials = settings.value(Specials, SpecialsDefault).toBool();
    s.length = passwordLength();
    s.specialSymbols = settings.value(SpecialSymbols, SpecialSymbolsDefault).toString();
    return s;
}

QString PasswordGenerator::generate(const Settings& settings, const QString& templateText)
{
    QString result;
    if (settings.smart) {
        for (const QChar ch : templateText) {
            if (SmallLetters.contains(ch))
                result += randomCharacter(SmallLetters);
            else if (CapitalLetters.contains(ch))
                result += randomCharacter(CapitalLetters);
            else if (DigitCharacters.contains(ch))
                result += randomCharacter(DigitCharacters);
            else if (settings.specialSymbols.contains(ch))
                result += randomCharacter(settings.specialSymbols);
            else
                result += randomCharacter(SmallLetters);
        }
        return result;
    }

    // The weighted class list; an empty symbol set leaves its class out, and
    // with no class at all the password is empty.
    QVector<const QString*> classes;
    if (settings.lowerCase)
        classes << &SmallLetters << &SmallLetters << &SmallLetters;
    if (settings.upperCase)
        classes << &CapitalLetters << &CapitalLetters << &CapitalLetters;
    if (settings.digits)
        classes << &DigitCharacters << &DigitCharacters;
    if (settings.specials && !settings.specialSymbols.isEmpty())
        classes << &settings.specialSymbols;
    if (classes.isEmpty())
        return result;
    // One character of every enabled class first, when the length allows,
    // then the rest by the weights; a uniform shuffle puts the guaranteed
    // characters at random places.
    QVector<const QString*> distinct;
    for (const QString* characters : classes)
        if (!distinct.contains(characters))
            distinct.append(characters);
    if (distinct.size() <= settings.length)
        for (const QString* characters : distinct)
            result += randomCharacter(*characters);
    while (result.size() < settings.length)
        result += randomCharacter(
            *classes.at(int(QRandomGenerator::system()->bounded(quint32(classes.size())))));
    QChar* characters = result.data();
    for (int i = result.size() - 1; i > 0; --i)
        std::swap(characters[i],
                  characters[int(QRandomGenerator::system()->bounded(quint32(i + 1)))]);
    return result;
}
