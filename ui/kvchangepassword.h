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

private slots:
    void on_pushButtonChangePass_clicked();
    void on_pushButtonCancel_clicked();

private:
    void resetLabels();
    void showWorking();
    void reportFailure(const QStringList& unreadable);
    std::unique_ptr<Ui::KVChangePassword> ui;
    StrengthMeter* m_strength = nullptr;
};
