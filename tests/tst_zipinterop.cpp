// Our writer against Info-ZIP's unzip and Python's zipfile, and our reader
// against archives that Info-ZIP's zip and Python's zipfile made.
#include "testenvironment.h"
#include "unzip.h"
#include "zip.h"
#include "ziptestfiles.h"

#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool haveTools()
{
    return !QStandardPaths::findExecutable("zip").isEmpty() &&
           !QStandardPaths::findExecutable("unzip").isEmpty() &&
           !QStandardPaths::findExecutable("python3").isEmpty();
}

// Runs a shell command in folder; returns its exit status (-1 when it did not finish).
int run(const QString& folder, const QString& command, const QByteArray& input = QByteArray())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        return -1;
    if (process.exitCode() != 0)
        qWarning() << command << process.readAllStandardOutput() << process.readAllStandardError();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// Every file below folder with its content, by relative path.
QMap<QString, QByteArray> contentsBelow(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& file : filesBelow(folder))
        files.insert(file, readFile(folder + QLatin1Char('/') + file));
    return files;
}

QByteArray randomBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = 2463534242u;
    for (char& c : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        c = char(state);
    }
    return bytes;
}

} // namespace

class TestZipInterop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void ourArchivesPassStandardTools_data();
    void ourArchivesPassStandardTools();
    void weReadStandardArchives_data();
    void weReadStandardArchives();

private:
    QTemporaryDir m_dir;
    QString m_source;
};

void TestZipInterop::initTestCase()
{
    if (!haveTools())
        QSKIP("zip, unzip or python3 is missing: run ./test.sh, which installs them");
    m_source = m_dir.filePath("src");
    writeFile(m_source + "/notes.txt", sampleText(300 * 1024));
    writeFile(m_source + "/kelvaron.dat", randomBytes(70000) + sampleText(70000));
    writeFile(m_source + "/small.ini", "a=1\n");
    writeFile(m_source + "/empty.bin", QByteArray());
    writeFile(m_source + "/photo.jpg", randomBytes(5000));
    writeFile(m_source + "/sub/deeper/leaf.csv", sampleText(3000));
}

void TestZipInterop::ourArchivesPassStandardTools_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("comment");
    QTest::newRow("plain") << QString() << QString();
    QTest::newRow("with comment") << QString() << QStringLiteral("Kelvaron backup");
    QTest::newRow("encrypted") << QStringLiteral("s3cret") << QString();
}

void TestZipInterop::ourArchivesPassStandardTools()
{
    QFETCH(QString, password);
    QFETCH(QString, comment);
    const QString archive = m_dir.filePath("ours.zip");
    Zip zip;
    zip.setArchivePassword(password);
    zip.setArchiveComment(comment);
    QCOMPARE(zip.createArchive(archive), Zip::Ok);
    QCOMPARE(
        zip.addPaths({m_source + "/notes.txt", m_source + "/kelvaron.dat", m_source + "/small.ini",
                      m_source + "/empty.bin", m_source + "/photo.jpg", m_source + "/sub"}),
        Zip::Ok);
    QCOMPARE(zip.finishArchive(), Zip::Ok);

    const QString secret = password.isEmpty() ? QString() : QStringLiteral(" -P ") + password;
    QCOMPARE(run(m_dir.path(), "unzip -t -qq" + secret + " ours.zip"), 0);
    const QString python =
        QStringLiteral("import sys, zipfile\n"
                       "z = zipfile.ZipFile('ours.zip')\n"
                       "z.setpassword(sys.argv[1].encode('latin-1') or None)\n"
                       "sys.exit(0 if z.testzip() is None and len(z.namelist()) == 6 else 1)\n");
    QCOMPARE(run(m_dir.path(), "python3 - '" + password + "'", python.toUtf8()), 0);
    QTemporaryDir out;
    QCOMPARE(run(out.path(), "unzip -qq" + secret + " " + archive), 0);
    QCOMPARE(readFile(out.filePath("sub/deeper/leaf.csv")),
             readFile(m_source + "/sub/deeper/leaf.csv"));
}

void TestZipInterop::weReadStandardArchives_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("zip stored") << "zip -q -r -0 theirs.zip src";
    QTest::newRow("zip level 1") << "zip -q -r -1 theirs.zip src";
    QTest::newRow("zip level 6") << "zip -q -r -6 theirs.zip src";
    QTest::newRow("zip level 9") << "zip -q -r -9 theirs.zip src";
    QTest::newRow("zip with comment")
        << "zip -q -r theirs.zip src && echo 'made by Info-ZIP' | zip -q -z theirs.zip";
    QTest::newRow("zip to a pipe, with data descriptors") << "zip -q -r - src | cat > theirs.zip";
    QTest::newRow("python stored")
        << "python3 -c \"import zipfile, os\n"
           "with zipfile.ZipFile('theirs.zip', 'w', zipfile.ZIP_STORED) as z:\n"
           "    [z.write(os.path.join(d, f)) for d, _, fs in os.walk('src') for f in fs]\"";
    QTest::newRow("python deflated with folders")
        << "python3 -c \"import zipfile, os\n"
           "with zipfile.ZipFile('theirs.zip', 'w', zipfile.ZIP_DEFLATED) as z:\n"
           "    z.writestr('src/emptydir/', '')\n"
           "    [z.write(os.path.join(d, f)) for d, _, fs in os.walk('src') for f in fs]\"";
}

void TestZipInterop::weReadStandardArchives()
{
    QFETCH(QString, command);
    QFile::remove(m_dir.filePath("theirs.zip"));
    QCOMPARE(run(m_dir.path(), command), 0);
    UnZip unzip;
    QCOMPARE(unzip.openArchive(m_dir.filePath("theirs.zip")), UnZip::Ok);
    QCOMPARE(unzip.verifyArchive(), UnZip::Ok);
    QTemporaryDir out;
    QCOMPARE(unzip.extractAll(out.path()), UnZip::Ok);
    QCOMPARE(contentsBelow(out.filePath("src")), contentsBelow(m_source));
    if (command.contains("emptydir"))
        QVERIFY(QDir(out.filePath("src/emptydir")).exists());
    if (command.contains("-z"))
        QCOMPARE(unzip.archiveComment().trimmed(), QStringLiteral("made by Info-ZIP"));
}

KELVARON_TEST_MAIN(TestZipInterop)
#include "tst_zipinterop.moc"
