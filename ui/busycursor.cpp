#include "busycursor.h"

#include <QApplication>

BusyCursor::BusyCursor(bool busy) : m_busy(busy)
{
    if (m_busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    if (m_busy)
        QApplication::restoreOverrideCursor();
}
