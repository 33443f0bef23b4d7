#include "about.h"
#include "testenvironment.h"

#include <QLabel>
#include <QRegularExpression>
#include <QSettings>
#include <QtTest>

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void buildText();
    void contents();
    void staysOnTopWithAPinnedWindow_data();
    void staysOnTopWithAPinnedWindow();
};

void TestAbout::buildText()
{
    QCOMPARE(About::buildText(106, "2013-09-29 01:31:08"),
             QStringLiteral("Build 00106, 2013-09-29 01:31:08"));
}

void TestAbout::contents()
{
    About about(nullptr);
    QCOMPARE(about.windowTitle(), QStringLiteral("Kelvaron Desktop"));
    QCOMPARE(about.findChild<QLabel*>("label_2")->text(), QStringLiteral("Version 1.0 ALPHA"));
    QVERIFY(QRegularExpression("^Build \\d{5}, \\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}$")
                .match(about.findChild<QLabel*>("labelBuild")->text())
                .hasMatch());
    QVERIFY(about.findChild<QLabel*>("homepageLabel")->openExternalLinks());
    QVERIFY(about.findChild<QLabel*>("emailLabel")->text().contains("mailto:"));
}

void TestAbout::staysOnTopWithAPinnedWindow_data()
{
    QTest::addColumn<bool>("pinned");
    QTest::newRow("pinned") << true;
    QTest::newRow("not pinned") << false;
}

void TestAbout::staysOnTopWithAPinnedWindow()
{
    QFETCH(bool, pinned);
    QSettings().setValue("General/stayontop", pinned);
    About about(nullptr);
    QCOMPARE(bool(about.windowFlags() & Qt::WindowStaysOnTopHint), pinned);
}

KELVARON_TEST_MAIN(TestAbout)
#include "tst_about.moc"
