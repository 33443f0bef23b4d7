#pragma once

#include <QApplication>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

// Gives a test process its own temporary HOME, data, config and cache
// folders, so that no test ever touches the real user's wallet or settings.
class TestEnvironment
{
public:
    TestEnvironment();
    QString root() const { return m_root.path(); }
    // Sets the names that place the settings store and the data folder.
    static void nameApplication();

private:
    QTemporaryDir m_root;
};

// Replaces the wallet file with a new one and opens it; with a password the
// wallet is initialised under it, with its sample content.
void freshWallet(const QString& password = QString());

// The enciphered names and values of the wallet (deleted rows included), and
// how many of them decipher under password, in the format the file says.
struct CipherRows
{
    int total = 0;
    int opened = 0;
};
CipherRows cipherRowsOpenedBy(const QString& password);

// Runs sql on the wallet file through a plain connection of its own, as
// another program would; it creates nothing else in the file.
void runOnWalletFile(const QString& sql);

// The object names of the count widgets that Tab reaches after first, in
// order (buttons of a button box by their text).
QStringList tabOrderAfter(QWidget* first, int count);

// Visible top-level windows, to check that a test left none open.
QStringList openTopLevelWindows();

#define KELVARON_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        TestEnvironment environment;                                                               \
        QApplication app(argc, argv);                                                              \
        TestEnvironment::nameApplication();                                                        \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
