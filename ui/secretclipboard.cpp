#include "secretclipboard.h"

#include <QClipboard>
#include <QCryptographicHash>
#include <QGuiApplication>
#include <QMimeData>

namespace {

const QString SecretHint = QStringLiteral("x-kde-passwordManagerHint");

// A digest of the last secret copied: enough to recognise it on the
// clipboard without keeping the secret itself in memory.
QByteArray& lastCopiedDigest()
{
    static QByteArray digest;
    return digest;
}

QByteArray digestOf(const QString& text)
{
    return QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256);
}

} // namespace

void copySecretToClipboard(const QString& text)
{
    lastCopiedDigest() = digestOf(text);
    auto* data = new QMimeData;
    data->setText(text);
    // KDE Klipper and other Linux clipboard managers.
    data->setData(SecretHint, QByteArrayLiteral("secret"));
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

void clearSecretFromClipboard()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard->mimeData(QClipboard::Clipboard);
    if (lastCopiedDigest().isEmpty() || !data || !data->hasFormat(SecretHint) ||
        digestOf(data->text()) != lastCopiedDigest())
        return;
    clipboard->clear(QClipboard::Clipboard);
    lastCopiedDigest().clear();
}
