#include "unlockwallet.h"

#include "busycursor.h"
#include "walletdatabase.h"

bool unlockWallet(const QString& password)
{
    WalletDatabase* db = WalletDatabase::instance();
    const BusyCursor busy(db->protection().isStrong());
    return db->checkPassword(password);
}
