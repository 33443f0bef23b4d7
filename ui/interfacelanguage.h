#pragma once

#include <QLocale>
#include <QString>

// The language of the interface: the choice kept in the settings ("en" or
// "ru"), or with "system" (the default) the system's own: Russian when it is
// Russian, English otherwise. It takes effect when the program starts.
QString interfaceLanguageCode(const QLocale& system = QLocale::system());
