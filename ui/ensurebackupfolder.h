#pragma once

class QWidget;

// Makes sure a backup folder is configured and still exists, asking the user
// to choose one when it is not. Returns whether a folder is set.
bool ensureBackupFolder(QWidget* parent);
