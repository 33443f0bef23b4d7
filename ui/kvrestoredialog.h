#pragma once

#include <memory>
#include <QDialog>

namespace Ui {
class KVRestoreDialog;
}

// Lists the backups of the backup folder, newest first, and restores or
// deletes the chosen one.
class KVRestoreDialog : public QDialog
{
    Q_OBJECT

public:
    // Asks whether the wallet may be replaced by the one from archivePath (a
    // safety backup is kept); No is the default. Used by every restore.
    static bool confirmReplace(const QString& archivePath);

    explicit KVRestoreDialog(QWidget* parent);
    ~KVRestoreDialog() override;

private slots:
    void on_restoreButton_clicked();
    void on_deleteButton_clicked();
    void on_closeButton_clicked();

private:
    void fillList();
    QString selectedPath() const;
    std::unique_ptr<Ui::KVRestoreDialog> ui;
};
