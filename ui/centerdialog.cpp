#include "centerdialog.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centerOnPrimaryScreen(QWidget* window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    window->move(area.width() / 2 - window->width() / 2, area.height() / 2 - window->height() / 2);
}
