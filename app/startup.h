#pragma once

#include <QString>

class QApplication;

// Names the application (which places its settings and data folder) and
// loads the interface language.
void configureApplication(QApplication& app);

// Loads and installs the catalogue "kelvaron_<code>" from the resources when
// the code names one of the program's translations ("ru", "de").
void loadTranslation(QApplication& app, const QString& code);

// Opens the wallet and admits the user: the first-start dialog on a wallet
// without root, the master-password login otherwise. Returns the process
// exit status.
int runStartup(QApplication& app);
