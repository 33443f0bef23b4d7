#include "testenvironment.h"
#include "unzip.h"
#include "zip.h"
#include "ziptestfiles.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Entry
{
    QString name;
    QByteArray content;
};

// An archive written by our writer with entries of the given names.
QByteArray makeArchive(const QList<Entry>& entries, const QString& comment = QString())
{
    QTemporaryDir sources;
    QBuffer buffer;
    Zip zip;
    zip.setArchiveComment(comment);
    zip.createArchive(&buffer);
    for (int i = 0; i < entries.size(); ++i) {
        const QString name = entries[i].name;
        const int slash = name.lastIndexOf('/');
        const QString file = writeFile(
            sources.filePath(QString::number(i) + "/" + name.mid(slash + 1)), entries[i].content);
        zip.addPaths({file}, slash >= 0 ? name.left(slash) : QString());
    }
    zip.finishArchive();
    return buffer.data();
}

int centralOffset(const QByteArray& archive)
{
    return int(le32(archive, archive.lastIndexOf(QByteArray::fromHex("504b0506")) + 16));
}

UnZip::ErrorCode extract(const QByteArray& archive, const QString& target,
                         UnZip::ExtractionOptions options = UnZip::KeepEntryPaths)
{
    QBuffer buffer;
    buffer.setData(archive);
    UnZip unzip;
    const UnZip::ErrorCode opened = unzip.openArchive(&buffer);
    if (opened != UnZip::Ok)
        return opened;
    return unzip.extractAll(target, options);
}

UnZip::ErrorCode open(const QByteArray& archive, QStringList* names = nullptr,
                      QString* comment = nullptr)
{
    QBuffer buffer;
    buffer.setData(archive);
    UnZip unzip;
    const UnZip::ErrorCode ec = unzip.openArchive(&buffer);
    if (names)
        *names = unzip.fileList();
    if (comment)
        *comment = unzip.archiveComment();
    return ec;
}

const QByteArray Text = sampleText(5000);

// An archive of one entry "a.bin" written at the given compression level.
QByteArray singleEntry(const QByteArray& content, Zip::CompressionLevel level)
{
    QTemporaryDir sources;
    QBuffer buffer;
    Zip zip;
    zip.createArchive(&buffer);
    zip.addPaths({writeFile(sources.filePath("a.bin"), content)}, QString(), Zip::PathRelative,
                 level);
    zip.finishArchive();
    return buffer.data();
}

} // namespace

class TestUnZip : public QObject
{
    Q_OBJECT

private slots:
    void tooShortIsNoArchive();
    void endRecordAlone();
    void commentsOfEveryLength_data();
    void commentsOfEveryLength();
    void largeNonZipFailsAtOnce();
    void unsupportedMethodIsSkipped();
    void badCrcRemovesPartialFile();
    void corruptDeflateStream();
    void headerMismatch();
    void entryPathsKeptOrFlattened();
    void unsafeNamesAreRefused_data();
    void unsafeNamesAreRefused();
    void declaredSizeBoundsExtraction_data();
    void declaredSizeBoundsExtraction();
    void symlinkEntriesAreRefused();
    void missingArchiveAndNullDevice();
    void errorTexts();
};

void TestUnZip::tooShortIsNoArchive()
{
    QCOMPARE(open(QByteArray(21, 'x')), UnZip::InvalidArchive);
    QCOMPARE(open(QByteArray()), UnZip::InvalidArchive);
}

void TestUnZip::endRecordAlone()
{
    QStringList names;
    QCOMPARE(open(makeArchive({}), &names), UnZip::Ok);
    QVERIFY(names.isEmpty());
}

void TestUnZip::commentsOfEveryLength_data()
{
    QTest::addColumn<int>("length");
    for (int length : {1, 2, 3, 4, 21, 22, 30, 1000, 65535})
        QTest::newRow(qPrintable(QString::number(length))) << length;
}

void TestUnZip::commentsOfEveryLength()
{
    QFETCH(int, length);
    const QString comment(length, QLatin1Char('c'));
    QStringList names;
    QString read;
    QCOMPARE(open(makeArchive({{"a.txt", Text}}, comment), &names, &read), UnZip::Ok);
    QCOMPARE(names, QStringList("a.txt"));
    QCOMPARE(read, comment);
}

