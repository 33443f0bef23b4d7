#pragma once

class QLabel;
class QLineEdit;
class QStatusBar;
class QTreeWidget;

// Empties a view or a text widget that shows deciphered names and values,
// overwriting the characters of what it held first, so that a locked
// wallet leaves as little of them in memory as Qt lets us reach.
void wipeAndClear(QTreeWidget* view);
void wipeAndClear(QLabel* label);
void wipeAndClear(QLineEdit* edit);
void wipeAndClear(QStatusBar* bar);
