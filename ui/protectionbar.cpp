#include "protectionbar.h"

#include "settingskeys.h"
#include "walletprotection.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QToolButton>

ProtectionBar::ProtectionBar(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("protectionBar"));
    setFrameShape(QFrame::StyledPanel);
    setStyleSheet(QStringLiteral("#protectionBar { background: #fff4ce; }"));
    auto* text = new QLabel(tr("This wallet uses the original protection, which can be guessed "
                               "quickly if the file is copied."),
                            this);
    text->setObjectName(QStringLiteral("labelProtection"));
    text->setWordWrap(true);
    auto* upgrade = new QPushButton(tr("Upgrade..."), this);
    upgrade->setObjectName(QStringLiteral("pushButtonUpgrade"));
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("toolButtonDismiss"));
    close->setText(QStringLiteral("\u2715"));
    close->setToolTip(tr("Do not show this again for this wallet"));
    close->setAutoRaise(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 4, 4, 4);
    row->addWidget(text, 1);
    row->addWidget(upgrade);
    row->addWidget(close);
    connect(upgrade, &QPushButton::clicked, this, &ProtectionBar::upgradeRequested);
    connect(close, &QToolButton::clicked, this, &ProtectionBar::dismiss);
    hide();
}

void ProtectionBar::showFor(const WalletProtection& protection, const QString& walletId)
{
    m_walletId = walletId;
    const QStringList dismissed = QSettings().value(SettingsKeys::UpgradeDismissed).toStringList();
    setVisible(!protection.isStrong() && !walletId.isEmpty() && !dismissed.contains(walletId));
}

void ProtectionBar::dismiss()
{
    QSettings settings;
    QStringList dismissed = settings.value(SettingsKeys::UpgradeDismissed).toStringList();
    if (!dismissed.contains(m_walletId))
        dismissed.append(m_walletId);
    settings.setValue(SettingsKeys::UpgradeDismissed, dismissed);
    hide();
}
