// SPDX-License-Identifier: MIT
#include "info/contrast.h"

#include <algorithm>
#include <cmath>

namespace info {

namespace {

double channel(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c) {
    const QColor rgb = c.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

// `colour` with its HSL lightness moved towards 1 (lighter) or 0 until it reads `want` on
// `background`; invalid when even white or black does not.
QColor shifted(const QColor& colour, const QColor& background, double want, bool lighter) {
    const QColor hsl = colour.toHsl();
    for (int step = 0; step <= 255; ++step) {
        const int l =
            lighter ? std::min(255, hsl.lightness() + step) : std::max(0, hsl.lightness() - step);
        const QColor c = QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), l).toRgb();
        if (contrastRatio(c, background) >= want)
            return c;
    }
    return {};
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& colour, const QColor& background, double keep, double want,
                  const QColor& fallback) {
    if (contrastRatio(colour, background) >= keep)
        return colour;
    if (fallback.isValid() && contrastRatio(fallback, background) >= want)
        return fallback;
    const bool darkBackground =
        contrastRatio(Qt::white, background) >= contrastRatio(Qt::black, background);
    for (const bool lighter : {darkBackground, !darkBackground})
        if (const QColor c = shifted(colour, background, want, lighter); c.isValid())
            return c;
    return darkBackground ? QColor(Qt::white) : QColor(Qt::black);
}

} // namespace info
