#include "paint.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPathStroker>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace koropika::art {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// The left half of a heart from its bottom point to the cleft, in a unit box, as cubic segments
// (three control points each after the start point).
constexpr double kHeartHalf[][6] = {
    {-0.12, 0.34, -0.5, 0.12, -0.5, -0.17},
    {-0.5, -0.38, -0.36, -0.5, -0.245, -0.5},
    {-0.12, -0.5, -0.03, -0.42, 0.0, -0.3},
};
// The right half, mirrored, from the cleft back down to the point.
constexpr double kHeartRightHalf[][6] = {
    {0.03, -0.42, 0.12, -0.5, 0.245, -0.5},
    {0.36, -0.5, 0.5, -0.38, 0.5, -0.17},
    {0.5, 0.12, 0.12, 0.34, 0.0, 0.5},
};

QPainterPath unitHeart() {
    QPainterPath path;
    path.moveTo(0, 0.5);
    for (const auto& c : kHeartHalf) {
        path.cubicTo(c[0], c[1], c[2], c[3], c[4], c[5]);
    }
    for (const auto& c : kHeartRightHalf) {
        path.cubicTo(c[0], c[1], c[2], c[3], c[4], c[5]);
    }
    path.closeSubpath();
    return path;
}

// A flared stem from just inside the leaves down to the base.
// The neck is kept a little over a pixel wide even on the smallest pips.
QPainterPath unitStem(double topY) {
    constexpr double kTopHalfWidth = 0.09;
    constexpr double kNeckHalfWidth = 0.075;
    QPainterPath stem;
    stem.moveTo(-kTopHalfWidth, topY);
    stem.quadTo(QPointF(-kNeckHalfWidth, 0.4), QPointF(-0.21, 0.5));
    stem.lineTo(0.21, 0.5);
    stem.quadTo(QPointF(kNeckHalfWidth, 0.4), QPointF(kTopHalfWidth, topY));
    stem.closeSubpath();
    return stem;
}

// A spade: an upside-down heart squeezed into the upper three quarters, and a stem. Returned as
// separate parts; suitPath() joins them once they are at their final size.
std::vector<QPainterPath> unitSpade() {
    constexpr double kSquash = 0.74;
    constexpr double kShift = -0.13;
    auto flip = [](double x, double y) { return QPointF(x, -y * kSquash + kShift); };
    QPainterPath body;
    body.moveTo(flip(0, 0.5));
    for (const auto& c : kHeartHalf) {
        body.cubicTo(flip(c[0], c[1]), flip(c[2], c[3]), flip(c[4], c[5]));
    }
    for (const auto& c : kHeartRightHalf) {
        body.cubicTo(flip(c[0], c[1]), flip(c[2], c[3]), flip(c[4], c[5]));
    }
    body.closeSubpath();
    return {body, unitStem(0.04)};
}

// A club: three round leaves, a filler between them and a stem.
std::vector<QPainterPath> unitClub() {
    constexpr double kRadius = 0.235;
    std::vector<QPainterPath> parts;
    for (const QPointF& centre :
         {QPointF(0, -0.255), QPointF(-0.255, 0.085), QPointF(0.255, 0.085)}) {
        QPainterPath leaf;
        leaf.addEllipse(centre, kRadius, kRadius);
        parts.push_back(leaf);
    }
    QPainterPath filler;
    filler.addEllipse(QPointF(0, 0.0), 0.13, 0.13);
    parts.push_back(filler);
    parts.push_back(unitStem(0.08));
    return parts;
}

QPainterPath unitDiamond() {
    const QPointF points[] = {{0, -0.5}, {0.41, 0}, {0, 0.5}, {-0.41, 0}};
    QPainterPath path;
    path.moveTo(points[0]);
    for (int i = 0; i < 4; ++i) {
        const QPointF a = points[i];
        const QPointF b = points[(i + 1) % 4];
        path.quadTo((a + b) / 2 * 0.84, b);  // slightly hollow sides
    }
    path.closeSubpath();
    return path;
}

std::vector<QPainterPath> unitSuit(Suit suit) {
    switch (suit) {
        case Suit::Spades:
            return unitSpade();
        case Suit::Clubs:
            return unitClub();
        case Suit::Hearts:
            return {unitHeart()};
        case Suit::Diamonds:
            return {unitDiamond()};
    }
    return {};
}

}  // namespace

