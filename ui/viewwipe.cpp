#include "viewwipe.h"

#include "secretwipe.h"

#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

void wipeAndClear(QTreeWidget* view)
{
    for (QTreeWidgetItemIterator row(view); *row; ++row)
        for (int column = 0; column < (*row)->columnCount(); ++column) {
            QString text = (*row)->text(column);
            wipeSharedText(text);
            QString tip = (*row)->toolTip(column);
            wipeSharedText(tip);
        }
    view->clear();
}

void wipeAndClear(QLabel* label)
{
    QString text = label->text();
    wipeSharedText(text);
    label->clear();
}

void wipeAndClear(QLineEdit* edit)
{
    QString text = edit->text();
    wipeSharedText(text);
    edit->clear();
}

void wipeAndClear(QStatusBar* bar)
{
    QString text = bar->currentMessage();
    wipeSharedText(text);
    bar->clearMessage();
}
