// SPDX-License-Identifier: MIT
// How well one colour reads on another: the contrast ratio of the web's accessibility
// guidelines (WCAG 2), and the nearest colour that reaches a given ratio.
#pragma once

#include <QColor>

namespace info {

// The least contrast of the window's texts on their backgrounds (WCAG's level for small text),
// and the least at which a link label keeps the scheme's highlight colour.
inline constexpr double textContrast = 4.5;
inline constexpr double keptLinkContrast = 3.0;

// The ratio of the lighter colour's relative luminance to the darker one's, each plus 0.05:
// 1 (the same colour) to 21 (black on white). Alpha is ignored.
double contrastRatio(const QColor& a, const QColor& b);

// `colour` itself where it reads at least `keep` : 1 on `background`; otherwise `fallback` (when
// valid) where that reads at least `want` : 1; otherwise `colour` lightened (on a dark
// background) or darkened (on a light one) step by step until it reads `want` : 1, or white or
// black, whichever reads better, when no step does.
QColor readableOn(const QColor& colour, const QColor& background, double keep, double want,
                  const QColor& fallback = QColor());

} // namespace info