QColor suitInk(Suit suit) {
    return isRed(suit) ? QColor(0xd4, 0x12, 0x22) : QColor(0x16, 0x16, 0x1c);
}

double suitAspect(Suit suit) {
    switch (suit) {
        case Suit::Spades:
            return 0.92;
        case Suit::Clubs:
            return 1.0;
        case Suit::Hearts:
            return 0.96;
        case Suit::Diamonds:
            return 1.0;  // the unit diamond is already narrower than it is tall
    }
    return 1.0;
}

QPainterPath suitPath(Suit suit, QPointF centre, double height) {
    QTransform transform;
    transform.translate(centre.x(), centre.y());
    transform.scale(height * suitAspect(suit), height);
    QPainterPath shape;
    for (const QPainterPath& part : unitSuit(suit)) {
        shape = shape.united(transform.map(part));
    }
    return shape;
}

void fillSuit(QPainter& painter, Suit suit, QPointF centre, double height) {
    const QColor ink = suitInk(suit);
    QLinearGradient shade(centre.x(), centre.y() - height / 2, centre.x(), centre.y() + height / 2);
    shade.setColorAt(0, mix(ink, Qt::white, isRed(suit) ? 0.18 : 0.22));
    shade.setColorAt(0.55, ink);
    shade.setColorAt(1, ink.darker(112));
    painter.fillPath(suitPath(suit, centre, height), shade);
}

QImage blankImage(int width, int height, int scale) {
    QImage image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    return image;
}

