#include "about.h"
#include "edititemfolder.h"
#include "importdialog.h"
#include "importreader.h"
#include "kvchangepassword.h"
#include "kvcustommessage.h"
#include "kvfieldedit.h"
#include "kvfirststart.h"
#include "kvpassworddialog.h"
#include "kvrestoredialog.h"
#include "labels.h"
#include "mainwindow.h"
#include "prefs.h"
#include "testenvironment.h"
#include "walletdatabase.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QtTest>

namespace {

using Factory = std::function<std::unique_ptr<QWidget>()>;

} // namespace

Q_DECLARE_METATYPE(Factory)

namespace {

QString mnemonicFree(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// What is wrong with one widget's text, or nothing.
QString problemOf(QWidget* widget)
{
    const QFontMetrics metrics = widget->fontMetrics();
    const QString name = widget->objectName();
    if (widget->font().family() != QApplication::font().family())
        return name + QStringLiteral(": font family ") + widget->font().family();
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text().isEmpty() || !label->pixmap(Qt::ReturnByValue).isNull())
            return {};
        const QRect room = label->contentsRect();
        if (label->wordWrap()) {
            if (label->height() < label->heightForWidth(label->width()))
                return name + QStringLiteral(": wrapped text needs %1 px, has %2")
                                  .arg(label->heightForWidth(label->width()))
                                  .arg(label->height());
            return {};
        }
        if (room.height() < metrics.height())
            return name + QStringLiteral(": line needs %1 px, has %2")
                              .arg(metrics.height())
                              .arg(room.height());
        if (Qt::mightBeRichText(label->text()))
            return {};
        const int needed = metrics.horizontalAdvance(label->text());
        if (room.width() < needed)
            return name +
                   QStringLiteral(": text needs %1 px wide, has %2").arg(needed).arg(room.width());
        return {};
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (button->text().isEmpty())
            return {};
        const QSize hint = button->sizeHint();
        // A push button may be narrower than its comfortable hint, as long
        // as its text and frame fit; check boxes need their whole hint.
        const int needed = qobject_cast<QPushButton*>(button)
                               ? metrics.horizontalAdvance(mnemonicFree(button->text())) + 8
                               : hint.width();
        if (button->width() < needed || button->height() < qMin(hint.height(), 32))
            return name + QStringLiteral(": button needs %1x%2, has %3x%4")
                              .arg(needed)
                              .arg(hint.height())
                              .arg(button->width())
                              .arg(button->height());
    }
    return {};
}

} // namespace

// Every window and dialog is shown in the font and scale in force (this test
// runs at 100 % and, a second time, at QT_SCALE_FACTOR=2): no single-line
// text is cut, no wrapped text loses a line, and every widget uses the
// platform's font family. With KELVARON_SCREENS set to a folder, each window
// is also saved there as a PNG, for a person to look at.
class TestLooks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup()
    {
        QVERIFY2(openTopLevelWindows().isEmpty(), qPrintable(openTopLevelWindows().join(',')));
    }
    void everyTextFits_data();
    void everyTextFits();
};

namespace {

// The field editor of a new field of the given type, on the "Read me" item.
std::unique_ptr<KVFieldEdit> fieldEditorFor(const QString& code)
{
    const QString item = WalletDatabase::instance()->listChildren(RootItemId)[1].itemId;
    auto editor = std::make_unique<KVFieldEdit>(item, QString(), nullptr);
    auto* types = editor->findChild<QComboBox*>("comboBox");
    types->setCurrentIndex(types->findData(code));
    return editor;
}

} // namespace

void TestLooks::initTestCase()
{
    // The size a Debian desktop gives its default font; the offscreen
    // platform alone would fall back to 12 points.
    QFont font = QApplication::font();
    font.setPointSize(9);
    QApplication::setFont(font);
}

void TestLooks::init()
{
    freshWallet(QStringLiteral("pw"));
}

