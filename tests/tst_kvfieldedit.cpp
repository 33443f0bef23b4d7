#include "kvfieldedit.h"
#include "testenvironment.h"
#include "walletdatabase.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlQuery>
#include <QTimeEdit>
#include <QtTest>

namespace {

WalletDatabase* db()
{
    return WalletDatabase::instance();
}

template <typename T> T* child(KVFieldEdit& editor, const char* name)
{
    return editor.findChild<T*>(QLatin1String(name));
}

QPushButton* okButton(KVFieldEdit& editor)
{
    return child<QDialogButtonBox>(editor, "buttonBox")->button(QDialogButtonBox::Ok);
}

void choose(KVFieldEdit& editor, const QString& code)
{
    QComboBox* combo = child<QComboBox>(editor, "comboBox");
    combo->setCurrentIndex(combo->findData(code));
}

// The value box in use: several lines for a note, one line otherwise.
void enterValue(KVFieldEdit& editor, const QString& text)
{
    auto* lines = child<QPlainTextEdit>(editor, "plainTextEdit");
    if (!lines->isHidden())
        lines->setPlainText(text);
    else
        child<QLineEdit>(editor, "lineEditValue")->setText(text);
}

QString shownValue(KVFieldEdit& editor)
{
    auto* lines = child<QPlainTextEdit>(editor, "plainTextEdit");
    return !lines->isHidden() ? lines->toPlainText()
                              : child<QLineEdit>(editor, "lineEditValue")->text();
}

// The id of the item's field of the given type.
QString fieldOf(const QString& item, const QString& type)
{
    for (const FieldRecord& field : db()->listFields(item))
        if (field.type == type)
            return field.fieldId;
    return {};
}

} // namespace

class TestKVFieldEdit : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void newFieldStartsCollapsed();
    void dateAndTimeStorageForms_data();
    void dateAndTimeStorageForms();
    void editShowsStoredValueWithTypeLocked();
    void previousPasswordRule();
    void generateUsesTheStoredSettings();
    void smartChoiceIsResetForShortText();
    void panelEnabledStates();
    void keepsWhatTheUserHad_data();
    void keepsWhatTheUserHad();
    void passwordIsTypedMasked();
    void enterFollowsTheValueKind_data();
    void enterFollowsTheValueKind();

private:
    QString m_item;
};

void TestKVFieldEdit::init()
{
    QSettings().clear();
    freshWallet(QStringLiteral("pw"));
    m_item =
        db()->addItem(QString(), RootItemId, QStringLiteral("Site"), QStringLiteral("key"), false)
            .itemId;
}

void TestKVFieldEdit::newFieldStartsCollapsed()
{
    KVFieldEdit editor(m_item, QString(), nullptr);
    auto* combo = child<QComboBox>(editor, "comboBox");
    QCOMPARE(combo->currentText(), QStringLiteral("Select field..."));
    QCOMPARE(combo->count(), 19);
    QVERIFY(!okButton(editor)->isEnabled());
    QCOMPARE(editor.height(), 46 + 32);
    choose(editor, "PASS");
    QVERIFY(okButton(editor)->isEnabled());
    QVERIFY(!child<QLineEdit>(editor, "lineEditValue")->isHidden());
    QVERIFY(child<QPlainTextEdit>(editor, "plainTextEdit")->isHidden());
    QVERIFY(!child<QPushButton>(editor, "pushButtonGenerate")->isHidden());
    choose(editor, "_notselected_");
    QVERIFY(!okButton(editor)->isEnabled());
    QCOMPARE(editor.height(), 46 + 32);
    QVERIFY(child<QPlainTextEdit>(editor, "plainTextEdit")->isHidden());
    QVERIFY(child<QLineEdit>(editor, "lineEditValue")->isHidden());
}

void TestKVFieldEdit::dateAndTimeStorageForms_data()
{
    // Each date is the table's own, set on the calendar by the test: the
    // calendar's start at today plays no part.
    QTest::addColumn<QString>("code");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("stored");
    QTest::newRow("January") << "EXPD" << QDate(2026, 1, 5) << "20260005";
    QTest::newRow("December") << "DATE" << QDate(2025, 12, 31) << "20251131";
    QTest::newRow("time") << "TIME" << QDate() << "090507";
    QTest::newRow("text with line breaks") << "NOTE" << QDate() << "line 1\nline 2";
    QTest::newRow("link like text") << "LINK" << QDate() << "https://example.org";
}

