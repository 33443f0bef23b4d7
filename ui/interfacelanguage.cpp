#include "interfacelanguage.h"

#include "settingskeys.h"

QString interfaceLanguageCode(const QLocale& system)
{
    const QString chosen =
        QSettings().value(SettingsKeys::Language, SettingsKeys::LanguageDefault).toString();
    if (chosen == QLatin1String("en") || chosen == QLatin1String("ru"))
        return chosen;
    return system.language() == QLocale::Russian ? QStringLiteral("ru") : QStringLiteral("en");
}
