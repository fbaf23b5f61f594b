// SPDX-License-Identifier: MIT
// Rounding as the x87 extended type does it (64-bit significand, round to nearest, ties to
// even), emulated with integers so that the results do not depend on what long double is.
#pragma once

#include <cstdint>

namespace estimate::extended {

// A non-negative value significand * 2^exponent; a normalised significand has bit 63 set.
struct Ext {
    std::uint64_t significand = 0;
    int exponent = 0;
};

// num / den rounded to 64 significant bits, for 0 < den < 2^62 (the estimate divides by 1000
// and 10^6). A larger denominator leaves the quotient too few bits to round from.
inline constexpr std::uint64_t maxDenominator = std::uint64_t(1) << 62;
Ext fromRatio(std::uint64_t num, std::uint64_t den);

// a * b rounded to 64 significant bits.
Ext multiply(Ext a, std::uint64_t b);
Ext multiply(Ext a, Ext b);

// The value rounded to the nearest integer, ties to even.
std::uint64_t roundToInteger(Ext a);

// round(total * 0.001) * 1000 in extended precision: the total rounded to thousands.
std::int64_t roundToThousands(std::int64_t total);

// round(volume / 1000000 * 100): hundredths of a cubic metre.
std::int64_t hundredthsOfCubicMetre(std::int64_t cubicCentimetres);

} // namespace estimate::extended
