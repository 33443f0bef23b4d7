#pragma once

class QPushButton;

// Puts a dialog's own OK-like and Cancel-like buttons into a button box on
// the row where the form placed them, right-aligned to where they ended,
// so that their order and spacing are the platform's, as in every other
// dialog of the program.
void arrangeDialogButtons(QPushButton* accept, QPushButton* reject);
