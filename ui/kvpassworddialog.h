#pragma once

#include <memory>
#include <QDialog>

namespace Ui {
class KVPasswordDialog;
}

// The master-password dialog of the login and of unlocking.
class KVPasswordDialog : public QDialog
{
    Q_OBJECT

public:
    explicit KVPasswordDialog(QWidget* parent);
    ~KVPasswordDialog() override;

    // Sets the warning line (attempts left), shows the dialog and, when it
    // has no parent, centres it on the primary screen.
    void setWarning(const QString& text);
    QString password() const;

private:
    std::unique_ptr<Ui::KVPasswordDialog> ui;
};
