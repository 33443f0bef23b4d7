#pragma once

class QSplitter;
class QWidget;

namespace Ui {
class MainWindow;
}

// Puts the main window's panels into layouts that grow with the window: the
// tree and the right panel on either side of a splitter, the right panel's
// header above the list and its buttons, and in the same place the locked
// view ("lockedPanel", the parent of the unlock button) centred.
// At the window's smallest size every widget keeps the place the form gives
// it. banner runs across the top, above both. Returns the splitter.
QSplitter* layOutMainWindow(Ui::MainWindow* ui, QWidget* banner);
