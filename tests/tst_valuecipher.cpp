#include "testenvironment.h"
#include "valuecipher.h"
#include "valuedecipher.h"

#include <QFile>
#include <QtTest>

class TestValueCipher : public QObject
{
    Q_OBJECT

private slots:
    void knownAnswers_data();
    void knownAnswers();
    void lengths_data();
    void lengths();
    void md5OfEmptyText();
    void wrongPasswordFailsCheck();
    void emptyPasswordNeverTouchesTheCipher();
    void passwordsEqualInTheirFirst32BytesShareTheKey();
    void emptyOrDamagedCipherTextFails();
};

// Vectors made with the OpenSSL command-line tool by tests/data/make_cipher_vectors.py.
void TestValueCipher::knownAnswers_data()
{
    QTest::addColumn<QString>("plaintext");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("cipher");
    QFile file(QStringLiteral(KELVARON_TEST_DATA "/cipher_vectors.tsv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    // The byte-array overload of QString::fromUtf8 stops at a zero byte; the
    // pointer-and-size one keeps it.
    const auto text = [](const QByteArray& hex) {
        const QByteArray utf8 = QByteArray::fromHex(hex);
        return QString::fromUtf8(utf8.constData(), utf8.size());
    };
    while (!file.atEnd()) {
        const QList<QByteArray> columns = file.readLine().trimmed().split('\t');
        QCOMPARE(columns.size(), 4);
        QTest::newRow(columns[0].constData())
            << text(columns[1]) << text(columns[2]) << QByteArray::fromHex(columns[3]);
    }
}

void TestValueCipher::knownAnswers()
{
    QFETCH(QString, plaintext);
    QFETCH(QString, password);
    QFETCH(QByteArray, cipher);
    bool ok = false;
    QCOMPARE(encryptValue(plaintext, password, &ok).toHex(), cipher.toHex());
    QVERIFY(ok);
    ok = false;
    QCOMPARE(decryptValue(cipher, password, &ok), plaintext);
    QVERIFY(ok);
    // The store's decipher, made once per unlock, gives the same answers.
    ValueDecipher decipher(password);
    ok = false;
    QCOMPARE(decipher.decrypt(cipher, &ok), plaintext);
    QVERIFY(ok);
    ValueDecipher wrong(QStringLiteral("x") + password);
    QVERIFY(!password.isEmpty());
    wrong.decrypt(cipher, &ok);
    QVERIFY(!ok);
    ok = true;
    QVERIFY(decipher.decrypt(cipher.left(cipher.size() - 16), &ok) != plaintext || !ok);
}

void TestValueCipher::lengths_data()
{
    QTest::addColumn<QString>("plaintext");
    QTest::addColumn<int>("length");
    QTest::newRow("empty") << QString() << 48;
    QTest::newRow("15 bytes") << QString(15, QLatin1Char('a')) << 48;
    QTest::newRow("16 bytes") << QString(16, QLatin1Char('a')) << 64;
    QTest::newRow("8 two-byte characters") << QString(8, QChar(0x0436)) << 64;
}

void TestValueCipher::lengths()
{
    QFETCH(QString, plaintext);
    QFETCH(int, length);
    bool ok = false;
    const QByteArray cipher = encryptValue(plaintext, QStringLiteral("pw"), &ok);
    QVERIFY(ok);
    QCOMPARE(cipher.size(), length);
    QCOMPARE(encryptValue(plaintext, QStringLiteral("pw"), &ok), cipher); // deterministic
}

void TestValueCipher::md5OfEmptyText()
{
    QCOMPARE(md5Hex(QString()), QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));
    QCOMPARE(md5Hex(QStringLiteral("ab") + QChar(0) + QStringLiteral("cd")), md5Hex("ab"));
}

void TestValueCipher::wrongPasswordFailsCheck()
{
    bool ok = false;
    const QByteArray cipher =
        encryptValue(QStringLiteral("4111 1111"), QStringLiteral("right"), &ok);
    ok = true;
    QVERIFY(decryptValue(cipher, QStringLiteral("wrong"), &ok) != QStringLiteral("4111 1111"));
    QVERIFY(!ok);
}

void TestValueCipher::emptyPasswordNeverTouchesTheCipher()
{
    bool ok = true;
    QVERIFY(encryptValue(QStringLiteral("x"), QString(), &ok).isEmpty());
    QVERIFY(!ok);
    ok = true;
    bool made = false;
    const QByteArray cipher = encryptValue(QStringLiteral("x"), QStringLiteral("p"), &made);
    QVERIFY(decryptValue(cipher, QString(), &ok).isEmpty());
    QVERIFY(!ok);
}

void TestValueCipher::passwordsEqualInTheirFirst32BytesShareTheKey()
{
    const QString base(32, QLatin1Char('k'));
    bool ok = false;
    const QByteArray cipher = encryptValue(QStringLiteral("v"), base + QStringLiteral("one"), &ok);
    QCOMPARE(decryptValue(cipher, base + QStringLiteral("two"), &ok), QStringLiteral("v"));
    QVERIFY(ok);
}

void TestValueCipher::emptyOrDamagedCipherTextFails()
{
    bool ok = true;
    QVERIFY(decryptValue(QByteArray(), QStringLiteral("p"), &ok).isEmpty());
    QVERIFY(!ok);
    QByteArray cipher = encryptValue(QStringLiteral("value"), QStringLiteral("p"), &ok);
    cipher.chop(3);
    decryptValue(cipher, QStringLiteral("p"), &ok);
    QVERIFY(!ok);
}

KELVARON_TEST_MAIN(TestValueCipher)
#include "tst_valuecipher.moc"
