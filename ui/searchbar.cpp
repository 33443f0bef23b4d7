#include "searchbar.h"

#include "settingskeys.h"
#include "viewwipe.h"
#include "walletdatabase.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QSettings>
#include <QShortcut>
#include <QToolBar>

namespace {

constexpr int SearchDelayMs = 150;
constexpr int MostResultsShown = 200;

// The unlocked wallet, or nullptr while there is none to search.
WalletDatabase* unlockedWallet()
{
    WalletDatabase* db = WalletDatabase::instance();
    return db && db->hasPassword() ? db : nullptr;
}

} // namespace

SearchBar::SearchBar(QToolBar* toolBar, QAction* before, QWidget* window)
    : QObject(window), m_box(new QLineEdit(toolBar)),
      m_passwords(new QCheckBox(tr("passwords"), toolBar))
{
    m_box->setObjectName(QStringLiteral("searchBox"));
    m_box->setFixedWidth(120);
    m_box->setPlaceholderText(tr("Search"));
    m_box->setClearButtonEnabled(true);
    m_box->setToolTip(tr("Search names and values (Ctrl+F)"));
    toolBar->insertWidget(before, m_box);
    m_passwords->setObjectName(QStringLiteral("searchPasswords"));
    m_passwords->setToolTip(tr("Include passwords in search"));
    m_passwords->setChecked(
        QSettings()
            .value(SettingsKeys::SearchPasswords, SettingsKeys::SearchPasswordsDefault)
            .toBool());
    toolBar->insertWidget(before, m_passwords);

    // Typing searches after a short pause; Enter or Find at once.
    m_pause.setSingleShot(true);
    m_pause.setInterval(SearchDelayMs);
    connect(&m_pause, &QTimer::timeout, this, &SearchBar::searchNow);
    connect(m_box, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!text.trimmed().isEmpty()) {
            m_pause.start();
            return;
        }
        m_pause.stop();
        emit left();
    });
    connect(m_box, &QLineEdit::returnPressed, this, &SearchBar::searchNow);
    connect(m_passwords, &QCheckBox::toggled, this, [this](bool on) {
        QSettings().setValue(SettingsKeys::SearchPasswords, on);
        emit optionsChanged();
    });
    auto* focus = new QShortcut(QKeySequence::Find, window);
    connect(focus, &QShortcut::activated, this, [this] {
        m_box->setFocus(Qt::ShortcutFocusReason);
        m_box->selectAll();
    });
    auto* escape =
        new QShortcut(QKeySequence(Qt::Key_Escape), m_box, nullptr, nullptr, Qt::WidgetShortcut);
    connect(escape, &QShortcut::activated, m_box, &QLineEdit::clear);
}

void SearchBar::prepare()
{
    QTimer::singleShot(0, this, [this] {
        if (WalletDatabase* db = unlockedWallet(); db && !m_index.isBuilt())
            m_index.build(db);
    });
}

void SearchBar::rebuild()
{
    m_index.wipe();
    prepare();
}

void SearchBar::refresh(const QString& itemId)
{
    m_index.refresh(WalletDatabase::instance(), itemId);
}

void SearchBar::wipe()
{
    m_pause.stop();
    wipeAndClear(m_box);
    m_index.wipe();
}

void SearchBar::findOrFocus()
{
    if (query().isEmpty())
        m_box->setFocus(Qt::ShortcutFocusReason);
    else
        searchNow();
}

void SearchBar::searchNow()
{
    m_pause.stop();
    if (query().isEmpty()) {
        emit left();
        return;
    }
    WalletDatabase* db = unlockedWallet();
    if (!db)
        return;
    if (!m_index.isBuilt())
        m_index.build(db);
    int total = 0;
    const QList<SearchIndex::Result> results =
        m_index.find(m_box->text(), m_passwords->isChecked(), MostResultsShown, &total);
    emit found(results, total);
}

QString SearchBar::query() const
{
    return m_box->text().trimmed();
}