void TestKVFieldEdit::dateAndTimeStorageForms()
{
    QFETCH(QString, code);
    QFETCH(QDate, date);
    QFETCH(QString, stored);
    KVFieldEdit editor(m_item, QString(), nullptr);
    choose(editor, code);
    if (date.isValid())
        child<QCalendarWidget>(editor, "calendarWidget")->setSelectedDate(date);
    else if (code == QLatin1String("TIME"))
        child<QTimeEdit>(editor, "timeEdit")->setTime(QTime(9, 5, 7));
    else
        enterValue(editor, stored);
    okButton(editor)->click();
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    QCOMPARE(db()->getField(m_item, fieldOf(m_item, code)).value, stored);

    // Opening it again shows the same value and saving unchanged keeps it.
    KVFieldEdit again(m_item, fieldOf(m_item, code), nullptr);
    okButton(again)->click();
    QCOMPARE(db()->getField(m_item, fieldOf(m_item, code)).value, stored);
}

void TestKVFieldEdit::editShowsStoredValueWithTypeLocked()
{
    QVERIFY(db()->saveField(QStringLiteral("USER"), QStringLiteral("jsmith"), m_item, QString()));
    KVFieldEdit editor(m_item, fieldOf(m_item, "USER"), nullptr);
    auto* combo = child<QComboBox>(editor, "comboBox");
    QCOMPARE(combo->currentData().toString(), QStringLiteral("USER"));
    QVERIFY(!combo->isEnabled());
    auto* text = child<QLineEdit>(editor, "lineEditValue");
    QCOMPARE(text->text(), QStringLiteral("jsmith"));
    QCOMPARE(text->selectedText(), QStringLiteral("jsmith"));
    QVERIFY(okButton(editor)->isEnabled());
}

void TestKVFieldEdit::previousPasswordRule()
{
    {
        KVFieldEdit editor(m_item, QString(), nullptr);
        choose(editor, "PASS");
        enterValue(editor, QStringLiteral("old-secret"));
        okButton(editor)->click();
    }
    {
        KVFieldEdit editor(m_item, QString(), nullptr);
        choose(editor, "OLDP");
        QVERIFY(!child<QLabel>(editor, "labelComent")->isHidden());
        QVERIFY(child<QPlainTextEdit>(editor, "plainTextEdit")->isHidden());
        QVERIFY(child<QLineEdit>(editor, "lineEditValue")->isHidden());
        okButton(editor)->click();
    }
    const QString oldp = fieldOf(m_item, "OLDP");
    QVERIFY(!oldp.isEmpty());
    QCOMPARE(db()->getField(m_item, oldp).value, QString());
    {
        KVFieldEdit editor(m_item, fieldOf(m_item, "PASS"), nullptr);
        enterValue(editor, QStringLiteral("new-secret"));
        okButton(editor)->click();
    }
    QCOMPARE(db()->getField(m_item, oldp).value, QStringLiteral("old-secret"));
    {
        // Editing the previous-password field shows the note and writes nothing.
        const QDateTime before = db()->getField(m_item, oldp).changeTimestamp;
        KVFieldEdit editor(m_item, oldp, nullptr);
        QVERIFY(!child<QLabel>(editor, "labelComent")->isHidden());
        okButton(editor)->click();
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(db()->getField(m_item, oldp).value, QStringLiteral("old-secret"));
        QCOMPARE(db()->getField(m_item, oldp).changeTimestamp, before);
    }
}

void TestKVFieldEdit::generateUsesTheStoredSettings()
{
    KVFieldEdit editor(m_item, QString(), nullptr);
    choose(editor, "PASS");
    child<QPushButton>(editor, "pushButtonGenerate")->click();
    const QString password = shownValue(editor);
    QVERIFY2(QRegularExpression("^[A-Za-z0-9]{8}$").match(password).hasMatch(),
             qPrintable(password));

    // Smart generation follows the current text's shape.
    enterValue(editor, QStringLiteral("Ab1"));
    child<QCheckBox>(editor, "checkBoxSmartPass")->setChecked(true);
    QVERIFY(QSettings().value("password/smartpass" + m_item).toBool());
    child<QPushButton>(editor, "pushButtonGenerate")->click();
    QVERIFY(QRegularExpression("^[A-Z][a-z][0-9]$").match(shownValue(editor)).hasMatch());
}

void TestKVFieldEdit::smartChoiceIsResetForShortText()
{
    QVERIFY(db()->saveField(QStringLiteral("PASS"), QStringLiteral("longer"), m_item, QString()));
    QSettings().setValue("password/smartpass" + m_item, true);
    QSettings().setValue("password/smartpassOTHERITM", true);
    {
        KVFieldEdit editing(m_item, fieldOf(m_item, "PASS"), nullptr);
        QVERIFY(child<QCheckBox>(editing, "checkBoxSmartPass")->isChecked());
    }
    QVERIFY(QSettings().value("password/smartpass" + m_item).toBool());
    {
        KVFieldEdit adding(m_item, QString(), nullptr);
        QVERIFY(!child<QCheckBox>(adding, "checkBoxSmartPass")->isChecked());
        QVERIFY(!child<QCheckBox>(adding, "checkBoxSmartPass")->isEnabled());
    }
    QVERIFY(!QSettings().value("password/smartpass" + m_item).toBool());
    QVERIFY(QSettings().value("password/smartpassOTHERITM").toBool());
}

