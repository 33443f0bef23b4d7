#include "benchwallet.h"

#include "randomstring.h"
#include "valuecipher.h"
#include "walletdatabase.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

const QString BenchWallet::Password = QStringLiteral("benchmark master password");

int runBenchmarks(int argc, char** argv, const std::function<void()>& beforeExit)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (beforeExit)
        beforeExit();
    return 0;
}

BenchWallet::BenchWallet()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tormelin Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Kelvaron"));
    if (WalletDatabase::instance())
        WalletDatabase::instance()->close();
    QFile::remove(WalletDatabase::databaseFilePath());
    openWalletDatabase();
    WalletDatabase* db = WalletDatabase::instance();
    db->initialiseWallet(Password);

    const QString now = currentTimestamp();
    const auto cipher = [](const QString& text) {
        bool ok = false;
        return encryptValue(text, Password, &ok);
    };
    QSqlDatabase::database().transaction();
    QSqlQuery item;
    item.prepare(QStringLiteral("INSERT INTO kelvaron_items (item_id, parent_id, name, icon, "
                                "folder, create_timestamp, change_timestamp) VALUES (?, ?, ?, ?, "
                                "?, ?, ?)"));
    QSqlQuery field;
    field.prepare(QStringLiteral("INSERT INTO kelvaron_fields (item_id, field_id, type, value, "
                                 "change_timestamp, sort_weight) VALUES (?, ?, ?, ?, ?, ?)"));
    const QStringList types = {"USER", "PASS", "LINK", "NOTE", "MAIL"};
    const auto addRow = [&](QSqlQuery& query, const QVariantList& values) {
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values[i]);
        query.exec();
    };
    for (int f = 0; f < Folders; ++f) {
        const QString folderId = randomString(ItemIdLength);
        folderIds.append(folderId);
        addRow(item, {folderId, RootItemId, cipher(QStringLiteral("Folder %1").arg(f)), "folder", 1,
                      now, now});
        for (int i = 0; i < ItemsPerFolder; ++i) {
            const QString itemId = randomString(ItemIdLength);
            addRow(item, {itemId, folderId, cipher(QStringLiteral("Account %1-%2").arg(f).arg(i)),
                          "key", 0, now, now});
            for (int k = 0; k < FieldsPerItem; ++k)
                addRow(field,
                       {itemId, QStringLiteral("F%1").arg(k, 3, 10, QLatin1Char('0')), types[k],
                        cipher(QStringLiteral("value %1 of %2").arg(k).arg(itemId)), now,
                        (k + 1) * 100});
        }
    }
    itemWithTwentyFields = randomString(ItemIdLength);
    addRow(item, {itemWithTwentyFields, RootItemId, cipher(QStringLiteral("Twenty")), "key", 0, now,
                  now});
    for (int k = 0; k < 20; ++k)
        addRow(field, {itemWithTwentyFields, QStringLiteral("T%1").arg(k, 3, 10, QLatin1Char('0')),
                       types[k % types.size()], cipher(QStringLiteral("twenty %1").arg(k)), now,
                       (k + 1) * 100});
    QSqlDatabase::database().commit();
}

QString BenchWallet::addFolderOfThousand()
{
    WalletDatabase* db = WalletDatabase::instance();
    const QString folder = db->addItem(QString(), RootItemId, QStringLiteral("Thousand"),
                                       QStringLiteral("folder"), true)
                               .itemId;
    const QString now = currentTimestamp();
    QSqlDatabase::database().transaction();
    QSqlQuery item;
    item.prepare(QStringLiteral("INSERT INTO kelvaron_items (item_id, parent_id, name, icon, "
                                "folder, create_timestamp, change_timestamp) VALUES (?, ?, ?, ?, "
                                "0, ?, ?)"));
    for (int i = 0; i < 1000; ++i) {
        bool ok = false;
        item.bindValue(0, randomString(ItemIdLength));
        item.bindValue(1, folder);
        item.bindValue(2, encryptValue(QStringLiteral("Site %1").arg(i), Password, &ok));
        item.bindValue(3, QStringLiteral("key"));
        item.bindValue(4, now);
        item.bindValue(5, now);
        item.exec();
    }
    QSqlDatabase::database().commit();
    return folder;
}
