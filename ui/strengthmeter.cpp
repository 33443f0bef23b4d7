#include "strengthmeter.h"

#include "passwordstrength.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

namespace {

// From very weak to very strong.
const char* const StepColours[] = {"#d32f2f", "#f57c00", "#fbc02d", "#7cb342", "#2e7d32"};

} // namespace

StrengthMeter::StrengthMeter(QWidget* parent)
    : QWidget(parent), m_bar(new QProgressBar(this)), m_guesses(new QLabel(this))
{
    setObjectName(QStringLiteral("strengthMeter"));
    m_bar->setRange(0, 5);
    m_bar->setTextVisible(false);
    m_bar->setFixedWidth(120);
    m_bar->setFixedHeight(fontMetrics().height() / 2 + 2);
    m_guesses->setObjectName(QStringLiteral("strengthGuesses"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_bar);
    layout->addWidget(m_guesses, 1);
    setFixedHeight(fontMetrics().height() + 4);
    setPassword(QString());
}

void StrengthMeter::setPassword(const QString& password)
{
    const PasswordStrength::Estimate estimate = PasswordStrength::estimate(password);
    m_score = estimate.score;
    m_bar->setValue(m_score + 1);
    if (m_score >= 0)
        m_bar->setStyleSheet(QStringLiteral("QProgressBar::chunk { background: %1; }")
                                 .arg(QLatin1String(StepColours[m_score])));
    m_guesses->setText(m_score < 0 ? QString()
                                   : tr("about 10^%1 guesses").arg(estimate.log10Guesses));
}

QString StrengthMeter::guessesText() const
{
    return m_guesses->text();
}

StrengthMeter* StrengthMeter::attachBelow(QLineEdit* field)
{
    QWidget* form = field->parentWidget();
    auto* meter = new StrengthMeter(form);
    const int top = field->geometry().bottom() + 3;
    const int room = meter->height() + 3;
    for (QWidget* sibling : form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (sibling != meter && sibling->y() >= top)
            sibling->move(sibling->x(), sibling->y() + room);
    meter->setGeometry(field->x(), top, field->width(), meter->height());
    form->setFixedHeight(form->height() + room);
    connect(field, &QLineEdit::textChanged, meter, &StrengthMeter::setPassword);
    return meter;
}
