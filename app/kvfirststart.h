#pragma once

#include <memory>
#include <QDialog>

class StrengthMeter;

namespace Ui {
class KVFirstStart;
}

// The dialog of a first start: either a new master password (entered twice)
// or the path of a backup file to restore the wallet from.
class KVFirstStart : public QDialog
{
    Q_OBJECT

public:
    explicit KVFirstStart(QWidget* parent);
    ~KVFirstStart() override;

    QString newPassword() const { return m_newPassword; }
    QString backupFilePath() const { return m_backupFilePath; }
    // Whether the new wallet is to have the strong (Argon2id) protection.
    bool strongProtection() const;

public slots:
    void initDialog(int selection);

private slots:
    void on_pushButtonPath_clicked();
    void on_pushButtonOk_clicked();
    void on_pushButtonCancel_clicked();

private:
    std::unique_ptr<Ui::KVFirstStart> ui;
    StrengthMeter* m_strength = nullptr;
    QString m_newPassword;
    QString m_backupFilePath;
};
