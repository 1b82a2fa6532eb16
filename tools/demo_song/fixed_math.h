// Fixed-point helpers for the instrument synthesis. Everything is integer arithmetic,
// so a module comes out byte for byte the same with any compiler on any machine.
// Levels are Q30 numbers: kOne stands for 1.0.
#pragma once

#include <cstdint>
#include <vector>

namespace vexatron::demo {

constexpr int kFractionBits = 30;
constexpr int64_t kOne = int64_t{1} << kFractionBits;

inline int64_t multiply(int64_t a, int64_t b)
{
    return (a * b) >> kFractionBits;
}

// sin(2 pi phase / 2^32), within a few parts per billion.
int64_t sine(uint32_t phase);

// Q30 levels that start at kOne and halve every `halfLife` steps: `count` of them.
std::vector<int64_t> halvingCurve(int64_t halfLife, int64_t count);

// The coefficient of a one-pole (RC) low-pass filter with its cut-off at `hz` and
// `rate` samples per second: w / (1 + w) with w = 2 pi hz / rate, so below kOne at any
// cut-off. kOne minus it is the coefficient of the matching high-pass filter.
int64_t onePoleCoefficient(int64_t hz, int64_t rate);

// `value` * `numerator` / `denominator` rounded to the nearest integer, halves away
// from zero; the denominator is positive.
int64_t scaleRounded(int64_t value, int64_t numerator, int64_t denominator);

} // namespace vexatron::demo
