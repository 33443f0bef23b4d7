#pragma once

#include <functional>
#include <QCoreApplication>
#include <QString>

class QWidget;

// The commands that move entries between Kelvaron and other password
// managers, as the user runs them from the File menu.
class ExchangeCommands
{
    Q_DECLARE_TR_FUNCTIONS(ExchangeCommands)

public:
    // Asks for a file's path; empty when the user cancelled. The default
    // shows the file dialog.
    using PathChooser = std::function<QString()>;

    // Import from another manager: the file, its preview, then one write.
    // Returns the new folder's id, or an empty text when nothing was imported.
    static QString importFile(QWidget* parent, const PathChooser& choosePath = {});
    // Export: a warning that the file holds every password in plain text,
    // the master password again, the file, then the file written (0600).
    static bool exportFile(QWidget* parent, const PathChooser& choosePath = {});
};
