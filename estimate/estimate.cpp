// SPDX-License-Identifier: MIT
#include "estimate/estimate.h"

#include "estimate/extended.h"
#include "estimate/inputs.h"
#include "estimate/sections.h"

namespace estimate {

using detail::PriceWriter;
using detail::sections;
using detail::Sums;

namespace {

void heading(DescriptionDocument& doc, std::string_view text) {
    doc.setAlignment(Align::Center);
    doc.setSize(10);
    doc.addStyle(Bold);
    doc.append(text);
}

void writeSection(const detail::Section& s, const CabinetConfig& c, DescriptionDocument& doc,
                  PriceWriter& w, std::int64_t& total) {
    doc.appendEmpty();
    heading(doc, s.heading);
    doc.setAlignment(Align::Left);
    doc.setBullets(true);
    w.startSection();
    s.writeItems(c, w);
    if (c.CBSborka && !s.installationText.empty()) {
        total += w.installation();
        if (w.installation() > 0) {
            doc.append(std::string(s.installationText) + std::to_string(w.installation()) +
                       " руб.");
            if (s.afterInstallation)
                s.afterInstallation(c, w);
        }
    }
    doc.addStyle(Italic);
    doc.append(s.remark);
    doc.setBullets(false);
}

Sums sums(const CabinetConfig& c) {
    Sums s;
    for (std::size_t i = 0; i < std::size(sections); ++i)
        if (c.*sectionSwitches[i].enabled)
            sections[i].contribute(c, s);
    return s;
}

} // namespace

std::string priceText(std::int64_t total) {
    return groupDigits(std::to_string(extended::roundToThousands(total))) + " руб.";
}

std::string weightText(std::int64_t grams) {
    // Kilograms, halves to the even neighbour.
    std::int64_t kg = grams / 1000;
    const std::int64_t rest = grams % 1000;
    if (rest > 500 || (rest == 500 && kg % 2 == 1))
        ++kg;
    else if (rest < -500 || (rest == -500 && kg % 2 != 0))
        --kg;
    return std::to_string(kg) + " кг";
}

std::string volumeText(std::int64_t cubicCentimetres, std::string_view decimalSeparator) {
    // Hundredths of a cubic metre, written with at most two decimals and no trailing zeros.
    const std::int64_t r = extended::hundredthsOfCubicMetre(cubicCentimetres);
    const std::int64_t magnitude = r < 0 ? -r : r;
    std::string text = r < 0 ? "-" : "";
    text += std::to_string(magnitude / 100);
    const int cents = static_cast<int>(magnitude % 100);
    if (cents != 0) {
        text += decimalSeparator;
        text += static_cast<char>('0' + cents / 10);
        if (cents % 10 != 0)
            text += static_cast<char>('0' + cents % 10);
    }
    return text + " м3";
}

std::string timeText(std::int64_t minutes) {
    return std::to_string(minutes / minutesPerDay + 1) + " дней";
}

namespace {

// The whole estimate: writes the offer, fills the fields and returns the sums behind them.
Totals run(const CabinetConfig& c, DescriptionDocument& doc, std::string_view decimalSeparator,
           ResultFields& fields) {
    doc.showPicture("CALC");
    std::int64_t total = 0;
    doc.clear();
    heading(doc, "КОММЕРЧЕСКОЕ ПРЕДЛОЖЕНИЕ НА ОСНАЩЕНИЕ КАБИНЕТА ОХРАНЫ ТРУДА");

    PriceWriter writer(doc, total);
    for (std::size_t i = 0; i < std::size(sections); ++i)
        if (c.*sectionSwitches[i].enabled)
            writeSection(sections[i], c, doc, writer, total);

    // Services, always present.
    doc.appendEmpty();
    heading(doc, "Проектирование, комплектация и доставка");
    doc.setAlignment(Align::Left);
    doc.setBullets(true);
    if (c.CB3d) {
        total += projectPrice;
        doc.append("3D проект = " + std::to_string(projectPrice) + " руб.");
    }
    fields.price = priceText(total);
    doc.append("Доставка по Москве (в пределах МКАД) = БЕСПЛАТНО");
    doc.append("Доставка в другие города и регионы рассчитывается отдельно");
    doc.append("Осуществляем выезд специалистов для монтажа кабинета в другие города - услуга "
               "платная = БИЛЕТ туда-обратно на " +
               std::to_string(crewSize) + " человека");
    doc.setBullets(false);
    doc.appendEmpty();
    doc.addStyle(Bold);
    doc.append("ИТОГО: " + fields.price);
    doc.addStyle(Italic);
    doc.append("Стоимость является сметочной и корректируется после уточнения всех комплектующих "
               "и услуг для создания Вашего кабинета");

    const Sums s = sums(c);
    fields.weight = weightText(s.weight);
    fields.volume = volumeText(s.volume, decimalSeparator);
    fields.time = timeText(s.minutes);
    return {total, s.weight, s.volume, s.minutes};
}

} // namespace

ResultFields calculate(const CabinetConfig& c, DescriptionDocument& doc,
                       std::string_view decimalSeparator) {
    ResultFields fields;
    run(c, doc, decimalSeparator, fields);
    return fields;
}

Totals computeTotals(const CabinetConfig& c) {
    DescriptionDocument scratch;
    ResultFields fields;
    return run(c, scratch, ",", fields);
}

} // namespace estimate
