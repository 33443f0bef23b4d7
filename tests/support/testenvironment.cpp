#include "testenvironment.h"

#include "walletdatabase.h"

#include <QAbstractButton>
#include <QDir>
#include <QSqlQuery>
#include <QWidget>

TestEnvironment::TestEnvironment()
    : m_root(QDir::tempPath() + QStringLiteral("/kelvaron-test-XXXXXX"))
{
    const QString base = m_root.path();
    const auto folder = [&](const char* name) {
        const QString path = base + QLatin1Char('/') + QLatin1String(name);
        QDir().mkpath(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path.toLocal8Bit();
    };
    qputenv("HOME", folder("home"));
    qputenv("XDG_DATA_HOME", folder("data"));
    qputenv("XDG_CONFIG_HOME", folder("config"));
    qputenv("XDG_CACHE_HOME", folder("cache"));
    qputenv("XDG_RUNTIME_DIR", folder("runtime"));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void TestEnvironment::nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tormelin Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Kelvaron"));
}

QStringList openTopLevelWindows()
{
    QStringList names;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            names.append(widget->objectName());
    return names;
}

void freshWallet(const QString& password)
{
    if (WalletDatabase::instance())
        WalletDatabase::instance()->close();
    QFile::remove(WalletDatabase::databaseFilePath());
    if (!openWalletDatabase())
        qFatal("The test wallet could not be opened");
    if (!password.isEmpty())
        WalletDatabase::instance()->initialiseWallet(password);
}

CipherRows cipherRowsOpenedBy(const QString& password)
{
    // Under the protection the file says it has, whatever the store holds.
    QString problem;
    const std::unique_ptr<WalletCipher> cipher =
        WalletProtection::read(QSqlDatabase::database(), &problem).cipherFor(password);
    CipherRows rows;
    for (const char* sql :
         {"SELECT name FROM kelvaron_items", "SELECT value FROM kelvaron_fields"}) {
        QSqlQuery query{QString::fromLatin1(sql)};
        while (query.next()) {
            bool ok = false;
            cipher->decrypt(query.value(0).toByteArray(), &ok);
            ++rows.total;
            rows.opened += ok ? 1 : 0;
        }
    }
    return rows;
}

void runOnWalletFile(const QString& sql)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "plain");
        db.setDatabaseName(WalletDatabase::databaseFilePath());
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY2(query.exec(sql), qPrintable(sql));
    }
    QSqlDatabase::removeDatabase("plain");
}

QStringList tabOrderAfter(QWidget* first, int count)
{
    QStringList names;
    QWidget* widget = first;
    while (names.size() < count) {
        widget = widget->nextInFocusChain();
        if (widget == first)
            break;
        if (!(widget->focusPolicy() & Qt::TabFocus))
            continue;
        const auto* button = qobject_cast<QAbstractButton*>(widget);
        names.append(widget->objectName().isEmpty() && button ? button->text().remove('&')
                                                              : widget->objectName());
    }
    return names;
}