void TestKVFieldEdit::panelEnabledStates()
{
    KVFieldEdit editor(m_item, QString(), nullptr);
    choose(editor, "PASS");
    const int closed = editor.height();
    child<QPushButton>(editor, "pushButtonPassSettings")->click();
    QVERIFY(editor.height() > closed);
    QVERIFY(!child<QCheckBox>(editor, "checkBoxSpecial")->isHidden());
    auto* symbols = child<QLineEdit>(editor, "lineEditSpecials");
    QCOMPARE(symbols->text(), QStringLiteral("!#$%&()*+,-.:;<=>?@[]^_`{|}~"));
    QVERIFY(!symbols->isEnabled());
    child<QCheckBox>(editor, "checkBoxSpecial")->setChecked(true);
    QVERIFY(symbols->isEnabled());
    QVERIFY(QSettings().value("password/specials").toBool());
    child<QCheckBox>(editor, "checkBoxSpecial")->setChecked(false);
    QVERIFY(!symbols->isEnabled());
    auto* buttons = child<QDialogButtonBox>(editor, "buttonBox");
    QCOMPARE(buttons->y() + buttons->height(), editor.height());
    child<QPushButton>(editor, "pushButtonPassSettings")->click();
    QCOMPARE(editor.height(), closed);
    QVERIFY(child<QCheckBox>(editor, "checkBoxSpecial")->isHidden());
}

void TestKVFieldEdit::keepsWhatTheUserHad_data()
{
    // Each row: the field edited (an existing password or a new one of a
    // type), what happens in the wallet while the editor is open, what the
    // user enters, then whether the dialog closed and what the file holds.
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("previous");

    QTest::newRow("unchanged password") << "PASS"
                                        << ""
                                        << "secret" << true << "secret"
                                        << "older";
    QTest::newRow("changed password") << "PASS"
                                      << ""
                                      << "newer" << true << "newer"
                                      << "secret";
    QTest::newRow("date before year 1000") << "EXPD"
                                           << ""
                                           << "0999-03-04" << true << "09990204"
                                           << "older";
    QTest::newRow("item deleted meanwhile") << "PASS"
                                            << "delete item"
                                            << "newer" << false << "secret"
                                            << "older";
    QTest::newRow("field deleted meanwhile") << "PASS"
                                             << "delete field"
                                             << "newer" << false << ""
                                             << "older";
    QTest::newRow("new field on an item deleted meanwhile") << "NOTE"
                                                            << "delete item"
                                                            << "typed" << false << ""
                                                            << "older";
}

void TestKVFieldEdit::keepsWhatTheUserHad()
{
    QFETCH(QString, code);
    QFETCH(QString, meanwhile);
    QFETCH(QString, entered);
    QFETCH(bool, closed);
    QFETCH(QString, stored);
    QFETCH(QString, previous);

    QVERIFY(db()->saveField(QStringLiteral("PASS"), QStringLiteral("secret"), m_item, QString()));
    QVERIFY(db()->saveField(QStringLiteral("OLDP"), QStringLiteral("older"), m_item, QString()));
    const QString pass = fieldOf(m_item, "PASS");
    QSqlQuery().exec(QStringLiteral("UPDATE kelvaron_fields SET change_timestamp='2000-01-01 "
                                    "00:00:00'"));
    const QString fieldId = code == QLatin1String("PASS") ? pass : QString();
    KVFieldEdit editor(m_item, fieldId, nullptr);
    if (fieldId.isEmpty())
        choose(editor, code);
    if (meanwhile == QLatin1String("delete item"))
        db()->deleteItem(m_item);
    else if (meanwhile == QLatin1String("delete field"))
        db()->deleteField(m_item, pass);
    if (code == QLatin1String("EXPD"))
        child<QCalendarWidget>(editor, "calendarWidget")
            ->setSelectedDate(QDate::fromString(entered, Qt::ISODate));
    else
        enterValue(editor, entered);
    okButton(editor)->click();

    QCOMPARE(editor.result() == QDialog::Accepted, closed);
    QCOMPARE(child<QLabel>(editor, "labelError")->isHidden(), closed);
    if (!closed) // what the user typed is still there to try again
        QCOMPARE(shownValue(editor), entered);

    // Read what the file holds, deleted rows included.
    QHash<QString, QString> values;
    QSqlQuery rows;
    rows.prepare(QStringLiteral("SELECT type, value, change_timestamp FROM kelvaron_fields WHERE "
                                "item_id=:item"));
    rows.bindValue(QStringLiteral(":item"), m_item);
    QVERIFY(rows.exec());
    QStringList moved;
    while (rows.next()) {
        values.insert(rows.value(0).toString(), db()->decrypt(rows.value(1).toByteArray()));
        if (rows.value(2).toString() != QLatin1String("2000-01-01 00:00:00"))
            moved.append(rows.value(0).toString());
    }
    if (!stored.isEmpty())
        QCOMPARE(values.value(code), stored);
    QCOMPARE(values.value(QStringLiteral("PASS")),
             code == QLatin1String("PASS") && closed ? stored : QStringLiteral("secret"));
    QCOMPARE(values.value(QStringLiteral("OLDP")), previous);
    QCOMPARE(values.size(), closed && code != QLatin1String("PASS") ? 3 : 2);
    // An unchanged OK moves no change time.
    if (entered == QLatin1String("secret"))
        QVERIFY2(moved.isEmpty(), qPrintable(moved.join(',')));
}

