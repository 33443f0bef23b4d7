#include "iconcatalogue.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QtTest>

class TestIconCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void catalogueSizesAndOrder();
    void everyEntryHasAPicture();
    void programPicturesExist();
    void lookup_data();
    void lookup();
    void packPictureBeatsResource();
    void noPackGivesTheBuiltInItems();
};

void TestIconCatalogue::catalogueSizesAndOrder()
{
    QCOMPARE(folderIconCatalogue().size(), 17);
    QCOMPARE(labelIconCatalogue().size(), 52);
    QCOMPARE(folderIconCatalogue().first().iconfil, QStringLiteral("folder"));
    QCOMPARE(folderIconCatalogue().first().title, QStringLiteral("Usual folder"));
    QCOMPARE(folderIconCatalogue().last().iconfil, QStringLiteral("folderusers"));
    QCOMPARE(labelIconCatalogue().at(1).title, QStringLiteral("Mail sign @"));
    QCOMPARE(labelIconCatalogue().last().iconfil, QStringLiteral("labelwww"));
    QCOMPARE(&folderIconCatalogue(), &folderIconCatalogue()); // built once
}

void TestIconCatalogue::everyEntryHasAPicture()
{
    QStringList missing;
    int count = 0;
    for (const QList<IconInfo>* catalogue :
         {&folderIconCatalogue(), &labelIconCatalogue(), &itemIconCatalogue()})
        for (const IconInfo& info : *catalogue) {
            const QString name =
                info.iconfil.startsWith("icon_") ? info.iconfil : "icon_" + info.iconfil;
            const QImage picture(":/app_icons/appicons/" + name + "_huge.png");
            if (picture.isNull() || picture.size() != QSize(64, 64))
                missing.append(info.iconfil);
            ++count;
        }
    QCOMPARE(count, 188);
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(',')));
    QCOMPARE(QDir(":/app_icons/appicons").entryList().size(), 188);
}

void TestIconCatalogue::programPicturesExist()
{
    const QStringList toolbar = {"folder_up", "folder",  "add",         "remove",       "edit",
                                 "copy",      "import",  "export",      "lock",         "update",
                                 "backup",    "restore", "label",       "changepass",   "prefs",
                                 "web",       "find",    "pin_enabled", "pin_disabled", "close",
                                 "stop",      "info",    "trayicon32"};
    for (const QString& name : toolbar)
        QVERIFY2(!QImage(":/toolbar_icons/icons/" + name + ".png").isNull(), qPrintable(name));
    for (const char* name : {"48.png", "64.png", "96.png", "logo.png"})
        QVERIFY2(!QImage(QStringLiteral(":/app_icon/icons/") + name).isNull(), name);
    QCOMPARE(QImage(":/app_icon/icons/96.png").size(), QSize(96, 96));
    QCOMPARE(QImage(":/app_icon/icons/logo.png").size(), QSize(54, 54));
    QVERIFY(!QImage(":/images/images/heron.jpg").isNull());
}

void TestIconCatalogue::lookup_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::newRow("stored without prefix") << "visa"
                                           << ":/app_icons/appicons/icon_visa_huge.png";
    QTest::newRow("catalogue name with prefix") << "icon_visa"
                                                << ":/app_icons/appicons/icon_visa_huge.png";
    QTest::newRow("label icon") << "labelpass"
                                << ":/app_icons/appicons/icon_labelpass_huge.png";
    QTest::newRow("folder icon") << "folderbanking"
                                 << ":/app_icons/appicons/icon_folderbanking_huge.png";
    QTest::newRow("unknown") << "no-such-icon"
                             << ":/app_icons/appicons/icon_document_huge.png";
    QTest::newRow("empty") << ""
                           << ":/app_icons/appicons/icon_document_huge.png";
}

void TestIconCatalogue::lookup()
{
    QFETCH(QString, name);
    QFETCH(QString, path);
    QCOMPARE(iconFilePath(name), path);
    QVERIFY(!iconForName(name).isNull());
}

void TestIconCatalogue::packPictureBeatsResource()
{
    QDir().mkpath(iconPackFolder());
    const QString picture = iconPackFolder() + "/icon_visa.png";
    QImage red(64, 64, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(picture));
    QCOMPARE(iconFilePath("visa"), picture);
    QCOMPARE(iconFilePath("icon_visa"), picture);
    QFile::remove(picture);
    QCOMPARE(iconFilePath("visa"), QStringLiteral(":/app_icons/appicons/icon_visa_huge.png"));
}

void TestIconCatalogue::noPackGivesTheBuiltInItems()
{
    const QList<IconInfo>& items = itemIconCatalogue();
    QCOMPARE(items.size(), 119);
    QCOMPARE(items.first().iconfil, QStringLiteral("icon_document"));
    QCOMPARE(items.last().iconfil, QStringLiteral("icon_youtube"));
    // Each picture of a catalogue has a name of its own to be chosen by.
    for (const QList<IconInfo>* catalogue :
         {&folderIconCatalogue(), &labelIconCatalogue(), &itemIconCatalogue()}) {
        QSet<QString> titles;
        for (const IconInfo& info : *catalogue) {
            QVERIFY2(!info.title.isEmpty(), qPrintable(info.iconfil));
            QVERIFY2(!titles.contains(info.title), qPrintable(info.title));
            titles.insert(info.title);
        }
    }
}

KELVARON_TEST_MAIN(TestIconCatalogue)
#include "tst_iconcatalogue.moc"
