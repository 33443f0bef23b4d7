#include "testenvironment.h"
#include "unzip.h"
#include "zip.h"
#include "ziptestfiles.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>
#include <zlib.h>

namespace {

// Raw deflate (no zlib header) of data at level, as the writer must produce it.
QByteArray rawDeflate(const QByteArray& data, int level)
{
    z_stream stream{};
    deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&stream, uLong(data.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.truncate(int(stream.total_out));
    deflateEnd(&stream);
    return out;
}

quint32 crcOf(const QByteArray& data)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
}

QByteArray archiveOf(const QStringList& files, const QString& password = QString())
{
    QBuffer buffer;
    Zip zip;
    zip.setArchivePassword(password);
    if (zip.createArchive(&buffer) != Zip::Ok)
        return {};
    for (const QString& file : files)
        if (zip.addPath(file) != Zip::Ok)
            return {};
    if (zip.finishArchive() != Zip::Ok)
        return {};
    return buffer.data();
}

} // namespace

class TestZip : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void emptyArchiveIsOneEndRecord();
    void recordsByteForByte();
    void levelFromSizeAndSuffix_data();
    void levelFromSizeAndSuffix();
    void secondsAreHalved();
    void centralDirectoryInNameOrder();
    void overwriteRefused();
    void roundTrips_data();
    void roundTrips();
    void encryptedEntriesCarryDescriptor();
    void missingFileAndClosedArchive();
    void tooLargeFileIsRefused();
    void tooManyEntriesAreRefused();
    void destroyedDeviceIsNotTouched();

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
};

void TestZip::initTestCase()
{
    qputenv("TZ", "UTC");
    tzset();
    QVERIFY(m_dir.isValid());
}

void TestZip::emptyArchiveIsOneEndRecord()
{
    const QByteArray archive = archiveOf({});
    QCOMPARE(archive, QByteArray::fromHex("504b0506") + QByteArray(18, '\0'));
}

void TestZip::recordsByteForByte()
{
    const QByteArray content = sampleText(1000);
    const QDateTime time(QDate(2026, 3, 5), QTime(9, 15, 7), Qt::UTC);
    writeFile(path("rec/notes.txt"), content, time);
    const QByteArray archive = archiveOf({path("rec/notes.txt")});
    const QByteArray deflated = rawDeflate(content, 9);
    const quint16 dosTime = (9 << 11) | (15 << 5) | 3;
    const quint16 dosDate = ((2026 - 1980) << 9) | (3 << 5) | 5;

    QCOMPARE(le32(archive, 0), 0x04034b50u);
    QCOMPARE(le16(archive, 4), quint16(20));
    QCOMPARE(le16(archive, 6), quint16(0));
    QCOMPARE(le16(archive, 8), quint16(8));
    QCOMPARE(le16(archive, 10), dosTime);
    QCOMPARE(le16(archive, 12), dosDate);
    QCOMPARE(le32(archive, 14), crcOf(content));
    QCOMPARE(le32(archive, 18), quint32(deflated.size()));
    QCOMPARE(le32(archive, 22), 1000u);
    QCOMPARE(le16(archive, 26), quint16(9));
    QCOMPARE(le16(archive, 28), quint16(0));
    QCOMPARE(archive.mid(30, 9), QByteArray("notes.txt"));
    QCOMPARE(archive.mid(39, deflated.size()), deflated);

    const int central = 39 + deflated.size();
    const QByteArray expectedCentral =
        QByteArray::fromHex("504b0102") + QByteArray::fromHex("0000") +
        QByteArray::fromHex("1400") + archive.mid(6, 4) + archive.mid(10, 4) + archive.mid(14, 12) +
        archive.mid(26, 2) + QByteArray(16, '\0') + QByteArray("notes.txt");
    QCOMPARE(archive.mid(central, 55).toHex(), expectedCentral.toHex());
    const int end = central + 55;
    QCOMPARE(archive.size(), end + 22);
    QCOMPARE(le32(archive, end), 0x06054b50u);
    QCOMPARE(le16(archive, end + 8), quint16(1));
    QCOMPARE(le16(archive, end + 10), quint16(1));
    QCOMPARE(le32(archive, end + 12), 55u);
    QCOMPARE(le32(archive, end + 16), quint32(central));
    QCOMPARE(le16(archive, end + 20), quint16(0));
}

