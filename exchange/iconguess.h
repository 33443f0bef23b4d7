#pragma once

#include <QString>
#include <QStringList>

// The icon of the item catalogue whose name, title or search words match a
// word of title or the host name of one of addresses ("github.com" gives the
// GitHub icon), as an item stores it; "document" when none matches.
QString guessItemIcon(const QString& title, const QStringList& addresses);
