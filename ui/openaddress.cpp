#include "openaddress.h"

#include "kvcustommessage.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

void openAddress(const QString& address)
{
    if (QDesktopServices::openUrl(QUrl(address)))
        return;
    KVCustomMessage::ask(
        QCoreApplication::translate("", "No web browser opened"),
        QCoreApplication::translate("", "Open this address in your web browser:\n%1").arg(address),
        false, KVCustomMessage::ButtonsOk);
}
