#pragma once

class QWidget;

// Forms place their widgets at fixed positions. In the font in force (the
// platform's, at any scale) a one-line label or a check box may need a pixel
// or two more than the form gave it, and would lose its descenders: each
// such widget of form grows to the height its text needs, about its centre.
void fitTextToFont(QWidget* form);
