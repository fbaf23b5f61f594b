// SPDX-License-Identifier: MIT
// The estimate: the commercial offer written into the description document, and the texts
// of the four result fields.
#pragma once

#include "estimate/config.h"
#include "estimate/document.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace estimate {

// The 3D project's price in roubles; the installation crew, and its working day in minutes, in
// which the installation time is counted.
inline constexpr std::int64_t projectPrice = 25000;
inline constexpr int crewSize = 2;
inline constexpr std::int64_t minutesPerDay = 720;

struct ResultFields {
    std::string price;  // "EditPrice":  grouped thousands + " руб."
    std::string volume; // "EditVolume": cubic metres + " м3"
    std::string weight; // "EditWeight": kilograms + " кг"
    std::string time;   // "EditTime":   days + " дней"
    bool operator==(const ResultFields&) const = default;
};

// A count text that does not read as a whole number in the price pass.
class EstimateError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Runs the whole estimate. The document is rewritten; on an EstimateError it keeps the
// paragraphs written before the failing item, and the caller keeps its result fields.
// decimalSeparator is the user's locale separator used in the volume text.
ResultFields calculate(const CabinetConfig& c, DescriptionDocument& doc,
                       std::string_view decimalSeparator);

// The sums behind the result fields, for callers that need the numbers.
struct Totals {
    std::int64_t price = 0;   // roubles, before rounding to thousands
    std::int64_t weight = 0;  // grams
    std::int64_t volume = 0;  // cubic centimetres
    std::int64_t minutes = 0; // crew of two
};
Totals computeTotals(const CabinetConfig& c); // throws EstimateError like calculate()

// The result-field texts from the sums.
std::string priceText(std::int64_t total);
std::string weightText(std::int64_t grams);
std::string volumeText(std::int64_t cubicCentimetres, std::string_view decimalSeparator);
std::string timeText(std::int64_t minutes);

} // namespace estimate
