// SPDX-License-Identifier: MIT
#include "window/face.h"

#include "info/contrast.h"
#include "window/qt_compat.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace window {

namespace {

// Fusion draws a control's edge in the window's colour darkened and fills it with the base or
// button colour. In a scheme where neither stands clear of a dark window (black on black in a
// high-contrast scheme, 1.4 : 1 in qt6ct's "darker") the check and radio marks, the edits,
// buttons and sliders all but vanish; there the edge is drawn in the scheme's mid colour, made
// lighter until it reads 3 : 1 (the guidelines' level for a control's edge). The light schemes,
// where the darkened edge stands clear, keep Fusion's own look.
constexpr double lostEdge = 1.5;
constexpr double edgeContrast = 3.0;

bool edgeLost(const QPalette& palette, QPalette::ColorRole fill) {
    const QColor window = palette.color(QPalette::Window);
    return info::contrastRatio(window.darker(140), window) < lostEdge &&
           info::contrastRatio(palette.color(fill), window) < lostEdge;
}

void drawEdge(QPainter* painter, const QStyleOption* option, const QRect& rect, bool round) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, round);
    const QColor window = option->palette.color(QPalette::Window);
    painter->setPen(
        info::readableOn(option->palette.color(QPalette::Mid), window, edgeContrast, edgeContrast));
    painter->setBrush(Qt::NoBrush);
    if (round)
        painter->drawEllipse(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5));
    else
        painter->drawRect(rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

// Fusion with the classic 13-pixel check and radio marks and their text 4 pixels after them,
// so captions get the width the layout gives them; edges that the scheme would hide drawn.
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

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        switch (element) {
        case PE_IndicatorCheckBox:
        case PE_FrameLineEdit:
            if (edgeLost(option->palette, QPalette::Base))
                drawEdge(painter, option, option->rect, false);
            break;
        case PE_IndicatorRadioButton:
            if (edgeLost(option->palette, QPalette::Base))
                drawEdge(painter, option, option->rect, true);
            break;
        case PE_PanelButtonCommand:
            if (edgeLost(option->palette, QPalette::Button))
                drawEdge(painter, option, option->rect, false);
            break;
        default:
            break;
        }
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        if (control != CC_Slider || !edgeLost(option->palette, QPalette::Button))
            return;
        for (const SubControl part : {SC_SliderGroove, SC_SliderHandle})
            drawEdge(painter, option, subControlRect(control, option, part, widget), false);
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
