#include "restorefromarchive.h"

#include <QDebug>

bool restoreFromArchive(const QString& archivePath)
{
    // Restoring from archives is not part of this build yet: report failure
    // so that the caller tells the user, rather than pretend it worked.
    qDebug() << "Restore from backup archives is not available yet:" << archivePath;
    return false;
}
