#include "secretclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

void copySecretToClipboard(const QString& text)
{
    auto* data = new QMimeData;
    data->setText(text);
    // KDE Klipper and other Linux clipboard managers.
    data->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
#if defined(Q_OS_MACOS)
    data->setData(QStringLiteral("application/x-nspasteboard-concealed-type"), QByteArray());
#elif defined(Q_OS_WIN)
    data->setData(QStringLiteral("ExcludeClipboardContentFromMonitorProcessing"),
                  QByteArrayLiteral("1"));
    data->setData(QStringLiteral("CanIncludeInClipboardHistory"), QByteArray(4, '\0'));
    data->setData(QStringLiteral("CanUploadToCloudClipboard"), QByteArray(4, '\0'));
#endif
    QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
}
