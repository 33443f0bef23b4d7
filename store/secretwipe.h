#pragma once

#include <QString>

// Overwrites a deciphered text in memory before it is let go. Qt shares a
// string's characters between its copies, so wiping the characters that
// text holds wipes every copy that shares them (the value in a view's row,
// a record's field); text is then empty. Characters that live in the
// program's own read-only data are left alone.
void wipeSharedText(QString& text);

// Overwrites what the allocator keeps of recently freed small blocks: the
// C library holds a few freed blocks of each small size for quick reuse and
// does not overwrite them, even when told to overwrite freed memory. Each
// is taken back, zeroed and freed again; larger free memory goes back to
// the system. Called when the wallet locks.
void scrubFreedHeap();
