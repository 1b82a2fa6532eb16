#include "fixed_math.h"

#include <algorithm>

namespace vexatron::demo {

namespace {

constexpr int kQuadrantBits = 30;
constexpr uint32_t kQuadrantMask = (uint32_t{1} << kQuadrantBits) - 1;
constexpr int64_t kHalfPi = 1686629713; // pi / 2 in Q30
constexpr int64_t kTwoPi = 6746518852;  // 2 pi in Q30
constexpr int kSearchSteps = kFractionBits + 1;

// sin(x) for 0 <= x <= pi/2 in Q30, by its Taylor series to the x^9 term.
int64_t quarterSine(int64_t x)
{
    const int64_t x2 = multiply(x, x);
    int64_t r = kOne - x2 / 72;
    r = kOne - multiply(x2, r) / 42;
    r = kOne - multiply(x2, r) / 20;
    r = kOne - multiply(x2, r) / 6;
    return std::min(multiply(x, r), kOne);
}

// `base` to the power `exponent`, both in Q30, by squaring.
int64_t power(int64_t base, int64_t exponent)
{
    int64_t result = kOne;
    while (exponent > 0) {
        if (exponent & 1)
            result = multiply(result, base);
        base = multiply(base, base);
        exponent >>= 1;
    }
    return result;
}

} // namespace

int64_t sine(uint32_t phase)
{
    const uint32_t quadrant = phase >> kQuadrantBits;
    int64_t fraction = phase & kQuadrantMask;
    if (quadrant & 1)
        fraction = kOne - fraction;
    const int64_t value = quarterSine(multiply(fraction, kHalfPi));
    return quadrant >= 2 ? -value : value;
}

std::vector<int64_t> halvingCurve(int64_t halfLife, int64_t count)
{
    // The largest step factor whose halfLife-th power is still at most one half.
    int64_t factor = 0;
    for (int bit = kSearchSteps - 1; bit >= 0; --bit) {
        const int64_t candidate = factor | (int64_t{1} << bit);
        if (candidate < kOne && power(candidate, std::max<int64_t>(halfLife, 1)) <= kOne / 2)
            factor = candidate;
    }
    std::vector<int64_t> curve(static_cast<size_t>(std::max<int64_t>(count, 0)));
    int64_t level = kOne;
    for (int64_t &value : curve) {
        value = level;
        level = multiply(level, factor);
    }
    return curve;
}

int64_t onePoleCoefficient(int64_t hz, int64_t rate)
{
    const int64_t w = kTwoPi * hz / rate;
    return w * kOne / (kOne + w);
}

int64_t scaleRounded(int64_t value, int64_t numerator, int64_t denominator)
{
    const int64_t product = value * numerator;
    const int64_t half = denominator / 2;
    return product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
}

} // namespace vexatron::demo
