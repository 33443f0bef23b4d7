#pragma once

#include "walletdatabase.h"

#include <memory>
#include <QDialog>

namespace Ui {
class MoveToDialog;
}

// Asks where an item or folder goes: the wallet's folders as a tree, without
// the moved folder and what lies below it.
class MoveToDialog : public QDialog
{
    Q_OBJECT

public:
    MoveToDialog(const QString& itemId, QWidget* parent);
    ~MoveToDialog() override;

    // The chosen folder's id; empty when none is chosen.
    QString targetId() const;
    // Why a move was refused, for the user; empty when it was not.
    static QString refusalText(WalletDatabase::MoveResult result);

private:
    std::unique_ptr<Ui::MoveToDialog> ui;
};
