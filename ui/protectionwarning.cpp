#include "protectionwarning.h"

#include <QCheckBox>
#include <QLabel>

void linkProtectionWarning(QCheckBox* strong, QLabel* warning)
{
    warning->setStyleSheet(QStringLiteral("QLabel { color : red; }"));
    warning->setVisible(!strong->isChecked());
    QObject::connect(strong, &QCheckBox::toggled, warning,
                     [warning](bool checked) { warning->setVisible(!checked); });
}
