// SPDX-License-Identifier: MIT
#include "estimate/extended.h"

#include <bit>
#include <cassert>

namespace estimate::extended {
namespace {

using u128 = unsigned __int128;

int bitWidth(u128 v) {
    const auto hi = static_cast<std::uint64_t>(v >> 64);
    return hi ? 64 + std::bit_width(hi) : std::bit_width(static_cast<std::uint64_t>(v));
}

// Rounds the exact value v * 2^exponent to 64 significant bits, ties to even.
Ext normalise(u128 v, int exponent) {
    if (v == 0)
        return {};
    const int width = bitWidth(v);
    if (width <= 64) {
        const int shift = 64 - width;
        return {static_cast<std::uint64_t>(v) << shift, exponent - shift};
    }
    const int drop = width - 64;
    u128 kept = v >> drop;
    const u128 rest = v & ((u128(1) << drop) - 1);
    const u128 half = u128(1) << (drop - 1);
    if (rest > half || (rest == half && (kept & 1)))
        ++kept;
    exponent += drop;
    if (kept >> 64) { // rounding carried into a new bit
        kept >>= 1;
        ++exponent;
    }
    return {static_cast<std::uint64_t>(kept), exponent};
}

} // namespace

Ext fromRatio(std::uint64_t num, std::uint64_t den) {
    assert(den > 0 && den < maxDenominator);
    if (num == 0)
        return {};
    // Scale the numerator to 127 bits. For a denominator of at most 62 bits the integer
    // quotient then has at least 65 bits: the 64 that are kept and the rounding bit below
    // them. One more bit, set when the division left a remainder, tells an exact half from a
    // little more than a half; the rounding then happens once, in normalise.
    const int shift = 127 - bitWidth(num);
    const u128 scaled = u128(num) << shift;
    const u128 q = scaled / den;
    const bool inexact = scaled % den != 0;
    return normalise((q << 1) | (inexact ? 1 : 0), -shift - 1);
}

Ext multiply(Ext a, std::uint64_t b) {
    return normalise(u128(a.significand) * b, a.exponent);
}

Ext multiply(Ext a, Ext b) {
    Ext r = normalise(u128(a.significand) * b.significand, a.exponent);
    r.exponent += b.exponent;
    return r;
}

std::uint64_t roundToInteger(Ext a) {
    if (a.significand == 0)
        return 0;
    if (a.exponent >= 0)
        return a.significand << a.exponent; // callers stay far below 2^64
    if (a.exponent < -64)
        return 0; // below 0.5
    const int drop = -a.exponent;
    const u128 v = a.significand;
    u128 kept = v >> drop;
    const u128 rest = v & ((u128(1) << drop) - 1);
    const u128 half = u128(1) << (drop - 1);
    if (rest > half || (rest == half && (kept & 1)))
        ++kept;
    return static_cast<std::uint64_t>(kept);
}

std::int64_t roundToThousands(std::int64_t total) {
    static const Ext milli = fromRatio(1, 1000);
    const bool negative = total < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(total) : static_cast<std::uint64_t>(total);
    const auto r = static_cast<std::int64_t>(roundToInteger(multiply(milli, magnitude)));
    return (negative ? -r : r) * 1000;
}

std::int64_t hundredthsOfCubicMetre(std::int64_t cubicCentimetres) {
    const bool negative = cubicCentimetres < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(cubicCentimetres)
                                             : static_cast<std::uint64_t>(cubicCentimetres);
    const Ext metres = fromRatio(magnitude, 1000000);
    const auto r = static_cast<std::int64_t>(roundToInteger(multiply(metres, 100)));
    return negative ? -r : r;
}

} // namespace estimate::extended
