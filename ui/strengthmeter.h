#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QProgressBar;

// A coloured bar of five steps and the estimated guesses ("about 10^12
// guesses") for a password as it is typed or generated. It advises; it
// never refuses a password.
class StrengthMeter : public QWidget
{
    Q_OBJECT

public:
    explicit StrengthMeter(QWidget* parent);

    void setPassword(const QString& password);
    // 0 to 4, or -1 for an empty password.
    int score() const { return m_score; }
    QString guessesText() const;

    // Puts a meter under field in its fixed form: what lies below moves
    // down and the form grows by the meter's height. The meter follows
    // what is typed in field.
    static StrengthMeter* attachBelow(QLineEdit* field);

private:
    QProgressBar* m_bar;
    QLabel* m_guesses;
    int m_score = -1;
};