void TestKVFieldEdit::passwordIsTypedMasked()
{
    QVERIFY(db()->saveField(QStringLiteral("PASS"), QStringLiteral("secret"), m_item, QString()));
    KVFieldEdit editor(m_item, fieldOf(m_item, "PASS"), nullptr);
    auto* value = child<QLineEdit>(editor, "lineEditValue");
    auto* reveal = editor.findChild<QAction*>("actionReveal");
    QCOMPARE(value->echoMode(), QLineEdit::Password);
    QVERIFY(reveal->isVisible());
    reveal->trigger();
    QCOMPARE(value->echoMode(), QLineEdit::Normal);
    QCOMPARE(value->text(), QStringLiteral("secret"));
    reveal->trigger();
    QCOMPARE(value->echoMode(), QLineEdit::Password);

    // Other values are typed in the clear, without the eye.
    KVFieldEdit other(m_item, QString(), nullptr);
    choose(other, "PASS");
    QCOMPARE(child<QLineEdit>(other, "lineEditValue")->echoMode(), QLineEdit::Password);
    choose(other, "USER");
    QCOMPARE(child<QLineEdit>(other, "lineEditValue")->echoMode(), QLineEdit::Normal);
    QVERIFY(!other.findChild<QAction*>("actionReveal")->isVisible());
}

void TestKVFieldEdit::enterFollowsTheValueKind_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("oneLine");
    QTest::newRow("new user name") << "USER" << QString() << true;
    QTest::newRow("new password") << "PASS" << QString() << true;
    QTest::newRow("new note") << "NOTE" << QString() << false;
    QTest::newRow("stored note") << "NOTE"
                                 << "line 1" << false;
    QTest::newRow("address stored over two lines") << "ADDR"
                                                   << "1 Main St\nSpringfield" << false;
}

void TestKVFieldEdit::enterFollowsTheValueKind()
{
    QFETCH(QString, code);
    QFETCH(QString, stored);
    QFETCH(bool, oneLine);
    if (!stored.isEmpty())
        QVERIFY(db()->saveField(code, stored, m_item, QString()));
    KVFieldEdit editor(m_item, fieldOf(m_item, code), nullptr);
    editor.show();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    if (stored.isEmpty()) {
        // The type is picked with the keyboard; the value takes the focus.
        auto* combo = child<QComboBox>(editor, "comboBox");
        QCOMPARE(QApplication::focusWidget(), combo);
        combo->setCurrentIndex(combo->findData(code));
    }
    QWidget* value = oneLine ? static_cast<QWidget*>(child<QLineEdit>(editor, "lineEditValue"))
                             : child<QPlainTextEdit>(editor, "plainTextEdit");
    QTRY_COMPARE(QApplication::focusWidget(), value);
    QTest::keyClicks(value, QStringLiteral("xy"));
    QTest::keyClick(value, Qt::Key_Return);
    // One line: Enter is OK. Several lines: Enter breaks the line.
    QCOMPARE(editor.isVisible(), !oneLine);
    QCOMPARE(editor.result() == QDialog::Accepted, oneLine);
    if (oneLine)
        QCOMPARE(db()->getField(m_item, fieldOf(m_item, code)).value, stored + "xy");
    else
        QVERIFY(shownValue(editor).endsWith(QStringLiteral("xy\n")));
    editor.close();
}

KELVARON_TEST_MAIN(TestKVFieldEdit)
#include "tst_kvfieldedit.moc"
