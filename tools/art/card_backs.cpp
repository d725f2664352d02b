// The five card back designs a player can choose from: butterflies on green, a dark red rose
// pattern, concentric pink and red frames, a black cat on blue, and a blue letter on a red-to-
// yellow ground. Each is a white-edged card with rounded corners.
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>
#include <functional>
#include <numbers>

#include "art.h"
#include "paint.h"

namespace koropika::art {

namespace {

constexpr double kBorder = 3;  // white edge around the pattern

// A white card of the given size whose inner field is painted by `drawField` (clipped to it).
QImage backCard(int width, int height, int scale,
                const std::function<void(QPainter&, const QRectF&)>& drawField) {
    QImage image = blankImage(width, height, scale);
    QPainter painter;
    beginPainting(painter, image);
    const QRectF card(0.5, 0.5, width - 1, height - 1);
    const QPainterPath body = roundedRect(card, 4);
    painter.fillPath(body, QColor(0xfc, 0xfc, 0xf8));

    const QRectF field(kBorder, kBorder, width - 2 * kBorder, height - 2 * kBorder);
    const QPainterPath fieldPath = roundedRect(field, 2.5);
    painter.save();
    painter.setClipPath(fieldPath);
    drawField(painter, field);
    painter.restore();
    painter.strokePath(fieldPath, QPen(QColor(0, 0, 0, 70), 0.6));
    painter.strokePath(body, QPen(QColor(0x8a, 0x8a, 0x90), 1.0));
    painter.end();
    return image;
}

void drawButterfly(QPainter& painter, QPointF at, double scale, double tiltDegrees) {
    painter.save();
    painter.translate(at);
    painter.rotate(tiltDegrees);
    painter.scale(scale, scale);

    QRadialGradient wing(QPointF(0, 0), 5);
    wing.setColorAt(0, QColor(0xf4, 0x82, 0x1e));
    wing.setColorAt(0.55, QColor(0xfb, 0xd2, 0x4c));
    wing.setColorAt(1, QColor(0xff, 0xf6, 0xc0));
    const QPen edge(QColor(0x3a, 0x2a, 0x10, 200), 0.35);
    for (int side : {-1, 1}) {
        painter.save();
        painter.scale(side, 1);
        QPainterPath upper;
        upper.moveTo(0, -0.6);
        upper.cubicTo(-1.5, -4.8, -6.2, -5.4, -5.6, -2.4);
        upper.cubicTo(-5.2, -0.6, -2.4, 0.2, 0, 0.2);
        upper.closeSubpath();
        QPainterPath lower;
        lower.moveTo(0, 0.2);
        lower.cubicTo(-2.8, 0.4, -4.6, 2.2, -3.6, 3.8);
        lower.cubicTo(-2.6, 5.0, -0.8, 3.4, 0, 1.4);
        lower.closeSubpath();
        painter.fillPath(upper, wing);
        painter.fillPath(lower, wing);
        painter.strokePath(upper, edge);
        painter.strokePath(lower, edge);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x3a, 0x2a, 0x10));
        painter.drawEllipse(QPointF(-3.8, -2.5), 0.7, 0.7);
        painter.setPen(QPen(QColor(0x3a, 0x2a, 0x10), 0.35, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        QPainterPath feeler;
        feeler.moveTo(-0.2, -2.8);
        feeler.quadTo(-0.6, -4.8, -1.8, -5.4);
        painter.drawPath(feeler);
        painter.restore();
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2e, 0x20, 0x10));
    painter.drawEllipse(QPointF(0, 0.3), 0.6, 3.2);
    painter.restore();
}

void drawButterflyField(QPainter& painter, const QRectF& field) {
    QRadialGradient meadow(field.center(), field.height() * 0.7);
    meadow.setColorAt(0, QColor(0x4c, 0xb8, 0x54));
    meadow.setColorAt(1, QColor(0x14, 0x66, 0x24));
    painter.fillRect(field, meadow);

    // A fine diagonal trellis behind the butterflies.
    painter.setPen(QPen(QColor(0xc8, 0xff, 0xb0, 45), 0.6));
    for (double d = -field.height(); d < field.width() + field.height(); d += 8) {
        painter.drawLine(QPointF(field.left() + d, field.top()),
                         QPointF(field.left() + d - field.height(), field.bottom()));
        painter.drawLine(QPointF(field.left() + d - field.height(), field.top()),
                         QPointF(field.left() + d, field.bottom()));
    }

    const double rowStep = field.height() / 4;
    for (int row = 0; row < 4; ++row) {
        const double y = field.top() + rowStep * (row + 0.5);
        const bool shifted = row % 2 == 1;
        for (int column = -1; column < 3; ++column) {
            const double x = field.left() + field.width() * (column + (shifted ? 1.0 : 0.5)) / 2;
            drawButterfly(painter, QPointF(x, y), 1.15, shifted ? 14 : -14);
        }
    }
}

void drawRose(QPainter& painter, QPointF at, double radius) {
    painter.save();
    painter.translate(at);
    const QPen dark(QColor(0x5a, 0x04, 0x12), 0.45);
    // Two leaves peeking out below.
    painter.setPen(QPen(QColor(0x1c, 0x30, 0x12), 0.3));
    painter.setBrush(QColor(0x2c, 0x5a, 0x22));
    for (int side : {-1, 1}) {
        painter.save();
        painter.rotate(side * 48);
        painter.drawEllipse(QPointF(0, radius * 1.05), radius * 0.38, radius * 0.7);
        painter.restore();
    }
    // Outer petals.
    painter.setPen(dark);
    painter.setBrush(QColor(0xb0, 0x14, 0x2c));
    for (int i = 0; i < 5; ++i) {
        const double a = (i * 72.0 - 90.0) * std::numbers::pi / 180.0;
        painter.drawEllipse(QPointF(std::cos(a), std::sin(a)) * radius * 0.5, radius * 0.55,
                            radius * 0.55);
    }
    // The bud with its spiral of inner petals.
    QRadialGradient bud(QPointF(-radius * 0.2, -radius * 0.2), radius * 0.8);
    bud.setColorAt(0, QColor(0xf0, 0x50, 0x64));
    bud.setColorAt(1, QColor(0xa8, 0x10, 0x28));
    painter.setBrush(bud);
    painter.drawEllipse(QPointF(0, 0), radius * 0.62, radius * 0.62);
    QPainterPath spiral;
    for (int step = 0; step <= 40; ++step) {
        const double t = step / 40.0;
        const double a = t * 4 * std::numbers::pi;
        const double r = radius * (0.5 - 0.42 * t);
        const QPointF p(std::cos(a) * r, std::sin(a) * r);
        if (step == 0) {
            spiral.moveTo(p);
        } else {
            spiral.lineTo(p);
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(spiral);
    painter.restore();
}

void drawRoseField(QPainter& painter, const QRectF& field) {
    QRadialGradient wine(field.center(), field.height() * 0.7);
    wine.setColorAt(0, QColor(0x6e, 0x0e, 0x1c));
    wine.setColorAt(1, QColor(0x3a, 0x04, 0x0e));
    painter.fillRect(field, wine);

    // Diamond lattice; the roses sit on its crossings.
    const double stepX = field.width() / 3;
    const double stepY = field.height() / 4;
    painter.setPen(QPen(QColor(0xc0, 0x30, 0x40, 90), 0.6));
    for (int k = -4; k <= 8; ++k) {
        const QPointF start(field.left() + k * stepX, field.top());
        painter.drawLine(start, start + QPointF(field.height() * stepX / stepY, field.height()));
        painter.drawLine(start, start + QPointF(-field.height() * stepX / stepY, field.height()));
    }
    for (int row = 0; row <= 4; ++row) {
        for (int column = 0; column <= 3; ++column) {
            if ((row + column) % 2 != 0) {
                continue;
            }
            drawRose(painter, QPointF(field.left() + column * stepX, field.top() + row * stepY),
                     4.6);
        }
    }
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            if ((row + column) % 2 != 0) {
                continue;
            }
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(0xd8, 0x40, 0x50, 160));
            painter.drawEllipse(
                QPointF(field.left() + (column + 0.5) * stepX, field.top() + (row + 0.5) * stepY),
                1.1, 1.1);
        }
    }
}

