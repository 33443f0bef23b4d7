#pragma once

#include <QString>

// Puts text on the system clipboard marked as secret, so that clipboard
// managers and histories leave it out; what is pasted is the text unchanged.
void copySecretToClipboard(const QString& text);