void TestZip::levelFromSizeAndSuffix_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("level");
    QTest::newRow("59 bytes are stored") << "small.dat" << 59 << 0;
    QTest::newRow("60 bytes of dat at 5") << "kelvaron.dat" << 60 << 5;
    QTest::newRow("txt at 9") << "notes.txt" << 4000 << 9;
    QTest::newRow("photo.JPG at 2") << "photo.JPG" << 4000 << 2;
    QTest::newRow("a.tar.gz at 5") << "a.tar.gz" << 4000 << 5;
    QTest::newRow("zip stored") << "inner.zip" << 4000 << 0;
}

void TestZip::levelFromSizeAndSuffix()
{
    QFETCH(QString, name);
    QFETCH(int, size);
    QFETCH(int, level);
    const QByteArray content = sampleText(size);
    writeFile(path("levels/" + name), content);
    const QByteArray archive = archiveOf({path("levels/" + name)});
    const int nameLength = name.toLatin1().size();
    QCOMPARE(int(le16(archive, 8)), level ? 8 : 0);
    const QByteArray data = archive.mid(30 + nameLength, int(le32(archive, 18)));
    QCOMPARE(data, level ? rawDeflate(content, level) : content);
}

void TestZip::secondsAreHalved()
{
    writeFile(path("time/t.bin"), "x", QDateTime(QDate(2026, 1, 2), QTime(10, 0, 7), Qt::UTC));
    const QByteArray archive = archiveOf({path("time/t.bin")});
    QCOMPARE(le16(archive, 10) & 0x1F, 3);
    QCOMPARE(le16(archive, 10) >> 11, 10);
}

void TestZip::centralDirectoryInNameOrder()
{
    for (const char* name : {"c.bin", "a.bin", "b.bin"})
        writeFile(path(QStringLiteral("order/") + name), name);
    const QByteArray archive =
        archiveOf({path("order/c.bin"), path("order/a.bin"), path("order/b.bin")});
    const int end = archive.size() - 22;
    int offset = int(le32(archive, end + 16));
    QStringList names;
    while (offset < end) {
        const int length = le16(archive, offset + 28);
        names.append(QString::fromLatin1(archive.mid(offset + 46, length)));
        offset += 46 + length;
    }
    QCOMPARE(names, QStringList({"a.bin", "b.bin", "c.bin"}));
    QCOMPARE(le32(archive, 0), 0x04034b50u);
    QCOMPARE(archive.mid(30, 5), QByteArray("c.bin")); // data in the order of adding
}

void TestZip::overwriteRefused()
{
    writeFile(path("exists.zip"), "old");
    Zip zip;
    QCOMPARE(zip.createArchive(path("exists.zip"), false), Zip::FileExists);
    QCOMPARE(Zip::errorText(Zip::FileExists), QStringLiteral("Unknown error."));
    QCOMPARE(readFile(path("exists.zip")), QByteArray("old"));
    QCOMPARE(zip.createArchive(QString()), Zip::FileNotFound);
    QCOMPARE(zip.createArchive(path("exists.zip"), true), Zip::Ok);
    QCOMPARE(zip.finishArchive(), Zip::Ok);
    QCOMPARE(readFile(path("exists.zip")).size(), 22);
}

void TestZip::roundTrips_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("password");
    QTest::newRow("stored") << QByteArray("short") << QString();
    QTest::newRow("deflated, several buffers") << sampleText(700 * 1024) << QString();
    QTest::newRow("incompressible")
        << QByteArray(300 * 1024, '\0').replace(0, 4, "RAND") << QString();
    QTest::newRow("encrypted stored") << QByteArray("tiny secret") << QStringLiteral("pw");
    QTest::newRow("encrypted deflated") << sampleText(400 * 1024) << QStringLiteral("pässwörd");
}

