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

// Over the text's own UTF-16 units: a converted copy would be one more
// plaintext left in freed memory.
QByteArray digestOf(const QString& text)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(reinterpret_cast<const char*>(text.constData()), text.size() * int(sizeof(QChar)));
    return hash.result();
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
