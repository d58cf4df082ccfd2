#include "lessons/randomgenerator.h"

#include <chrono>
#include <cmath>

namespace {

RandomGenerator* g_override = nullptr;

} // namespace

RandomGenerator& RandomGenerator::Instance()
{
    static ClockSeededGenerator generator;
    return g_override ? *g_override : generator;
}

void RandomGenerator::SetInstance(RandomGenerator* generator) { g_override = generator; }

void ClockSeededGenerator::Reseed()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    m_engine.seed(static_cast<std::mt19937::result_type>(now ^ (now >> 32)));
}

float ClockSeededGenerator::Next()
{
    // 24 random bits fill a float's mantissa exactly, so the result is never 1.
    return static_cast<float>(m_engine() >> 8) * (1.0f / 16777216.0f);
}

int RandomIndexBelow(float r, int n)
{
    if (n <= 0)
        return 0;
    const int index = static_cast<int>(std::floor(static_cast<double>(r) * n));
    return qBound(0, index, n - 1);
}