void TestZip::roundTrips()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, password);
    writeFile(path("trip/source.dat"), content);
    Zip zip;
    zip.setArchivePassword(password);
    QCOMPARE(zip.createArchive(path("trip.zip")), Zip::Ok);
    QCOMPARE(zip.addPath(path("trip/source.dat")), Zip::Ok);
    QCOMPARE(zip.finishArchive(), Zip::Ok);
    QCOMPARE(zip.archivePassword(), password); // the password survives finishing

    UnZip unzip;
    unzip.setArchivePassword(password);
    QCOMPARE(unzip.openArchive(path("trip.zip")), UnZip::Ok);
    QCOMPARE(unzip.fileList(), QStringList("source.dat"));
    QTemporaryDir out;
    QCOMPARE(unzip.extractAll(out.path()), UnZip::Ok);
    QCOMPARE(readFile(out.filePath("source.dat")), content);
    if (!password.isEmpty()) {
        UnZip wrong;
        wrong.setArchivePassword(QStringLiteral("wrong"));
        QCOMPARE(wrong.openArchive(path("trip.zip")), UnZip::Ok);
        QTemporaryDir none;
        QCOMPARE(wrong.extractAll(none.path()), UnZip::Skip);
        QVERIFY(!QFile::exists(none.filePath("source.dat")));
    }
}

void TestZip::encryptedEntriesCarryDescriptor()
{
    writeFile(path("enc/e.txt"), sampleText(500));
    const QByteArray plain = archiveOf({path("enc/e.txt")});
    QCOMPARE(le16(plain, 6), quint16(0));
    QVERIFY(!plain.contains(QByteArray::fromHex("504b0708")));
    const QByteArray encrypted = archiveOf({path("enc/e.txt")}, QStringLiteral("pw"));
    QCOMPARE(le16(encrypted, 6), quint16(9));
    const int descriptor = 30 + 5 + int(le32(encrypted, 18));
    QCOMPARE(le32(encrypted, descriptor), 0x08074b50u);
    QCOMPARE(le32(encrypted, descriptor + 4), le32(encrypted, 14));
    QCOMPARE(le32(encrypted, descriptor + 8), le32(encrypted, 18));
    QCOMPARE(le32(encrypted, descriptor + 12), 500u);
}

void TestZip::missingFileAndClosedArchive()
{
    Zip zip;
    QCOMPARE(zip.addPath(path("nothing-here")), Zip::NoOpenArchive);
    QBuffer buffer;
    QCOMPARE(zip.createArchive(&buffer), Zip::Ok);
    QCOMPARE(zip.addPath(path("nothing-here")), Zip::FileNotFound);
    QCOMPARE(zip.addPath(QString()), Zip::Ok);
    int added = -1;
    QCOMPARE(zip.addPaths({path("nothing-here")}, QString(), Zip::SkipUnreadable,
                          Zip::LevelAutoFull, &added),
             Zip::Ok);
    QCOMPARE(added, 0);
    QCOMPARE(zip.finishArchive(), Zip::Ok);
    QCOMPARE(buffer.data().size(), 22);
}

void TestZip::tooLargeFileIsRefused()
{
    QFile huge(path("huge.bin"));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(0x100000000LL + 1)); // sparse: takes no room on disk
    huge.close();
    QBuffer buffer;
    Zip zip;
    QCOMPARE(zip.createArchive(&buffer), Zip::Ok);
    QCOMPARE(zip.addPath(path("huge.bin")), Zip::LimitExceeded);
    QVERIFY(!Zip::errorText(Zip::LimitExceeded).contains("Unknown"));
    QFile::remove(path("huge.bin"));
}

void TestZip::tooManyEntriesAreRefused()
{
    writeFile(path("many/f"), "x");
    QBuffer buffer;
    Zip zip;
    QCOMPARE(zip.createArchive(&buffer), Zip::Ok);
    for (int i = 0; i < 0xFFFF; ++i)
        QCOMPARE(zip.addPaths({path("many/f")}, QString::number(i)), Zip::Ok);
    QCOMPARE(zip.addPaths({path("many/f")}, QStringLiteral("one-more")), Zip::LimitExceeded);
    QCOMPARE(zip.addPaths({path("many/f")}, QStringLiteral("7")), Zip::Ok); // replaces an entry
    QCOMPARE(zip.finishArchive(), Zip::Ok);
    QCOMPARE(le16(buffer.data(), buffer.data().size() - 22 + 10), quint16(0xFFFF));
}

void TestZip::destroyedDeviceIsNotTouched()
{
    auto* buffer = new QBuffer;
    Zip zip;
    QCOMPARE(zip.createArchive(buffer), Zip::Ok);
    QVERIFY(zip.isOpen());
    delete buffer;
    QVERIFY(!zip.isOpen());
    QCOMPARE(zip.finishArchive(), Zip::Ok);
}

KELVARON_TEST_MAIN(TestZip)
#include "tst_zip.moc"
