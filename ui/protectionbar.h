#pragma once

#include <QFrame>

class QLabel;
class WalletProtection;

// The bar above the wallet that tells the user a wallet in the original
// format can be guessed quickly from a copy of its file, with Upgrade...
// (Change password with strong protection ticked) and a dismissal that is
// remembered for this wallet.
class ProtectionBar : public QFrame
{
    Q_OBJECT

public:
    explicit ProtectionBar(QWidget* parent);

    // Shows the bar for a wallet in the original format that the user has
    // not dismissed it for; hides it otherwise.
    void showFor(const WalletProtection& protection, const QString& walletId);

signals:
    void upgradeRequested();

private:
    void dismiss();

    QString m_walletId;
};
