// Bar-shaped pictures: the result panel's buttons, the start button of the dice panel (with and
// without its pointing hand, raised and pressed) and the shooting star over the result counts.
#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>

#include "art.h"
#include "paint.h"

namespace koropika::art {

namespace {

QImage resultButton(bool pressed, int scale) {
    QImage image = blankImage(192, 34, scale);
    QPainter painter;
    beginPainting(painter, image);
    BevelStyle style;
    style.outline = QColor(0x2a, 0x66, 0x1a);
    style.radius = 9;
    if (pressed) {
        style.face = QColor(0x84, 0xc2, 0x66);
        style.relief = Relief::Flat;
    } else {
        style.face = QColor(0xac, 0xe6, 0x8c);
        style.light = QColor(0xf0, 0xff, 0xe2);
        style.dark = QColor(0x4a, 0x96, 0x32);
        style.bevel = 3.5;
    }
    drawBevelPanel(painter, QRectF(0, 0, 192, 34), style);
    painter.end();
    return image;
}

// The pointing hand of the start button, pointing right, filled yellow.
void drawStartHand(QPainter& painter, QPointF centre, bool withShadow) {
    QTransform transform;
    transform.translate(centre.x(), centre.y());
    transform.rotate(90);  // the drawn hand points up; turn it to point right
    transform.scale(2.2, 2.2);
    transform.translate(-17, -16);
    const HandShape hand = pointingHand(false);
    if (withShadow) {
        painter.fillPath(transform.map(hand.outline).translated(2.5, 3), QColor(0, 0, 0, 110));
    }
    QLinearGradient gold(centre - QPointF(0, 24), centre + QPointF(0, 24));
    gold.setColorAt(0, QColor(0xff, 0xf6, 0x9a));
    gold.setColorAt(0.45, QColor(0xff, 0xd8, 0x2c));
    gold.setColorAt(1, QColor(0xe6, 0x96, 0x00));
    drawHand(painter, hand, transform, gold, QColor(0x5a, 0x2e, 0x00), 1.5);
}

enum class StartLook { Hand, Plain, Pressed };

QImage startButton(StartLook look, int scale) {
    QImage image = blankImage(300, 70, scale);
    QPainter painter;
    beginPainting(painter, image);
    BevelStyle style;
    style.outline = QColor(0x14, 0x00, 0x18);
    style.radius = 12;
    if (look == StartLook::Pressed) {
        style.face = QColor(0x4c, 0x12, 0x56);
        style.relief = Relief::Flat;
    } else {
        style.face = QColor(0x5a, 0x1a, 0x66);
        style.light = QColor(0xb8, 0x7c, 0xc8);
        style.dark = QColor(0x1c, 0x02, 0x24);
        style.bevel = 5;
    }
    drawBevelPanel(painter, QRectF(0, 0, 300, 70), style);
    if (look == StartLook::Hand) {
        drawStartHand(painter, QPointF(68, 35), true);
    } else if (look == StartLook::Pressed) {
        drawStartHand(painter, QPointF(70, 37), false);
    }
    painter.end();
    return image;
}

// A small four-pointed sparkle.
void drawSparkle(QPainter& painter, QPointF at, double size, int alpha) {
    QPainterPath sparkle;
    sparkle.moveTo(at + QPointF(0, -size));
    sparkle.quadTo(at, at + QPointF(size, 0));
    sparkle.quadTo(at, at + QPointF(0, size));
    sparkle.quadTo(at, at + QPointF(-size, 0));
    sparkle.quadTo(at, at + QPointF(0, -size));
    painter.fillPath(sparkle, QColor(0xff, 0xfa, 0xc8, alpha));
}

QImage star(int scale) {
    QImage image = blankImage(172, 45, scale);
    image.fill(Qt::black);
    QPainter painter;
    beginPainting(painter, image);

    const QPointF centre(148, 24);
    const QPointF tail(4, 9);

    // The trail: a wide faint band and a bright core, both fading out towards the tail.
    auto band = [&](double halfWidth) {
        QPainterPath path;
        path.moveTo(tail);
        path.quadTo(QPointF(80, 14 - halfWidth * 0.4), centre + QPointF(-6, -halfWidth));
        path.lineTo(centre + QPointF(-6, halfWidth));
        path.quadTo(QPointF(80, 14 + halfWidth * 0.9), tail);
        path.closeSubpath();
        return path;
    };
    QLinearGradient fade(tail, centre);
    fade.setColorAt(0, QColor(0xff, 0xc0, 0x20, 0));
    fade.setColorAt(0.6, QColor(0xff, 0xc8, 0x20, 70));
    fade.setColorAt(1, QColor(0xff, 0xd8, 0x30, 170));
    painter.fillPath(band(12), fade);
    QLinearGradient core(tail, centre);
    core.setColorAt(0, QColor(0xff, 0xf0, 0x80, 0));
    core.setColorAt(0.7, QColor(0xff, 0xf0, 0x80, 120));
    core.setColorAt(1, QColor(0xff, 0xfa, 0xc0, 230));
    painter.fillPath(band(4.5), core);
    for (const auto& [at, size, alpha] :
         {std::tuple{QPointF(30, 13), 2.0, 110}, std::tuple{QPointF(62, 21), 2.6, 150},
          std::tuple{QPointF(90, 12), 2.2, 170}, std::tuple{QPointF(112, 30), 2.8, 200},
          std::tuple{QPointF(48, 9), 1.5, 90}}) {
        drawSparkle(painter, at, size * 1.5, std::min(255, alpha + 40));
    }

    // Glow, then the star itself.
    QRadialGradient glow(centre, 24);
    glow.setColorAt(0, QColor(0xff, 0xf0, 0x80, 170));
    glow.setColorAt(1, QColor(0xff, 0xf0, 0x80, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, 24, 24);
    const QPainterPath shape = fivePointStar(centre, 18, 7.6, 14);
    QRadialGradient fill(centre - QPointF(2, 3), 18);
    fill.setColorAt(0, QColor(0xff, 0xff, 0xe8));
    fill.setColorAt(0.35, QColor(0xff, 0xea, 0x3a));
    fill.setColorAt(1, QColor(0xf2, 0xa6, 0x00));
    painter.fillPath(shape, fill);
    QPen edge(QColor(0xb0, 0x6a, 0x00), 0.8);
    edge.setJoinStyle(Qt::RoundJoin);
    painter.strokePath(shape, edge);
    painter.end();
    return image;
}

}  // namespace

Pictures resultButtons(int scale) {
    return {{"button_normal", resultButton(false, scale)},
            {"button_pressed", resultButton(true, scale)}};
}

Pictures shootingStar(int scale) {
    return {{"star", star(scale)}};
}

Pictures startButtons(int scale) {
    return {{"start_hand", startButton(StartLook::Hand, scale)},
            {"start_plain", startButton(StartLook::Plain, scale)},
            {"start_pressed", startButton(StartLook::Pressed, scale)}};
}

}  // namespace koropika::art
