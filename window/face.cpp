// SPDX-License-Identifier: MIT
#include "window/face.h"

#include "window/qt_compat.h"

#include <QProxyStyle>
#include <QStyleFactory>

namespace window {

namespace {

// Fusion with the classic 13-pixel check and radio marks and their text 4 pixels after them,
// so captions get the width the layout gives them.
class WindowStyle : public QProxyStyle {
  public:
    WindowStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
            return 13;
        case PM_CheckBoxLabelSpacing:
        case PM_RadioButtonLabelSpacing:
            return 4;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }
};

QString& windowFamily() {
    static QString family = QString::fromUtf8(fallbackFamily);
    return family;
}

} // namespace

void useWindowFamily(const QString& family) {
    windowFamily() = family;
}

QFont windowFont() {
    QFont font(windowFamily());
    font.setPixelSize(fontPixelSize);
    // Full hinting widens the glyphs past the captions' boxes.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    qt::setAllResolved(font);
    return font;
}

QStyle* makeWindowStyle() {
    return new WindowStyle;
}

} // namespace window
