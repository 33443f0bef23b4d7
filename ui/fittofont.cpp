#include "fittofont.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

namespace {

int neededHeight(QWidget* widget)
{
    widget->ensurePolished();
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->wordWrap() || label->text().isEmpty())
            return 0;
        const QMargins margins = label->contentsMargins();
        return label->fontMetrics().height() + 2 * label->margin() + margins.top() +
               margins.bottom();
    }
    if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget))
        return widget->sizeHint().height();
    return 0;
}

} // namespace

void fitTextToFont(QWidget* form)
{
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        const int grow = neededHeight(widget) - widget->height();
        if (grow > 0)
            widget->setGeometry(widget->x(), widget->y() - grow / 2, widget->width(),
                                widget->height() + grow);
    }
}