void drawFramesField(QPainter& painter, const QRectF& field) {
    const QColor red(0xd2, 0x1a, 0x3c);
    const QColor pink(0xf8, 0xa8, 0xc6);
    constexpr int kFrames = 8;
    const double step = field.width() / 2 / (kFrames + 0.6);
    for (int k = 0; k <= kFrames; ++k) {
        const QRectF ring = field.adjusted(k * step, k * step, -k * step, -k * step);
        const QColor colour = k % 2 == 0 ? red : pink;
        QLinearGradient shade(ring.topLeft(), ring.bottomRight());
        shade.setColorAt(0, colour.lighter(112));
        shade.setColorAt(1, colour.darker(108));
        const QPainterPath path = roundedRect(ring, std::max(0.8, 2.5 - k * 0.2));
        painter.fillPath(path, shade);
        painter.strokePath(path, QPen(QColor(0x80, 0x08, 0x20, 70), 0.4));
    }
}

void drawCatField(QPainter& painter, const QRectF& field) {
    QLinearGradient sky(field.topLeft(), field.bottomLeft());
    sky.setColorAt(0, QColor(0x5a, 0x8c, 0xf0));
    sky.setColorAt(1, QColor(0x18, 0x36, 0x96));
    painter.fillRect(field, sky);

    // A crescent moon and a few stars.
    const QPointF moon = field.topLeft() + QPointF(10, 10);
    QPainterPath crescent;
    crescent.addEllipse(moon, 5, 5);
    QPainterPath bite;
    bite.addEllipse(moon + QPointF(2.4, -1.4), 4.4, 4.4);
    painter.fillPath(crescent.subtracted(bite), QColor(0xff, 0xf0, 0x9a));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xff, 0xff, 0xe0));
    for (const QPointF& star :
         {QPointF(28, 8), QPointF(36, 16), QPointF(22, 18), QPointF(34, 4), QPointF(8, 26)}) {
        painter.drawPath(fivePointStar(field.topLeft() + star, 1.5, 0.6, 0));
    }

    // The roof ridge the cat sits on.
    const double ground = field.bottom() - 6;
    QPainterPath roof;
    roof.moveTo(field.left(), ground + 3);
    roof.quadTo(field.center().x(), ground - 2, field.right(), ground + 3);
    roof.lineTo(field.bottomRight());
    roof.lineTo(field.bottomLeft());
    roof.closeSubpath();
    painter.fillPath(roof, QColor(0x0c, 0x1a, 0x4a));

    // The cat, seen from behind a little to the side, looking out.
    painter.save();
    painter.translate(field.center().x() - 2, ground + 0.5);
    const QColor black(0x0a, 0x0a, 0x0e);
    QPainterPath tail;
    tail.moveTo(5, -1.5);
    tail.cubicTo(12, -1, 14, -9, 10, -14);
    QPen tailPen(black, 2.4, Qt::SolidLine, Qt::RoundCap);
    painter.strokePath(tail, tailPen);
    QPainterPath cat;
    cat.moveTo(-7.5, 0);
    cat.cubicTo(-9.5, -8, -6.5, -16, -2.5, -18.5);
    cat.lineTo(2.5, -18.5);
    cat.cubicTo(6.5, -16, 9.5, -8, 7.5, 0);
    cat.closeSubpath();
    QPainterPath head;
    head.addEllipse(QPointF(0, -21.5), 5.6, 4.8);
    cat = cat.united(head);
    for (int side : {-1, 1}) {
        QPainterPath ear;
        ear.moveTo(side * 5.4, -23);
        ear.lineTo(side * 4.6, -29.5);
        ear.lineTo(side * 1.2, -25.6);
        ear.closeSubpath();
        cat = cat.united(ear);
    }
    painter.fillPath(cat, black);
    painter.strokePath(cat, QPen(QColor(0x70, 0x98, 0xff, 110), 0.6));  // moonlit rim
    for (int side : {-1, 1}) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xd8, 0xf0, 0x30));
        painter.drawEllipse(QPointF(side * 2.2, -22), 1.3, 0.95);
        painter.setBrush(black);
        painter.drawEllipse(QPointF(side * 2.2, -22), 0.35, 0.85);
        painter.setPen(QPen(QColor(0xb0, 0xc0, 0xe0, 150), 0.3));
        painter.drawLine(QPointF(side * 2.6, -20), QPointF(side * 7.5, -20.8));
        painter.drawLine(QPointF(side * 2.6, -19.6), QPointF(side * 7.5, -19));
    }
    painter.restore();
}

