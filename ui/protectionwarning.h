#pragma once

class QCheckBox;
class QLabel;

// The strong-protection box of a dialog and the one-line warning under it:
// the warning, in red, shows while the box is unticked, that is while the
// wallet is to get the original protection.
void linkProtectionWarning(QCheckBox* strong, QLabel* warning);
