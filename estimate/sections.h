// SPDX-License-Identifier: MIT
// The six equipment sections of the estimate: their item lines and prices, and their
// contributions to weight, volume and installation time.
#pragma once

#include "estimate/config.h"
#include "estimate/document.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace estimate::detail {

// Rounds numerator / 100 to the nearest whole number, exact halves to the even neighbour.
std::int64_t percentOf(std::int64_t amount, int percent);

// Writes a section's item lines and keeps the running total and installation amount.
class PriceWriter {
  public:
    PriceWriter(DescriptionDocument& doc, std::int64_t& total)
        : doc_(doc)
        , total_(total) {}

    void startSection() { installation_ = 0; }
    std::int64_t installation() const { return installation_; }

    // "name = price руб."
    void single(std::string_view name, std::int64_t price, std::int64_t share);
    // "name count шт. = price руб." when the count text is not "0"; the price and the share are
    // computed from the count. Throws EstimateError when the text does not read as a number.
    void counted(std::string_view name, const std::string& countText, std::int64_t unitPrice,
                 int sharePercent);
    void countedPerPiece(std::string_view name, const std::string& countText,
                         std::int64_t unitPrice, std::int64_t sharePerPiece);
    void line(std::string_view text) { doc_.append(text); }

  private:
    std::optional<std::int64_t> count(std::string_view name, const std::string& text);
    void add(std::string text, std::int64_t price, std::int64_t share);

    DescriptionDocument& doc_;
    std::int64_t& total_;
    std::int64_t installation_ = 0;
};

struct Sums {
    std::int64_t weight = 0;  // grams
    std::int64_t volume = 0;  // cubic centimetres
    std::int64_t minutes = 0; // crew of two
};

struct Section {
    std::string_view heading;
    std::string_view installationText; // empty: the section has no installation amount
    std::string_view remark;
    void (*writeItems)(const CabinetConfig&, PriceWriter&);
    // Lines written right after the installation line (the network of the computers).
    void (*afterInstallation)(const CabinetConfig&, PriceWriter&);
    void (*contribute)(const CabinetConfig&, Sums&);
};

// The six sections, each at the place of its switch in sectionSwitches (inputs.h).
extern const Section sections[6];

} // namespace estimate::detail
