#include "formatfieldvalue.h"
#include "searchindex.h"
#include "searchtext.h"
#include "testenvironment.h"
#include "walletdatabase.h"

#include <QtTest>

namespace {

const QString Password = QStringLiteral("pw");

WalletDatabase* db()
{
    return WalletDatabase::instance();
}

QStringList names(const QList<SearchIndex::Result>& results)
{
    QStringList found;
    for (const SearchIndex::Result& result : results)
        found.append(result.name);
    return found;
}

} // namespace

// The matching rules on their own, then the index over a small wallet.
class TestSearch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void folding_data();
    void folding();
    void queries_data();
    void queries();
    void resultsCarryPathAndIcon();
    void indexFollowsChanges();

private:
    SearchIndex m_index;
    QString m_mail;
    QString m_gone;
};

void TestSearch::folding_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folded");
    QTest::newRow("case") << "GitHub"
                          << "github";
    QTest::newRow("accents") << QString::fromUtf8("Crédit Agricole Ångström")
                             << "credit agricole angstrom";
    QTest::newRow("Cyrillic case") << QString::fromUtf8("Почта") << QString::fromUtf8("почта");
    QTest::newRow("Cyrillic yo") << QString::fromUtf8("Ёлка") << QString::fromUtf8("елка");
    QTest::newRow("German sharp s") << QString::fromUtf8("Straße") << "strasse";
    QTest::newRow("ligature") << QString::fromUtf8("ﬁle") << "file";
}

void TestSearch::folding()
{
    QFETCH(QString, text);
    QFETCH(QString, folded);
    QCOMPARE(SearchText::fold(text), folded);
}

void TestSearch::initTestCase()
{
    freshWallet(Password);
    // Banking/Credit card sample (NAME John Smith, CARD, PINC) and Read me.
    const QString banking = db()->listChildren(RootItemId).at(0).itemId;
    const QString mailFolder = db()->addItem({}, RootItemId, "Mail", "folder", true).itemId;
    m_mail = db()->addItem({}, mailFolder, QString::fromUtf8("Почта Яндекс"), "key", false).itemId;
    QVERIFY(db()->saveField("USER", "ivan@example.ru", m_mail, {}));
    QVERIFY(db()->saveField("PASS", "Zebra-Horse-42", m_mail, {}));
    QVERIFY(db()->saveField("EXPD", storedDate(QDate(2027, 3, 14)), m_mail, {}));
    const QString bank =
        db()->addItem({}, banking, QString::fromUtf8("Crédit Mutuel"), "visa", false).itemId;
    QVERIFY(db()->saveField("LINK", "https://creditmutuel.fr", bank, {}));
    QVERIFY(db()->saveField("NOTE", "branch in Lyon", bank, {}));
    m_gone = db()->addItem({}, RootItemId, "Zebra club", "key", false).itemId;
    QVERIFY(db()->deleteItemWithFields(m_gone));
    m_index.build(db());
}

void TestSearch::queries_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("passwords");
    QTest::addColumn<QStringList>("expected");
    const QString pochta = QString::fromUtf8("Почта Яндекс");
    const QString credit = QString::fromUtf8("Crédit Mutuel");
    QTest::newRow("item name") << "sample" << false << QStringList({"Credit card sample"});
    QTest::newRow("folder name") << "banking" << false
                                 << QStringList({"Banking", "Credit card sample", credit});
    QTest::newRow("field value") << "john smith" << false << QStringList({"Credit card sample"});
    QTest::newRow("password left out") << "zebra" << false << QStringList();
    QTest::newRow("password included") << "zebra" << true << QStringList({pochta});
    QTest::newRow("accent-insensitive")
        << "credit" << false << QStringList({"Credit card sample", credit});
    QTest::newRow("accent in the query")
        << QString::fromUtf8("CRÉDIT mutuel") << false << QStringList({credit});
    QTest::newRow("Cyrillic, any case")
        << QString::fromUtf8("ПОЧТА") << false << QStringList({pochta});
    QTest::newRow("words in any order, across name, path and fields")
        << "ivan mail" << false << QStringList({pochta});
    QTest::newRow("every word must match") << "ivan lyon" << false << QStringList();
    QTest::newRow("date in its shown form")
        << QDate(2027, 3, 14).toString(Qt::TextDate).section(' ', 1, 2) << false
        << QStringList({pochta});
    QTest::newRow("name before field") << "lyon mutuel" << false << QStringList({credit});
    QTest::newRow("no match") << "nothing-like-this" << false << QStringList();
    QTest::newRow("deleted item never found") << "club" << true << QStringList();
    QTest::newRow("blank query") << "   " << false << QStringList();
}

void TestSearch::queries()
{
    QFETCH(QString, query);
    QFETCH(bool, passwords);
    QFETCH(QStringList, expected);
    QCOMPARE(names(m_index.find(query, passwords)), expected);
}

void TestSearch::resultsCarryPathAndIcon()
{
    const QList<SearchIndex::Result> results = m_index.find("credit", false);
    QCOMPARE(results.size(), 2);
    // Name matches first; the same rank goes by path.
    QCOMPARE(results.at(0).path, QStringLiteral("/Banking"));
    QCOMPARE(results.at(1).icon, QStringLiteral("visa"));
    QCOMPARE(m_index.find("mail", false).first().name, QStringLiteral("Mail"));
    QCOMPARE(m_index.find("mail", false).first().path, QStringLiteral("/"));
}

void TestSearch::indexFollowsChanges()
{
    SearchIndex index;
    index.refresh(db(), m_mail); // nothing before the first build
    QVERIFY(!index.isBuilt());
    index.build(db());
    const QString item = db()->addItem({}, RootItemId, "Garage door", "key", false).itemId;
    QVERIFY(index.find("garage", false).isEmpty());
    index.refresh(db(), item);
    QCOMPARE(names(index.find("garage", false)), QStringList({"Garage door"}));

    QVERIFY(db()->saveField("PINC", "7391", item, {}));
    index.refresh(db(), item);
    QCOMPARE(names(index.find("7391", false)), QStringList({"Garage door"}));

    QVERIFY(!db()->updateItem(item, "Gate", "key").itemId.isEmpty());
    index.refresh(db(), item);
    QVERIFY(index.find("garage", false).isEmpty());
    QCOMPARE(names(index.find("gate 7391", false)), QStringList({"Gate"}));

    // A renamed folder changes the paths its items are found by.
    const QString folder = db()->listChildren(RootItemId).at(0).itemId; // Banking
    QVERIFY(!db()->updateItem(folder, "Money", "folder").itemId.isEmpty());
    index.refresh(db(), folder);
    QCOMPARE(names(index.find("money john", false)), QStringList({"Credit card sample"}));

    // After a change of password the same words find the same items.
    QVERIFY(db()->reencryptAll(QStringLiteral("new password"), WalletProtection::Format::Original));
    QVERIFY(openWalletDatabase());
    QVERIFY(db()->checkPassword(QStringLiteral("new password")));
    SearchIndex rebuilt;
    rebuilt.build(db());
    QCOMPARE(names(rebuilt.find("gate", false)), names(index.find("gate", false)));

    QVERIFY(db()->deleteItemWithFields(item));
    index.refresh(db(), item);
    QVERIFY(index.find("gate", false).isEmpty());

    index.wipe();
    QVERIFY(!index.isBuilt());
    QVERIFY(index.find("money", false).isEmpty());
    QCOMPARE(index.memoryBytes(), 0);
}

KELVARON_TEST_MAIN(TestSearch)
#include "tst_search.moc"
