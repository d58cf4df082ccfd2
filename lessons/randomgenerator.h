#pragma once

#include <QtGlobal>
#include <random>

// The process-wide pseudo-random generator: reseed from the clock, next number in [0, 1).
class RandomGenerator {
public:
    virtual ~RandomGenerator() = default;
    virtual void Reseed() = 0;
    virtual float Next() = 0;

    // The generator the program uses; tests put a scripted one in its place.
    static RandomGenerator& Instance();
    static void SetInstance(RandomGenerator* generator);
};

class ClockSeededGenerator : public RandomGenerator {
public:
    void Reseed() override;
    float Next() override;

private:
    std::mt19937 m_engine{std::random_device{}()};
};

// The largest integer not greater than r x n, kept below n even where rounding would
// carry r x n up to n itself. 0 when n is 0.
int RandomIndexBelow(float r, int n);
