#pragma once

#include <QString>

// Identifier lengths used by the store.
constexpr int ItemIdLength = 8;
constexpr int FieldIdLength = 4;
constexpr int LabelCodeLength = 4;
constexpr int WalletIdLength = 32;
constexpr int RootCheckLength = 64;

// A text of length characters drawn from the store's 62-character alphabet
// with a properly seeded generator (ids must not repeat across sessions).
QString randomString(int length);