void TestLooks::everyTextFits_data()
{
    QTest::addColumn<Factory>("make");
    const auto dialog = [](auto make) { return Factory([make] { return make(); }); };
    QTest::newRow("main-window") << dialog([] { return std::make_unique<MainWindow>(); });
    QTest::newRow("main-window-item") << dialog([] {
        auto window = std::make_unique<MainWindow>();
        const QString banking = WalletDatabase::instance()->listChildren(RootItemId)[0].itemId;
        window->selectTreeItem(WalletDatabase::instance()->listChildren(banking)[0].itemId);
        return window;
    });
    QTest::newRow("main-window-locked") << dialog([] {
        auto window = std::make_unique<MainWindow>();
        window->show();
        QMetaObject::invokeMethod(window.get(), "lockTimeout");
        return window;
    });
    QTest::newRow("message") << dialog([] {
        auto box = std::make_unique<KVCustomMessage>(nullptr);
        box->setupMessage(QStringLiteral("Wrong password, synchronization"),
                          QStringLiteral("The password you entered is wrong. Please try again."),
                          true, KVCustomMessage::ButtonsOk);
        return box;
    });
    QTest::newRow("first-start") << dialog([] { return std::make_unique<KVFirstStart>(nullptr); });
    QTest::newRow("first-start-restore") << dialog([] {
        auto start = std::make_unique<KVFirstStart>(nullptr);
        start->initDialog(1);
        return start;
    });
    QTest::newRow("password") << dialog([] {
        auto password = std::make_unique<KVPasswordDialog>(nullptr);
        password->setWarning(QStringLiteral("2 attempts left"));
        return password;
    });
    QTest::newRow("field-editor-password") << dialog([] {
        auto editor = fieldEditorFor(QStringLiteral("PASS"));
        editor->findChild<QPushButton*>("pushButtonPassSettings")->click();
        return editor;
    });
    QTest::newRow("field-editor-previous-password")
        << dialog([] { return fieldEditorFor(QStringLiteral("OLDP")); });
    QTest::newRow("folder-editor")
        << dialog([] { return std::make_unique<EditItemFolder>(true, RootItemId, nullptr); });
    QTest::newRow("item-editor") << dialog(
        [] { return std::make_unique<EditItemFolder>(false, RootItemId, nullptr); });
    QTest::newRow("change-password")
        << dialog([] { return std::make_unique<KVChangePassword>(nullptr); });
    QTest::newRow("preferences") << dialog([] { return std::make_unique<Prefs>(nullptr); });
    QTest::newRow("preferences-wallet") << dialog([] {
        // The longer of the two descriptions.
        WalletDatabase::instance()->reencryptAll(QStringLiteral("pw"),
                                                 WalletProtection::Format::Argon2id);
        auto prefs = std::make_unique<Prefs>(nullptr);
        prefs->findChild<QTabWidget*>("tabWidget")->setCurrentIndex(3);
        return prefs;
    });
    QTest::newRow("import-preview") << dialog([] {
        // A file with a line that cannot be read: the whole preview shows.
        return std::make_unique<ImportDialog>(
            ImportReader::readFile(QStringLiteral(KELVARON_TEST_DATA "/import/short_row.csv")),
            nullptr);
    });
    QTest::newRow("recovery") << dialog([] { return std::make_unique<KVRestoreDialog>(nullptr); });
    QTest::newRow("labels") << dialog([] { return std::make_unique<labels>(nullptr); });
    QTest::newRow("about") << dialog([] { return std::make_unique<About>(nullptr); });
}

namespace {

// The named widgets of a form that reach past their parent's edge, where
// the parent cuts them off.
QStringList sticksOut(QWidget* window)
{
    QStringList problems;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        QWidget* parent = widget->parentWidget();
        if (widget->objectName().isEmpty() || widget->objectName().startsWith("qt_") || !parent ||
            !widget->isVisibleTo(window) || parent->inherits("QAbstractScrollArea"))
            continue;
        if (!parent->rect().contains(widget->geometry()))
            problems << widget->objectName() + " reaches past the edge of " + parent->objectName();
    }
    return problems;
}

// The widget a Tab stop stands for: a spin box for its line edit, one
// button box for all its buttons.
QWidget* stopOf(QWidget* widget)
{
    QWidget* parent = widget->parentWidget();
    if (parent && (qobject_cast<QDialogButtonBox*>(parent) || parent->inherits("QAbstractSpinBox")))
        return parent;
    return widget;
}

// In a dialog, Tab goes down the form, and along a row from left to right,
// from the first widget at the top to the last at the bottom.
QStringList tabAgainstTheLayout(QWidget* window)
{
    if (!qobject_cast<QDialog*>(window))
        return {};
    QList<QWidget*> stops;
    QWidget* widget = window;
    for (int steps = 0; steps < 200; ++steps) {
        widget = widget->nextInFocusChain();
        if (widget == window)
            break;
        // A widget with a focus proxy (a scroll area's viewport) is reached
        // through the proxy.
        if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(window) ||
            !widget->isEnabled() || qobject_cast<QTabWidget*>(widget) || widget->focusProxy())
            continue;
        if (stops.isEmpty() || stops.last() != stopOf(widget))
            stops.append(stopOf(widget));
    }
    const auto place = [window](QWidget* stop) { return stop->mapTo(window, QPoint(0, 0)); };
    constexpr int SameRow = 8;
    // The chain is a circle: it is read from its top-left stop.
    const auto first = std::min_element(stops.begin(), stops.end(), [&](QWidget* a, QWidget* b) {
        return place(a).y() + SameRow < place(b).y() ||
               (qAbs(place(a).y() - place(b).y()) <= SameRow && place(a).x() < place(b).x());
    });
    std::rotate(stops.begin(), first, stops.end());
    QStringList problems;
    for (int i = 1; i < stops.size(); ++i) {
        const QPoint before = place(stops[i - 1]);
        const QPoint after = place(stops[i]);
        const bool down = after.y() > before.y() + SameRow;
        const bool right = qAbs(after.y() - before.y()) <= SameRow && after.x() > before.x();
        if (!down && !right)
            problems << "Tab goes from " + stops[i - 1]->objectName() + " back to " +
                            stops[i]->objectName();
    }
    return problems;
}

} // namespace

void TestLooks::everyTextFits()
{
    QFETCH(Factory, make);
    std::unique_ptr<QWidget> window = make();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QStringList problems;
    for (QWidget* widget : window->findChildren<QWidget*>())
        if (widget->isVisibleTo(window.get()))
            if (const QString problem = problemOf(widget); !problem.isEmpty())
                problems << problem;
    const QString folder = qEnvironmentVariable("KELVARON_SCREENS");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        QVERIFY(window->grab().save(folder + QLatin1Char('/') + QTest::currentDataTag() +
                                    QStringLiteral(".png")));
    }
    problems << sticksOut(window.get()) << tabAgainstTheLayout(window.get());
    window->close();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("\n"))));
}

KELVARON_TEST_MAIN(TestLooks)
#include "tst_looks.moc"
