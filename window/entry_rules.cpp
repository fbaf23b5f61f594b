// SPDX-License-Identifier: MIT
#include "window/entry_rules.h"

#include <cmath>

namespace window {

std::optional<double> readArea(const QString& text, const QLocale& locale) {
    QLocale strict = locale;
    strict.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = strict.toDouble(text, &ok);
    if (!ok || !std::isfinite(value) || value < 0)
        return std::nullopt;
    return value;
}

namespace {

// Rounded to the nearest whole number, exact halves to the even neighbour.
QString wholeText(double x) {
    // nearbyint follows the default rounding mode, round-half-even; + 0.0 turns -0 into 0.
    return QString::number(std::nearbyint(x) + 0.0, 'f', 0);
}

} // namespace

AreaCounts areaCounts(double area) {
    const double root = std::sqrt(area);
    return {wholeText(area / 1.5), wholeText(1.5 * root), wholeText(root), wholeText(2.5 * root)};
}

bool passesCountFilter(QChar c) {
    return (c >= u'0' && c <= u'9') || c == u'\b';
}

} // namespace window
