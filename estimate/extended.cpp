#include "estimate/extended.h"

#include <bit>

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
    if (num == 0)
        return {};
    // Scale the numerator so that the quotient has at least 66 bits, then round once,
    // keeping a sticky bit for whatever the division left over.
    const int shift = 127 - bitWidth(num);
    const u128 scaled = u128(num) << shift;
    u128 q = scaled / den;
    const u128 r = scaled % den;
    // q has at least 127 - 64 - 64 + ... bits; make sure the sticky bit lands below the
    // rounding position by shifting one more bit in.
    q = (q << 1) | (r != 0 ? 1 : 0);
    return normalise(q, -shift - 1);
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
