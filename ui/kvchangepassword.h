#pragma once

#include <memory>
#include <QDialog>

class StrengthMeter;

namespace Ui {
class KVChangePassword;
}

// Changes the master password: checks the current one and the new one typed
// twice, then re-enciphers the whole wallet under the new password in one
// transaction, showing its progress.
class KVChangePassword : public QDialog
{
    Q_OBJECT

public:
    explicit KVChangePassword(QWidget* parent);
    ~KVChangePassword() override;
    // Ticks or unticks the strong-protection box, which starts at the
    // wallet's current format.
    void setStrongProtection(bool strong);

    // Closes as Cancel does, except while the wallet is being re-enciphered:
    // that work is one transaction and ends on its own in a moment.
    void reject() override;

private slots:
    void on_pushButtonChangePass_clicked();
    void on_pushButtonCancel_clicked();

private:
    void resetLabels();
    void showWorking();
    void reportFailure(const QStringList& unreadable);
    std::unique_ptr<Ui::KVChangePassword> ui;
    StrengthMeter* m_strength = nullptr;
    bool m_working = false;
};