void TestUnZip::largeNonZipFailsAtOnce()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("video.mkv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray block = sampleText(1024 * 1024);
    for (int i = 0; i < 64; ++i)
        file.write(block);
    file.close();
    UnZip unzip;
    QCOMPARE(unzip.openArchive(file.fileName()), UnZip::InvalidArchive);
    QVERIFY(!unzip.isOpen());
}

void TestUnZip::unsupportedMethodIsSkipped()
{
    QByteArray archive = makeArchive({{"a.txt", Text}, {"b.txt", Text}, {"c.txt", "small"}});
    const int central = centralOffset(archive);
    putLe16(archive, central + 10, 12); // a.txt: bzip2
    QStringList names;
    QCOMPARE(open(archive, &names), UnZip::Ok);
    QCOMPARE(names, QStringList({"b.txt", "c.txt"}));
    QTemporaryDir out;
    QCOMPARE(extract(archive, out.path()), UnZip::Ok);
    QCOMPARE(filesBelow(out.path()), QStringList({"b.txt", "c.txt"}));
}

void TestUnZip::badCrcRemovesPartialFile()
{
    QByteArray archive = makeArchive({{"a.txt", Text}, {"b.txt", Text}});
    const int central = centralOffset(archive);
    const quint32 wrong = le32(archive, 14) ^ 1;
    putLe32(archive, 14, wrong);
    putLe32(archive, central + 16, wrong);
    QTemporaryDir out;
    QCOMPARE(extract(archive, out.path()), UnZip::Corrupted);
    QVERIFY(filesBelow(out.path()).isEmpty());
}

void TestUnZip::corruptDeflateStream()
{
    QByteArray archive = makeArchive({{"a.txt", Text}});
    for (int i = 35; i < 45; ++i)
        archive[i] = char(0xFF);
    QTemporaryDir out;
    QCOMPARE(extract(archive, out.path()), UnZip::ZlibError);
    QVERIFY(filesBelow(out.path()).isEmpty());
}

void TestUnZip::headerMismatch()
{
    QByteArray archive = makeArchive({{"a.txt", Text}});
    archive[10] = char(archive[10] ^ 0x01); // local time differs from the central one
    QTemporaryDir out;
    QCOMPARE(extract(archive, out.path()), UnZip::HeaderConsistencyError);
    QVERIFY(filesBelow(out.path()).isEmpty());
}

void TestUnZip::entryPathsKeptOrFlattened()
{
    const QByteArray archive = makeArchive({{"a/b/c.txt", Text}, {"top.txt", "t"}});
    QTemporaryDir keep;
    QCOMPARE(extract(archive, keep.path()), UnZip::Ok);
    QCOMPARE(filesBelow(keep.path()), QStringList({"a/b/c.txt", "top.txt"}));
    QCOMPARE(readFile(keep.filePath("a/b/c.txt")), Text);
    QTemporaryDir flat;
    QCOMPARE(extract(archive, flat.path(), UnZip::FlattenEntryPaths), UnZip::Ok);
    QCOMPARE(filesBelow(flat.path()), QStringList({"c.txt", "top.txt"}));
    QTemporaryDir check;
    QCOMPARE(extract(archive, check.path(), UnZip::CheckOnly), UnZip::Ok);
    QVERIFY(filesBelow(check.path()).isEmpty());
}

void TestUnZip::unsafeNamesAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("parent") << "../x";
    QTest::newRow("parent inside") << "a/../../x";
    QTest::newRow("absolute") << "/etc/x";
    QTest::newRow("drive letter") << "C:\\x";
    QTest::newRow("share") << "\\\\server\\x";
    QTest::newRow("backslash parent") << "a\\..\\..\\x";
}

void TestUnZip::unsafeNamesAreRefused()
{
    QFETCH(QString, name);
    // The second entry is renamed in both of its headers: the archive is built
    // around a placeholder name of the same length.
    const QByteArray placeholder = QByteArray(name.size(), 'q');
    QByteArray archive =
        makeArchive({{"a-first.txt", Text}, {QString::fromLatin1(placeholder), "evil"}});
    archive.replace(placeholder, name.toLatin1());
    QTemporaryDir root;
    const QString target = root.filePath("deep/target");
    QDir().mkpath(target);
    QCOMPARE(extract(archive, target), UnZip::UnsafePath);
    QVERIFY2(filesBelow(root.path()).isEmpty(), qPrintable(filesBelow(root.path()).join(',')));
    QVERIFY(!QFile::exists("/etc/x"));
}

