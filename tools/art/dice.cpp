// Dice faces, 55 x 55: an orange-red bevelled square with one to six green pips.
#include <QRadialGradient>

#include "art.h"
#include "paint.h"

namespace koropika::art {

namespace {

constexpr int kSize = 55;

// Pip centres as offsets from the face's middle in units of the pip spacing.
std::vector<QPointF> dicePips(int count) {
    switch (count) {
        case 1:
            return {{0, 0}};
        case 2:
            return {{-1, -1}, {1, 1}};
        case 3:
            return {{-1, -1}, {0, 0}, {1, 1}};
        case 4:
            return {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
        case 5:
            return {{-1, -1}, {1, -1}, {0, 0}, {-1, 1}, {1, 1}};
        case 6:
            return {{-1, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {1, 1}};
        default:
            return {};
    }
}

// A pip sunk into the face: a dark rim above and to the left, a glossy green ball inside.
void drawPip(QPainter& painter, QPointF centre, double radius) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x6a, 0x14, 0x02, 150));
    painter.drawEllipse(centre - QPointF(0.5, 0.5), radius + 0.9, radius + 0.9);
    painter.setBrush(QColor(0xff, 0xc0, 0x98, 120));
    painter.drawEllipse(centre + QPointF(0.6, 0.6), radius + 0.5, radius + 0.5);

    QRadialGradient ball(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.4,
                         centre - QPointF(radius * 0.35, radius * 0.45));
    ball.setColorAt(0, QColor(0xc4, 0xff, 0xb0));
    ball.setColorAt(0.35, QColor(0x3c, 0xc8, 0x44));
    ball.setColorAt(1, QColor(0x0a, 0x60, 0x1a));
    painter.setBrush(ball);
    painter.drawEllipse(centre, radius, radius);
}

QImage diceFace(int count, int scale) {
    QImage image = blankImage(kSize, kSize, scale);
    QPainter painter;
    beginPainting(painter, image);
    BevelStyle style;
    style.face = QColor(0xe4, 0x48, 0x1c);
    style.light = QColor(0xff, 0xb8, 0x8c);
    style.dark = QColor(0x86, 0x1c, 0x06);
    style.outline = QColor(0x58, 0x12, 0x04);
    style.radius = 9;
    style.bevel = 4.5;
    drawBevelPanel(painter, QRectF(0, 0, kSize, kSize), style);

    const QPointF middle(kSize / 2.0, kSize / 2.0);
    constexpr double kSpacing = 13;
    const double radius = count == 1 ? 8.0 : 5.2;
    for (const QPointF& at : dicePips(count)) {
        drawPip(painter, middle + at * kSpacing, radius);
    }
    painter.end();
    return image;
}

}  // namespace

Pictures diceFaces(int scale) {
    Pictures pictures;
    for (int n = 1; n <= 6; ++n) {
        pictures.push_back({QString("dice_%1").arg(n), diceFace(n, scale)});
    }
    return pictures;
}

}  // namespace koropika::art
