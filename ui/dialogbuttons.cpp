#include "dialogbuttons.h"

#include <QDialogButtonBox>
#include <QPushButton>

void arrangeDialogButtons(QPushButton* accept, QPushButton* reject)
{
    const QRect row = accept->geometry().united(reject->geometry());
    auto* box = new QDialogButtonBox(accept->parentWidget());
    box->setObjectName(QStringLiteral("dialogButtons"));
    box->addButton(accept, QDialogButtonBox::AcceptRole);
    box->addButton(reject, QDialogButtonBox::RejectRole);
    const int width = qMax(row.width(), box->sizeHint().width());
    box->setGeometry(row.right() + 1 - width, row.y(), width, row.height());
    box->show();
}