void TestUnZip::declaredSizeBoundsExtraction_data()
{
    // The uncompressed size that both headers declare is changed; the data
    // and its CRC stay as written.
    QTest::addColumn<bool>("stored");
    QTest::addColumn<int>("contentSize");
    QTest::addColumn<int>("declared");
    QTest::addColumn<int>("expected");
    QTest::newRow("deflated bomb: 1 MiB declared as 100 bytes")
        << false << 1024 * 1024 << 100 << int(UnZip::Corrupted);
    QTest::newRow("deflated, declares one byte more")
        << false << 5000 << 5001 << int(UnZip::Corrupted);
    QTest::newRow("stored, declares one byte less")
        << true << 5000 << 4999 << int(UnZip::Corrupted);
    QTest::newRow("stored, declares one byte more")
        << true << 5000 << 5001 << int(UnZip::Corrupted);
    QTest::newRow("deflated, as declared") << false << 5000 << 5000 << int(UnZip::Ok);
}

void TestUnZip::declaredSizeBoundsExtraction()
{
    QFETCH(bool, stored);
    QFETCH(int, contentSize);
    QFETCH(int, declared);
    QFETCH(int, expected);
    const QByteArray content =
        contentSize > 5000 ? QByteArray(contentSize, '\0') : Text.left(contentSize);
    QByteArray archive = singleEntry(content, stored ? Zip::Store : Zip::Deflate9);
    QCOMPARE(le16(archive, 8), quint16(stored ? 0 : 8));
    putLe32(archive, 22, quint32(declared));
    putLe32(archive, centralOffset(archive) + 24, quint32(declared));

    QBuffer source;
    source.setData(archive);
    UnZip unzip;
    QCOMPARE(unzip.openArchive(&source), UnZip::Ok);
    QCOMPARE(unzip.entryList().first().size, quint32(declared));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QCOMPARE(int(unzip.extractFile("a.bin", &out)), expected);
    // Never more written than declared, on any path.
    QVERIFY2(out.data().size() <= declared, qPrintable(QString::number(out.data().size())));
    QTemporaryDir folder;
    QCOMPARE(int(unzip.extractAll(folder.path())), expected);
    QCOMPARE(filesBelow(folder.path()).isEmpty(), expected != int(UnZip::Ok));
}

void TestUnZip::symlinkEntriesAreRefused()
{
    // A Unix tool stores a link as an entry whose mode says "symbolic link"
    // and whose data is the target.
    QByteArray archive = makeArchive({{"icons", "/etc"}, {"z.txt", "after"}});
    const int central = centralOffset(archive);
    archive[central + 5] = char(3); // made by Unix
    putLe32(archive, central + 38, quint32(0120777) << 16);
    QBuffer source;
    source.setData(archive);
    UnZip unzip;
    QCOMPARE(unzip.openArchive(&source), UnZip::Ok);
    QVERIFY(unzip.entryList().at(0).symlink);
    QVERIFY(!unzip.entryList().at(1).symlink);
    QTemporaryDir folder;
    QCOMPARE(unzip.extractAll(folder.path()), UnZip::UnsafePath);
    QVERIFY(filesBelow(folder.path()).isEmpty());
}

void TestUnZip::missingArchiveAndNullDevice()
{
    UnZip unzip;
    QCOMPARE(unzip.openArchive(QStringLiteral("/nonexistent/a.zip")), UnZip::FileNotFound);
    QCOMPARE(unzip.openArchive(static_cast<QIODevice*>(nullptr)), UnZip::InvalidDevice);
    QCOMPARE(unzip.extractAll(QStringLiteral("/tmp")), UnZip::NoOpenArchive);
}

void TestUnZip::errorTexts()
{
    QCOMPARE(UnZip::errorText(UnZip::InvalidArchive),
             QStringLiteral("Invalid or incompatible zip archive."));
    QCOMPARE(UnZip::errorText(UnZip::Skip), QStringLiteral("Unknown error."));
    QCOMPARE(UnZip::errorText(UnZip::HeaderConsistencyError),
             QStringLiteral("Inconsistent headers. Archive might be corrupted."));
}

KELVARON_TEST_MAIN(TestUnZip)
#include "tst_unzip.moc"
