#include "iconcatalogue.h"
#include "iconpack.h"
#include "testenvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

namespace {

QList<IconInfo> read(const QString& fixture)
{
    QList<IconInfo> catalogue;
    readIconPack(QStringLiteral(KELVARON_TEST_DATA "/iconpacks/") + fixture, &catalogue);
    return catalogue;
}

} // namespace

class TestIconPack : public QObject
{
    Q_OBJECT

private slots:
    void acceptsOnlyCompleteIcons();
    void brokenOrHostileFilesAddNothing_data();
    void brokenOrHostileFilesAddNothing();
    void oversizedFileIsSkipped();
    void installedPackLeadsTheItemCatalogue();
};

void TestIconPack::acceptsOnlyCompleteIcons()
{
    const QList<IconInfo> icons = read("valid.xml");
    QStringList rows;
    for (const IconInfo& info : icons)
        rows.append(QStringList({info.iconfil, info.title, info.search, QString::number(info.type)})
                        .join('|'));
    QCOMPARE(rows, QStringList({"icon_visa|My Visa|card bank|0", "rocket|Rocket||1",
                                "nested|Nested||0", "rocket|Rocket again||0"}));
}

void TestIconPack::brokenOrHostileFilesAddNothing_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::newRow("missing") << "no-such-file.xml";
    QTest::newRow("malformed") << "malformed.xml";
    QTest::newRow("entity expansion") << "entities.xml";
}

void TestIconPack::brokenOrHostileFilesAddNothing()
{
    QFETCH(QString, fixture);
    QVERIFY(read(fixture).isEmpty());
}

void TestIconPack::oversizedFileIsSkipped()
{
    QTemporaryDir folder;
    QFile file(folder.filePath("iconset.xml"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<iconset>");
    const QByteArray icon = "<icon><id>a</id><type>default</type><name><en>A</en></name></icon>\n";
    for (int i = 0; i < 5 * 1024 * 1024 / icon.size(); ++i)
        file.write(icon);
    file.write("</iconset>");
    file.close();
    QList<IconInfo> catalogue;
    readIconPack(file.fileName(), &catalogue);
    QVERIFY(catalogue.isEmpty());
}

void TestIconPack::installedPackLeadsTheItemCatalogue()
{
    // Installed before the item catalogue's first request, which reads it.
    QVERIFY(QDir().mkpath(iconPackFolder()));
    QFile::remove(iconPackFolder() + "/iconset.xml");
    QVERIFY(QFile::copy(QStringLiteral(KELVARON_TEST_DATA "/iconpacks/valid.xml"),
                        iconPackFolder() + "/iconset.xml"));
    const QList<IconInfo>& items = itemIconCatalogue();
    QCOMPARE(items.first().iconfil, QStringLiteral("icon_visa"));
    QCOMPARE(items.first().title, QStringLiteral("My Visa"));
    QCOMPARE(items.size(), 4 + 118);
    int visas = 0;
    for (const IconInfo& info : items)
        visas += info.iconfil == QLatin1String("icon_visa") ? 1 : 0;
    QCOMPARE(visas, 1);
    // Later changes of the description take effect only at the next start.
    QFile::remove(iconPackFolder() + "/iconset.xml");
    QCOMPARE(itemIconCatalogue().size(), 122);
}

KELVARON_TEST_MAIN(TestIconPack)
#include "tst_iconpack.moc"
