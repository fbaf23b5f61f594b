// SPDX-License-Identifier: MIT
#include "window/looks.h"

#include "resources/kc_resources.h"

#include <QImage>
#include <QImageReader>

#include <cmath>

namespace window {

namespace {

struct TextRole {
    QPalette::ColorRole text;
    QPalette::ColorRole background;
};

// Which text role the window draws on which background: captions and labels, buttons, the
// edits and the description panel. (Text the user selects keeps the scheme's colours.)
constexpr TextRole textRoles[] = {
    {QPalette::WindowText, QPalette::Window},
    {QPalette::ButtonText, QPalette::Button},
    {QPalette::Text, QPalette::Base},
};

constexpr QPalette::ColorGroup groups[] = {QPalette::Active, QPalette::Inactive,
                                           QPalette::Disabled};

} // namespace

QPalette readablePalette(const QPalette& scheme) {
    QPalette own;
    for (const QPalette::ColorGroup group : groups) {
        for (const TextRole& r : textRoles) {
            const QColor text = scheme.color(group, r.text);
            const QColor ground = scheme.color(group, r.background);
            const QColor readable =
                info::readableOn(text, ground, info::textContrast, info::textContrast);
            if (readable != text)
                own.setColor(group, r.text, readable);
        }
    }
    return own;
}

QPixmap pictureFor(const QString& path, qreal ratio) {
    if (ratio <= 1.0)
        return QPixmap(path);
    QImage image = QImageReader(kc::resources::twice(path)).read(); // ratio 2, from the name
    if (image.isNull())
        return QPixmap(path);
    if (!qFuzzyCompare(image.devicePixelRatio(), ratio)) {
        const QSize size = (QSizeF(image.size()) / image.devicePixelRatio() * ratio).toSize();
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        image.setDevicePixelRatio(ratio);
    }
    return QPixmap::fromImage(image);
}

QColor meanColour(const QString& path, const QRect& area) {
    const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
    const QRect inside = area & image.rect();
    double sum[3] = {0, 0, 0};
    int n = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) < 255)
                continue; // the panel shows through
            sum[0] += qRed(p);
            sum[1] += qGreen(p);
            sum[2] += qBlue(p);
            ++n;
        }
    }
    if (n == 0)
        return {};
    return QColor(int(std::lround(sum[0] / n)), int(std::lround(sum[1] / n)),
                  int(std::lround(sum[2] / n)));
}

} // namespace window
