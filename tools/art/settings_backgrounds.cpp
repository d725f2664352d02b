// The settings window's three backgrounds, 300 x 230: a warm red ground of which one half is lit
// by a sunburst from the picture's centre. The lit half and the direction of the brightest ray
// show the player which choice comes next: the name (top), the level (lower left) or the number
// of cards (lower right).
#include <QConicalGradient>
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

#include "art.h"
#include "paint.h"

namespace koropika::art {

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 230;
const QPointF kOrigin(kWidth / 2.0, kHeight / 2.0);
constexpr int kRays = 36;

// `rayDegrees` is the direction of the brightest ray, measured clockwise from straight up.
QImage sunburst(bool litTop, double rayDegrees, int scale) {
    QImage image = blankImage(kWidth, kHeight, scale);
    QPainter painter;
    beginPainting(painter, image);

    QLinearGradient red(0, 0, 0, kHeight);
    red.setColorAt(0, QColor(0xe8, 0x60, 0x40));
    red.setColorAt(1, QColor(0xdc, 0x52, 0x36));
    painter.fillRect(QRectF(0, 0, kWidth, kHeight), red);

    const QRectF lit = litTop ? QRectF(0, 0, kWidth, kOrigin.y())
                              : QRectF(0, kOrigin.y(), kWidth, kHeight - kOrigin.y());
    painter.setClipRect(lit);

    // Colour by angle: pale yellow along the brightest ray, deepening to orange away from it.
    const double rayAngle = 90.0 - rayDegrees;  // counter-clockwise from three o'clock
    QConicalGradient base(kOrigin, rayAngle);
    base.setColorAt(0, QColor(0xff, 0xfa, 0xc8));
    base.setColorAt(0.08, QColor(0xff, 0xe6, 0x50));
    base.setColorAt(0.25, QColor(0xff, 0xbc, 0x3a));
    base.setColorAt(0.5, QColor(0xff, 0x9c, 0x30));
    base.setColorAt(0.75, QColor(0xff, 0xbc, 0x3a));
    base.setColorAt(0.92, QColor(0xff, 0xe6, 0x50));
    base.setColorAt(1, QColor(0xff, 0xfa, 0xc8));
    painter.fillRect(lit, base);

    // Light rays: every other wedge, the one on the brightest ray lit the most.
    const double reach = std::hypot(kWidth, kHeight);
    const double wedge = 360.0 / kRays;
    painter.setPen(Qt::NoPen);
    for (int k = 0; k < kRays; k += 2) {
        const double centre = rayDegrees + k * wedge;
        const double offAxis = std::abs(std::remainder(k * wedge, 360.0));
        const double nearness = std::max(0.0, 1 - offAxis / 70);
        const int alpha = static_cast<int>(std::lround(45 + 90 * nearness * nearness));
        const double halfWidth = wedge / 2 * (k == 0 ? 1.5 : 1.0);
        QPainterPath ray;
        ray.moveTo(kOrigin);
        for (double edge : {centre - halfWidth, centre + halfWidth}) {
            const double radians = edge * std::numbers::pi / 180.0;
            ray.lineTo(kOrigin + QPointF(std::sin(radians), -std::cos(radians)) * reach);
        }
        ray.closeSubpath();
        painter.fillPath(ray, QColor(255, 255, 235, k == 0 ? 215 : alpha));
    }

    QRadialGradient glow(kOrigin, 90);
    glow.setColorAt(0, QColor(255, 255, 240, 230));
    glow.setColorAt(0.35, QColor(255, 250, 200, 70));
    glow.setColorAt(1, QColor(255, 240, 160, 0));
    painter.fillRect(lit, glow);
    painter.setClipping(false);

    // A soft seam where the light meets the red.
    QLinearGradient seam(0, kOrigin.y() - 2, 0, kOrigin.y() + 2);
    seam.setColorAt(0, QColor(0xa0, 0x20, 0x10, 0));
    seam.setColorAt(0.5, QColor(0xa0, 0x20, 0x10, 90));
    seam.setColorAt(1, QColor(0xa0, 0x20, 0x10, 0));
    painter.fillRect(QRectF(0, kOrigin.y() - 2, kWidth, 4), seam);
    painter.end();
    return image;
}

}  // namespace

Pictures settingsBackgrounds(int scale) {
    return {{"settings_bg_1", sunburst(true, 0, scale)},
            {"settings_bg_2", sunburst(false, 200, scale)},
            {"settings_bg_3", sunburst(false, 135, scale)}};
}

}  // namespace koropika::art
