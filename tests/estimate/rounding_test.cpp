// SPDX-License-Identifier: MIT
#include "estimate/estimate.h"
#include "estimate/extended.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using namespace estimate;

namespace {

struct RoundCase {
    std::int64_t in;
    std::int64_t out;
};

void PrintTo(const RoundCase& c, std::ostream* os) {
    *os << c.in;
}

class TotalRounding : public testing::TestWithParam<RoundCase> {};

TEST_P(TotalRounding, HalvesGoWhereTheInexactFactorTakesThem) {
    EXPECT_EQ(extended::roundToThousands(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Halves, TotalRounding,
                         testing::Values(RoundCase{0, 0}, RoundCase{499, 0}, RoundCase{500, 0},
                                         RoundCase{501, 1000}, RoundCase{1500, 1000},
                                         RoundCase{2500, 2000}, RoundCase{3500, 3000},
                                         RoundCase{9500, 10000}, RoundCase{17500, 18000},
                                         RoundCase{151500, 152000}, RoundCase{150000, 150000},
                                         RoundCase{1234567, 1235000}, RoundCase{1615080, 1615000}));

class VolumeRounding : public testing::TestWithParam<RoundCase> {};

TEST_P(VolumeRounding, HundredthsOfACubicMetre) {
    EXPECT_EQ(extended::hundredthsOfCubicMetre(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Halves, VolumeRounding,
                         testing::Values(RoundCase{0, 0}, RoundCase{5000, 0}, RoundCase{15000, 2},
                                         RoundCase{295000, 29}, RoundCase{305000, 30},
                                         RoundCase{5001, 1}, RoundCase{4999, 0},
                                         RoundCase{5790000, 579}));

struct TextCase {
    std::int64_t in;
    const char* out;
};

TEST(ResultTexts, PriceWeightVolumeAndDays) {
    const TextCase prices[] = {{0, "0 руб."},
                               {25000, "25 000 руб."},
                               {150000, " 150 000 руб."},
                               {1234567, "1 235 000 руб."}};
    for (const auto& c : prices)
        EXPECT_EQ(priceText(c.in), c.out) << c.in;

    const TextCase weights[] = {{0, "0 кг"},    {500, "0 кг"},  {1500, "2 кг"},
                                {2500, "2 кг"}, {3500, "4 кг"}, {1499, "1 кг"}};
    for (const auto& c : weights)
        EXPECT_EQ(weightText(c.in), c.out) << c.in;

    const TextCase days[] = {{0, "1 дней"},   {180, "1 дней"},  {719, "1 дней"},
                             {720, "2 дней"}, {1440, "3 дней"}, {4110, "6 дней"}};
    for (const auto& c : days)
        EXPECT_EQ(timeText(c.in), c.out) << c.in;

    struct VolumeText {
        std::int64_t in;
        const char* sep;
        const char* out;
    };
    const VolumeText volumes[] = {
        {0, ",", "0 м3"},         {5000, ",", "0 м3"},       {15000, ",", "0,02 м3"},
        {295000, ",", "0,29 м3"}, {305000, ",", "0,3 м3"},   {305000, ".", "0.3 м3"},
        {1000000, ",", "1 м3"},   {5790000, ".", "5.79 м3"}, {123456789, ",", "123,46 м3"},
    };
    for (const auto& c : volumes)
        EXPECT_EQ(volumeText(c.in, c.sep), c.out) << c.in;
}

// Where long double is the x87 80-bit type, the integer emulation must agree with it exactly.
bool haveX87() {
    return std::numeric_limits<long double>::digits == 64;
}

std::int64_t x87Thousands(std::int64_t t) {
    return static_cast<std::int64_t>(std::nearbyintl(static_cast<long double>(t) * 0.001L)) * 1000;
}

std::int64_t x87Hundredths(std::int64_t v) {
    const long double x = static_cast<long double>(v) / 1000000.0L;
    const long double y = x * 100.0L;
    return static_cast<std::int64_t>(std::nearbyintl(y));
}

TEST(ExtendedEmulation, AgreesWithX87OverAWideRange) {
    if (!haveX87())
        GTEST_SKIP() << "long double is not the 80-bit extended type here";
    for (std::int64_t t = 0; t <= 2'000'000; ++t)
        ASSERT_EQ(extended::roundToThousands(t), x87Thousands(t)) << t;
    for (std::int64_t v = 0; v <= 2'000'000; ++v)
        ASSERT_EQ(extended::hundredthsOfCubicMetre(v), x87Hundredths(v)) << v;

    std::mt19937_64 rng(20261209);
    for (int i = 0; i < 2'000'000; ++i) {
        // Values up to 2^47 (past any sum the window can produce), biased towards halves.
        std::int64_t t = static_cast<std::int64_t>(rng() >> 17);
        if (i % 2)
            t = t / 1000 * 1000 + 500;
        ASSERT_EQ(extended::roundToThousands(t), x87Thousands(t)) << t;
        std::int64_t v = static_cast<std::int64_t>(rng() >> 17);
        if (i % 2)
            v = v / 10000 * 10000 + 5000;
        ASSERT_EQ(extended::hundredthsOfCubicMetre(v), x87Hundredths(v)) << v;
    }
}

TEST(ExtendedEmulation, ConstantsAreTheNearestExtendedValues) {
    // 0.001 and 0.01 with a 64-bit significand.
    const auto milli = extended::fromRatio(1, 1000);
    EXPECT_EQ(milli.significand, 0x83126E978D4FDF3BULL);
    EXPECT_EQ(milli.exponent, -73);
    const auto centi = extended::fromRatio(1, 100);
    EXPECT_EQ(centi.significand, 0xA3D70A3D70A3D70AULL);
    EXPECT_EQ(centi.exponent, -70);
}

} // namespace
