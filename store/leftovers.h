#pragma once

class QDateTime;
class QString;

// Removes what a killed backup or restore left in folder: the files and
// folders whose names match pattern and that were last changed before the
// given moment (the start of this process), so that work in progress now is
// never touched.
void removeLeftoversBefore(const QString& folder, const QString& pattern, const QDateTime& before);
