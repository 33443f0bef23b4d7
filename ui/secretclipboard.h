#pragma once

#include <QString>

// Puts text on the system clipboard marked as secret, so that clipboard
// managers and histories leave it out; what is pasted is the text unchanged.
void copySecretToClipboard(const QString& text);

// Empties the clipboard when it still holds the last text that
// copySecretToClipboard put there; a clipboard the user changed since is
// left alone. Called when the wallet locks and when the program ends.
void clearSecretFromClipboard();
