#pragma once

#include "lessons/randomgenerator.h"

#include <QList>

// Hands out the numbers a test scripts, in order, and counts the reseeds; past the script
// it repeats the last number.
class ScriptedRandom : public RandomGenerator {
public:
    explicit ScriptedRandom(QList<float> numbers = {0.0f}) : m_numbers(std::move(numbers)) {}

    void Reseed() override { ++reseeds; log += QLatin1Char('S'); }
    float Next() override
    {
        log += QLatin1Char('N');
        const float r = m_numbers.isEmpty() ? 0.0f : m_numbers.at(qMin(m_next, m_numbers.size() - 1));
        ++m_next;
        return r;
    }

    int reseeds = 0;
    QString log; // S for a reseed, N for a draw, in the order they happened

private:
    QList<float> m_numbers;
    qsizetype m_next = 0;
};

// Puts a scripted generator in place for the life of a test.
class ScopedRandom {
public:
    explicit ScopedRandom(RandomGenerator& generator) { RandomGenerator::SetInstance(&generator); }
    ~ScopedRandom() { RandomGenerator::SetInstance(nullptr); }
};
