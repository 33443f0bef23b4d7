#pragma once

#include <QString>

// Overwrites a deciphered text in memory before it is let go. Qt shares a
// string's characters between its copies, so wiping the characters that
// text holds wipes every copy that shares them (the value in a view's row,
// a record's field); text is then empty. Characters that live in the
// program's own read-only data are left alone.
void wipeSharedText(QString& text);
