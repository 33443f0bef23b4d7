#include "passwordstrength.h"

#include <cmath>
#include <zxcvbn.h>

PasswordStrength::Estimate PasswordStrength::estimate(const QString& password)
{
    if (password.isEmpty())
        return {};
    // zxcvbn gives the entropy in bits: the base-2 logarithm of the guesses.
    const double bits = ZxcvbnMatch(password.toUtf8().constData(), nullptr, nullptr);
    const double log10Guesses = bits * std::log10(2.0);
    // zxcvbn's own steps: 10^3, 10^6, 10^8 and 10^10 guesses.
    static const double steps[] = {3, 6, 8, 10};
    int score = 0;
    for (double step : steps)
        score += log10Guesses >= step ? 1 : 0;
    return {score, int(std::lround(log10Guesses))};
}
