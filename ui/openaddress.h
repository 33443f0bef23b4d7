#pragma once

class QString;

// Opens a web address in the user's browser. When no browser opens, the
// address is shown in a message whose text can be selected and copied.
void openAddress(const QString& address);
