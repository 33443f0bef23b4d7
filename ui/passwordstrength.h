#pragma once

#include <QString>

// How hard a password is to guess, estimated by zxcvbn from its patterns
// (dictionary words, keyboard walks, dates, repeats), not from its length
// and character classes alone.
class PasswordStrength
{
public:
    // The estimated number of guesses as a power of ten, and five steps of
    // strength: 0 (under 10^3 guesses) to 4 (10^10 and more). Empty: -1.
    struct Estimate
    {
        int score = -1;
        int log10Guesses = 0;
    };
    static Estimate estimate(const QString& password);
};