// A bold capital K as a polygon in a box of `size`, with its top left corner at the origin.
QPainterPath letterK(QSizeF size) {
    const QPointF unit[] = {{0, 0},    {0.3, 0}, {0.3, 0.42}, {0.68, 0},   {1.02, 0}, {0.56, 0.47},
                            {1.05, 1}, {0.7, 1}, {0.38, 0.6}, {0.3, 0.69}, {0.3, 1},  {0, 1}};
    QPainterPath path;
    for (size_t i = 0; i < std::size(unit); ++i) {
        const QPointF p(unit[i].x() * size.width(), unit[i].y() * size.height());
        if (i == 0) {
            path.moveTo(p);
        } else {
            path.lineTo(p);
        }
    }
    path.closeSubpath();
    return path;
}

void drawLetterField(QPainter& painter, const QRectF& field) {
    QLinearGradient ground(field.topLeft(), field.bottomLeft());
    ground.setColorAt(0, QColor(0xd8, 0x14, 0x1c));
    ground.setColorAt(0.5, QColor(0xf4, 0x7a, 0x1c));
    ground.setColorAt(1, QColor(0xff, 0xe6, 0x3c));
    painter.fillRect(field, ground);
    painter.setPen(QPen(QColor(255, 255, 255, 120), 0.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(roundedRect(field.adjusted(2.5, 2.5, -2.5, -2.5), 1.5));

    const QSizeF size(22, 30);
    const QPointF corner = field.center() - QPointF(size.width() / 2 + 0.4, size.height() / 2);
    const QPainterPath letter = letterK(size).translated(corner);
    painter.fillPath(letter.translated(1.3, 1.5), QColor(0x40, 0x08, 0x00, 110));
    QLinearGradient blue(corner, corner + QPointF(size.width(), size.height()));
    blue.setColorAt(0, QColor(0x4a, 0x78, 0xff));
    blue.setColorAt(1, QColor(0x10, 0x24, 0xb0));
    QPen edge(Qt::white, 1.1);
    edge.setJoinStyle(Qt::MiterJoin);
    painter.strokePath(letter, edge);
    painter.fillPath(letter, blue);
}

}  // namespace

Pictures cardBacks(int scale) {
    return {
        {"back_0", backCard(52, 70, scale, drawButterflyField)},
        {"back_1", backCard(47, 62, scale, drawRoseField)},
        {"back_2", backCard(52, 70, scale, drawFramesField)},
        {"back_3", backCard(47, 62, scale, drawCatField)},
        {"back_4", backCard(47, 62, scale, drawLetterField)},
    };
}

}  // namespace koropika::art
