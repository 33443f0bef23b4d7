#include "lockcloser.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QHash>
#include <QWidget>

namespace {

// A window that does not close when asked would otherwise keep the loop
// below going.
constexpr int MostWindows = 64;

} // namespace

LockCloser::LockCloser(QObject* parent) : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

QStringList LockCloser::closeAll()
{
    m_closing = true;
    for (int i = 0; i < MostWindows && QApplication::activePopupWidget(); ++i)
        QApplication::activePopupWidget()->close();
    // Modal windows close innermost first; each hidden one leaves the
    // modal stack, so the next is the one below it.
    QStringList closed;
    for (int i = 0; i < MostWindows; ++i) {
        QWidget* window = QApplication::activeModalWidget();
        if (!window)
            break;
        if (auto* dialog = qobject_cast<QDialog*>(window))
            dialog->reject();
        else
            window->close();
        if (window->isVisible())
            break; // it is busy and refuses: the lock follows when it ends
        const QString name = describe(window);
        if (!name.isEmpty() && !closed.contains(name))
            closed.prepend(name);
    }
    return closed;
}

void LockCloser::finish()
{
    m_closing = false;
}

bool LockCloser::eventFilter(QObject* watched, QEvent* event)
{
    // A dialog that code shows while the lock is closing everything is
    // closed as soon as its own event loop runs.
    if (m_closing && event->type() == QEvent::Show && watched->isWidgetType())
        if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->isWindow())
            QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

QString LockCloser::describe(const QWidget* window)
{
    static const QHash<QString, const char*> names = {
        {QStringLiteral("KVFieldEdit"), QT_TR_NOOP("the field editor")},
        {QStringLiteral("EditItemFolder"), QT_TR_NOOP("the item or folder editor")},
        {QStringLiteral("KVChangePassword"), QT_TR_NOOP("Change password")},
        {QStringLiteral("labels"), QT_TR_NOOP("Labels")},
        {QStringLiteral("Prefs"), QT_TR_NOOP("Preferences")},
        {QStringLiteral("ImportDialog"), QT_TR_NOOP("the import preview")},
        {QStringLiteral("MoveToDialog"), QT_TR_NOOP("Move to")},
        {QStringLiteral("KVRestoreDialog"), QT_TR_NOOP("Restore")},
        {QStringLiteral("KVPasswordDialog"), QT_TR_NOOP("the password dialog")}};
    if (window->objectName() == QLatin1String("KVCustomMessage") ||
        window->objectName() == QLatin1String("About"))
        return {};
    const auto found = names.constFind(window->objectName());
    return found != names.constEnd() ? tr(found.value()) : window->windowTitle();
}