void beginPainting(QPainter& painter, QImage& image) {
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QPainterPath roundedRect(const QRectF& rect, double radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QColor mix(const QColor& a, const QColor& b, double t) {
    auto lerp = [t](double x, double y) { return x + (y - x) * t; };
    return QColor::fromRgbF(lerp(a.redF(), b.redF()), lerp(a.greenF(), b.greenF()),
                            lerp(a.blueF(), b.blueF()), lerp(a.alphaF(), b.alphaF()));
}

QColor withAlpha(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}

void drawBevelPanel(QPainter& painter, const QRectF& rect, const BevelStyle& style) {
    const QRectF outer = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath outerPath = roundedRect(outer, style.radius);
    if (style.relief == Relief::Raised) {
        // The rim: lit along the top and left edges, shaded along the bottom and right, split
        // on the diagonals of the corners like a raised tile.
        QLinearGradient shaded(outer.topLeft(), outer.bottomLeft());
        shaded.setColorAt(0, mix(style.dark, style.face, 0.5));
        shaded.setColorAt(1, style.dark);
        painter.fillPath(outerPath, shaded);
        const double d = std::min(outer.width(), outer.height()) / 2;
        QPainterPath litSide;
        litSide.moveTo(outer.topLeft());
        litSide.lineTo(outer.topRight());
        litSide.lineTo(outer.right() - d, outer.top() + d);
        litSide.lineTo(outer.left() + d, outer.bottom() - d);
        litSide.lineTo(outer.bottomLeft());
        litSide.closeSubpath();
        QLinearGradient lit(outer.topLeft(), outer.bottomLeft());
        lit.setColorAt(0, style.light);
        lit.setColorAt(1, mix(style.light, style.face, 0.6));
        painter.fillPath(outerPath.intersected(litSide), lit);

        const QRectF inner = outer.adjusted(style.bevel, style.bevel, -style.bevel, -style.bevel);
        const double innerRadius = std::max(1.0, style.radius - style.bevel * 0.6);
        const QPainterPath innerPath = roundedRect(inner, innerRadius);
        QLinearGradient face(inner.topLeft(), inner.bottomLeft());
        face.setColorAt(0, style.face.lighter(108));
        face.setColorAt(1, style.face.darker(108));
        painter.fillPath(innerPath, face);
        if (style.gloss) {
            QLinearGradient gloss(inner.topLeft(), QPointF(inner.left(), inner.center().y()));
            gloss.setColorAt(0, QColor(255, 255, 255, 110));
            gloss.setColorAt(1, QColor(255, 255, 255, 0));
            const QRectF upper(inner.left() + 1, inner.top() + 1, inner.width() - 2,
                               inner.height() / 2);
            painter.fillPath(roundedRect(upper, std::max(1.0, innerRadius - 1)), gloss);
        }
    } else {
        QLinearGradient face(outer.topLeft(), outer.bottomLeft());
        face.setColorAt(0, style.face.darker(104));
        face.setColorAt(1, style.face.lighter(103));
        painter.fillPath(outerPath, face);
    }
    painter.strokePath(outerPath, QPen(style.outline, 1.0));
}

HandShape pointingHand(bool withCuff) {
    auto rounded = [](double x, double y, double w, double h, double r) {
        QPainterPath path;
        path.addRoundedRect(QRectF(x, y, w, h), r, r);
        return path;
    };
    QPainterPath hand = rounded(9.5, 1.5, 5, 17, 2.5);  // index finger
    hand = hand.united(rounded(14.5, 9.5, 4, 10, 2));   // middle finger, folded
    hand = hand.united(rounded(18.5, 11, 4, 9, 2));     // ring finger
    hand = hand.united(rounded(22.5, 13, 4, 8, 2));     // little finger

    QPainterPath thumbLine;
    thumbLine.moveTo(5.5, 14.5);
    thumbLine.lineTo(10.5, 20.5);
    QPainterPathStroker thumb;
    thumb.setWidth(5);
    thumb.setCapStyle(Qt::RoundCap);
    hand = hand.united(thumb.createStroke(thumbLine));

    const double wristBottom = withCuff ? 28 : 30.5;
    hand = hand.united(rounded(7.5, 16.5, 19, 11, 4));  // palm
    QPainterPath wrist;
    wrist.moveTo(9.5, 22);
    wrist.lineTo(25.5, 22);
    wrist.lineTo(24.5, wristBottom);
    wrist.lineTo(10.5, wristBottom);
    wrist.closeSubpath();
    hand = hand.united(wrist);

    HandShape shape;
    shape.outline = hand.simplified();
    shape.creases.moveTo(14.5, 12);
    shape.creases.lineTo(14.5, 16.5);
    shape.creases.moveTo(18.5, 13.5);
    shape.creases.lineTo(18.5, 17);
    shape.creases.moveTo(22.5, 15.5);
    shape.creases.lineTo(22.5, 18);
    shape.creases.moveTo(9.5, 19.5);
    shape.creases.quadTo(11, 21.5, 13, 21.5);
    if (withCuff) {
        shape.cuff.addRoundedRect(QRectF(8.5, 24.5, 18, 6), 1, 1);
    }
    return shape;
}

void drawHand(QPainter& painter, const HandShape& hand, const QTransform& transform,
              const QBrush& fill, const QColor& line, double lineWidth) {
    QPen pen(line, lineWidth);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    const QPainterPath outline = transform.map(hand.outline);
    painter.fillPath(outline, fill);
    painter.strokePath(outline, pen);
    if (!hand.cuff.isEmpty()) {
        // The cuff covers the end of the wrist.
        const QPainterPath cuff = transform.map(hand.cuff);
        painter.fillPath(cuff, fill);
        painter.strokePath(cuff, pen);
    }
    QPen crease = pen;
    crease.setWidthF(lineWidth * 0.8);
    painter.strokePath(transform.map(hand.creases), crease);
}

QPainterPath fittedText(const QString& text, const QRectF& box, bool bold) {
    QFont font;
    font.setFamilies({"DejaVu Sans", "Noto Sans CJK JP", "IPAPGothic"});
    font.setPixelSize(100);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);

    QPainterPath reference;
    reference.addText(0, 0, font, "H0");
    const QRectF capitals = reference.boundingRect();
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF ink = path.boundingRect();

    const double scaleY = box.height() / capitals.height();
    const double scaleX = std::min(scaleY, box.width() / ink.width());
    QTransform transform;
    transform.translate(box.center().x(), box.top());
    transform.scale(scaleX, scaleY);
    transform.translate(-ink.center().x(), -capitals.top());
    return transform.map(path);
}

QPainterPath fivePointStar(QPointF centre, double outerRadius, double innerRadius,
                           double rotationDegrees) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? outerRadius : innerRadius;
        const double angle = (rotationDegrees - 90.0 + 36.0 * i) * kDegree;
        const QPointF point = centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
        if (i == 0) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
    }
    path.closeSubpath();
    return path;
}

}  // namespace koropika::art
