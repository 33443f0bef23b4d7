#pragma once

class QWidget;

// Moves a parentless window to the centre of the primary screen, keeping its size.
void centerOnPrimaryScreen(QWidget* window);
