#pragma once

#include <QString>

// Whether password opens the wallet (and holds its key when it does), with
// the busy cursor while a strongly protected wallet derives its key.
bool unlockWallet(const QString& password);
