// Card faces, 55 x 72: white cards with rounded corners, rank and suit in two corners, pips in
// the classic arrangement, one large pip for an ace, and a double-headed figure for the court
// cards (jack, queen, king).
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "art.h"
#include "paint.h"

namespace koropika::art {

namespace {

constexpr int kWidth = 55;
constexpr int kHeight = 72;
const QPointF kCentre(kWidth / 2.0, kHeight / 2.0);

const QColor kOutline(0x22, 0x22, 0x2a);
const QColor kGold(0xf0, 0xbc, 0x2c);
const QColor kGoldDark(0xa8, 0x74, 0x10);
const QColor kSkin(0xfa, 0xdc, 0xc0);
const QColor kRobeRed(0xcc, 0x1e, 0x2c);
const QColor kRobeBlue(0x24, 0x46, 0xa8);

QString rankLabel(int rank) {
    switch (rank) {
        case 1:
            return "A";
        case 11:
            return "J";
        case 12:
            return "Q";
        case 13:
            return "K";
        default:
            return QString::number(rank);
    }
}

void drawCardBody(QPainter& painter) {
    const QRectF card(0.5, 0.5, kWidth - 1, kHeight - 1);
    QLinearGradient paper(card.topLeft(), card.bottomRight());
    paper.setColorAt(0, QColor(0xff, 0xff, 0xff));
    paper.setColorAt(1, QColor(0xf1, 0xef, 0xe8));
    const QPainterPath body = roundedRect(card, 4.5);
    painter.fillPath(body, paper);
    painter.strokePath(body, QPen(QColor(0x8a, 0x8a, 0x90), 1.0));
}

// Rank and a small suit in the top left corner, and the same turned round in the bottom right.
void drawIndices(QPainter& painter, Suit suit, int rank) {
    const QPainterPath label = fittedText(rankLabel(rank), QRectF(1.2, 3.5, 8.6, 8), true);
    for (int corner = 0; corner < 2; ++corner) {
        painter.save();
        if (corner == 1) {
            painter.translate(kWidth, kHeight);
            painter.rotate(180);
        }
        painter.fillPath(label, suitInk(suit));
        fillSuit(painter, suit, QPointF(5.5, 16.5), 6);
        painter.restore();
    }
}

// Pip centres of a number card as (column, row) fractions of the pip field: columns 0, 0.5, 1
// from left to right, rows 0 to 1 from top to bottom.
std::vector<QPointF> pipLayout(int rank) {
    constexpr double kThird = 1.0 / 3.0;
    const std::vector<QPointF> sides6 = {{0, 0}, {1, 0}, {0, 0.5}, {1, 0.5}, {0, 1}, {1, 1}};
    const std::vector<QPointF> sides8 = {{0, 0},          {1, 0},          {0, kThird}, {1, kThird},
                                         {0, 2 * kThird}, {1, 2 * kThird}, {0, 1},      {1, 1}};
    std::vector<QPointF> pips;
    switch (rank) {
        case 2:
            return {{0.5, 0}, {0.5, 1}};
        case 3:
            return {{0.5, 0}, {0.5, 0.5}, {0.5, 1}};
        case 4:
            return {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
        case 5:
            return {{0, 0}, {1, 0}, {0.5, 0.5}, {0, 1}, {1, 1}};
        case 6:
            return sides6;
        case 7:
            pips = sides6;
            pips.push_back({0.5, 0.25});
            return pips;
        case 8:
            pips = sides6;
            pips.push_back({0.5, 0.25});
            pips.push_back({0.5, 0.75});
            return pips;
        case 9:
            pips = sides8;
            pips.push_back({0.5, 0.5});
            return pips;
        case 10:
            pips = sides8;
            pips.push_back({0.5, 1.0 / 6.0});
            pips.push_back({0.5, 5.0 / 6.0});
            return pips;
        default:
            return {};
    }
}

void drawNumberPips(QPainter& painter, Suit suit, int rank) {
    const QRectF field(18, 12.5, 19, 47);  // pip centres range over this rectangle
    constexpr double kPipHeight = 9.2;
    for (const QPointF& at : pipLayout(rank)) {
        const QPointF centre(field.left() + at.x() * field.width(),
                             field.top() + at.y() * field.height());
        painter.save();
        painter.translate(centre);
        if (at.y() > 0.5) {
            painter.rotate(180);  // pips of the lower half stand on their heads
        }
        fillSuit(painter, suit, QPointF(0, 0), kPipHeight);
        painter.restore();
    }
}

void drawAce(QPainter& painter, Suit suit) {
    if (suit == Suit::Spades) {
        // The ace of spades carries a larger pip inside a thin ornamental ring.
        const QPainterPath pip = suitPath(suit, kCentre, 30);
        QRadialGradient halo(kCentre, 21);
        halo.setColorAt(0.75, QColor(0xe8, 0xd8, 0xa8, 0));
        halo.setColorAt(0.9, QColor(0xe8, 0xd8, 0xa8, 150));
        halo.setColorAt(1, QColor(0xe8, 0xd8, 0xa8, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(halo);
        painter.drawEllipse(kCentre, 21, 21);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(kGoldDark, 0.7));
        painter.drawEllipse(kCentre, 19.5, 19.5);
        fillSuit(painter, suit, kCentre, 30);
        painter.strokePath(pip, QPen(QColor(0, 0, 0, 90), 0.5));
        return;
    }
    fillSuit(painter, suit, kCentre, 24);
}

// Colours of one court figure: the robe, the panel down its front and the hair.
struct CourtPalette {
    QColor robe;
    QColor front;
    QColor hair;
};

CourtPalette courtPalette(Suit suit, int rank) {
    const QColor main = isRed(suit) ? kRobeRed : kRobeBlue;
    const QColor other = isRed(suit) ? kRobeBlue : kRobeRed;
    switch (rank) {
        case 11:
            return {other, main, QColor(0xe0, 0x9a, 0x1c)};
        case 12:
            return {main, other, QColor(0xf2, 0xc2, 0x3a)};
        default:
            return {main, other, QColor(0xe6, 0xe6, 0xec)};
    }
}

QPainterPath crownPath(bool queen) {
    QPainterPath crown;
    if (queen) {
        // A low tiara: three rounded arches on a band.
        crown.moveTo(-4.8, -19.8);
        crown.lineTo(-4.8, -21.6);
        crown.quadTo(-3.6, -24.2, -2.2, -22.2);
        crown.quadTo(0, -25.6, 2.2, -22.2);
        crown.quadTo(3.6, -24.2, 4.8, -21.6);
        crown.lineTo(4.8, -19.8);
        crown.closeSubpath();
    } else {
        // Three tall points on a band.
        crown.moveTo(-5.4, -19.6);
        crown.lineTo(-5.8, -25.4);
        crown.lineTo(-2.8, -22.6);
        crown.lineTo(0, -26.4);
        crown.lineTo(2.8, -22.6);
        crown.lineTo(5.8, -25.4);
        crown.lineTo(5.4, -19.6);
        crown.closeSubpath();
    }
    return crown;
}

// The upper half of a court card's figure, in coordinates centred on the card with y = 0 on the
// dividing line and the frame reaching up to y = -27.5.
void drawCourtHalf(QPainter& painter, Suit suit, int rank) {
    const CourtPalette colours = courtPalette(suit, rank);
    const QPen line(kOutline, 0.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const bool king = rank == 13;
    const bool queen = rank == 12;
    const bool jack = rank == 11;

    // Something held at the right: a sceptre for the king, a flower for the queen, a staff for
    // the jack. Drawn first so the shoulders cover its lower end.
    if (king) {
        painter.setPen(QPen(kGoldDark, 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(11, -2), QPointF(11, -19));
        painter.setPen(line);
        painter.setBrush(kGold);
        painter.drawEllipse(QPointF(11, -20.5), 2, 2);
    } else if (jack) {
        painter.setPen(QPen(QColor(0x7a, 0x4a, 0x1c), 1.2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(11.5, -2), QPointF(11.5, -24));
        QPainterPath blade;
        blade.moveTo(11.5, -26.5);
        blade.lineTo(13.2, -23);
        blade.lineTo(11.5, -21.8);
        blade.lineTo(9.8, -23);
        blade.closeSubpath();
        painter.fillPath(blade, QColor(0xc8, 0xcc, 0xd8));
        painter.strokePath(blade, line);
    } else {
        painter.setPen(QPen(QColor(0x2e, 0x8a, 0x2e), 1.0, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(10.5, -6), QPointF(11, -16));
        painter.setPen(QPen(kOutline, 0.4));
        painter.setBrush(QColor(0xf0, 0x50, 0x70));
        for (int i = 0; i < 5; ++i) {
            const double a = i * 72.0 * 3.14159265 / 180.0;
            painter.drawEllipse(QPointF(11 + 1.6 * std::sin(a), -17.5 - 1.6 * std::cos(a)), 1.2,
                                1.2);
        }
        painter.setBrush(kGold);
        painter.drawEllipse(QPointF(11, -17.5), 0.9, 0.9);
    }

    // Long hair of the queen falls behind the shoulders.
    if (queen) {
        QPainterPath hair;
        hair.moveTo(-5.8, -8.5);
        hair.cubicTo(-7.2, -14, -6.4, -21.5, 0, -21.5);
        hair.cubicTo(6.4, -21.5, 7.2, -14, 5.8, -8.5);
        hair.closeSubpath();
        painter.fillPath(hair, colours.hair);
        painter.strokePath(hair, line);
    }

    // Shoulders and robe.
    QPainterPath robe;
    robe.moveTo(-14.5, 0);
    robe.lineTo(-14.5, -5);
    robe.cubicTo(-14.5, -8.6, -11, -10, -6, -10.2);
    robe.lineTo(6, -10.2);
    robe.cubicTo(11, -10, 14.5, -8.6, 14.5, -5);
    robe.lineTo(14.5, 0);
    robe.closeSubpath();
    QLinearGradient robeShade(0, -10, 0, 0);
    robeShade.setColorAt(0, colours.robe.lighter(125));
    robeShade.setColorAt(0.5, colours.robe);
    robeShade.setColorAt(1, colours.robe.darker(115));
    painter.fillPath(robe, robeShade);
    QPainterPath front;
    front.moveTo(-4.5, -10);
    front.lineTo(4.5, -10);
    front.lineTo(3, 0);
    front.lineTo(-3, 0);
    front.closeSubpath();
    painter.fillPath(front, colours.front);
    painter.setPen(QPen(kGold, 1.1));
    painter.drawLine(QPointF(-4.5, -10), QPointF(-3, 0));
    painter.drawLine(QPointF(4.5, -10), QPointF(3, 0));
    // Gold hem patterns across the shoulders.
    painter.setPen(QPen(kGold, 0.8));
    painter.drawLine(QPointF(-13.4, -3.6), QPointF(-6.5, -3.6));
    painter.drawLine(QPointF(6.5, -3.6), QPointF(13.4, -3.6));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGold);
    for (double x : {-11.5, -8.6, 8.6, 11.5}) {
        painter.drawEllipse(QPointF(x, -6.2), 0.8, 0.8);
    }
    painter.strokePath(robe, line);
    if (king) {
        // Ermine collar.
        QPainterPath collar;
        collar.moveTo(-8, -9.6);
        collar.quadTo(0, -11.8, 8, -9.6);
        collar.quadTo(0, -6.4, -8, -9.6);
        collar.closeSubpath();
        painter.fillPath(collar, QColor(0xfc, 0xfc, 0xf6));
        painter.strokePath(collar, line);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kOutline);
        for (double x : {-5.0, -2.0, 2.0, 5.0}) {
            painter.drawEllipse(QPointF(x, -8.9 + std::abs(x) * -0.08), 0.45, 0.45);
        }
    }
    if (queen) {
        painter.setBrush(QColor(0xff, 0xf6, 0xe0));
        for (int i = -2; i <= 2; ++i) {
            painter.drawEllipse(QPointF(i * 1.5, -8.6 + 0.25 * i * i), 0.6, 0.6);
        }
    }

    // Short hair behind the face of the king and the jack.
    if (!queen) {
        QPainterPath hair;
        hair.moveTo(-5.4, jack ? -11.8 : -13.5);
        hair.cubicTo(-6.4, -16.5, -5.2, -20.8, 0, -20.8);
        hair.cubicTo(5.2, -20.8, 6.4, -16.5, 5.4, jack ? -11.8 : -13.5);
        hair.closeSubpath();
        painter.fillPath(hair, colours.hair);
        painter.strokePath(hair, line);
    }

    // Neck and face.
    painter.setPen(line);
    painter.setBrush(kSkin.darker(106));
    painter.drawRect(QRectF(-1.8, -11.5, 3.6, 2));
    QRadialGradient skin(QPointF(-1, -16), 6);
    skin.setColorAt(0, kSkin.lighter(104));
    skin.setColorAt(1, kSkin.darker(108));
    painter.setBrush(skin);
    painter.drawEllipse(QPointF(0, -15), 4.3, 5.2);

    // Eyes, brows and mouth.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kOutline);
    painter.drawEllipse(QPointF(-1.6, -15.6), 0.55, 0.55);
    painter.drawEllipse(QPointF(1.6, -15.6), 0.55, 0.55);
    painter.setPen(QPen(kOutline, 0.4));
    painter.drawLine(QPointF(-2.4, -16.9), QPointF(-0.9, -16.9));
    painter.drawLine(QPointF(0.9, -16.9), QPointF(2.4, -16.9));
    painter.setPen(QPen(QColor(0xc0, 0x30, 0x40), 0.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(-0.8, -12.6), QPointF(0.8, -12.6));

    if (king) {
        // Beard and moustache.
        QPainterPath beard;
        beard.moveTo(-4.1, -14);
        beard.cubicTo(-3.8, -11, -1.5, -9.2, 0, -8.4);
        beard.cubicTo(1.5, -9.2, 3.8, -11, 4.1, -14);
        beard.cubicTo(2.5, -12.2, 1.2, -13.8, 0, -13.4);
        beard.cubicTo(-1.2, -13.8, -2.5, -12.2, -4.1, -14);
        beard.closeSubpath();
        painter.fillPath(beard, colours.hair);
        painter.strokePath(beard, line);
    }

    if (jack) {
        // A beret with a gold band and a feather sweeping up to the left.
        QPainterPath feather;
        feather.moveTo(-3.5, -21.5);
        feather.cubicTo(-6.5, -23.5, -9, -25.5, -10.5, -26.8);
        feather.cubicTo(-9.5, -24, -7, -21.5, -4.5, -20.2);
        feather.closeSubpath();
        painter.fillPath(feather, colours.robe.lighter(120));
        painter.strokePath(feather, line);
        QPainterPath cap;
        cap.moveTo(-5.6, -19.4);
        cap.cubicTo(-6.4, -24.5, 5.5, -26.2, 6.6, -20.8);
        cap.lineTo(5.6, -19.4);
        cap.closeSubpath();
        painter.fillPath(cap, colours.front);
        painter.strokePath(cap, line);
        painter.setPen(QPen(kGold, 1.2));
        painter.drawLine(QPointF(-5.2, -19.9), QPointF(5.4, -19.9));
    } else {
        const QPainterPath crown = crownPath(queen);
        QLinearGradient gold(0, -26, 0, -19.6);
        gold.setColorAt(0, kGold.lighter(125));
        gold.setColorAt(1, kGold.darker(110));
        painter.fillPath(crown, gold);
        painter.strokePath(crown, QPen(kGoldDark, 0.6));
        painter.setPen(Qt::NoPen);
        painter.setBrush(colours.front);
        painter.drawEllipse(QPointF(0, queen ? -21.4 : -21.2), 0.9, 0.9);
        if (!queen) {
            painter.setBrush(kGold.lighter(120));
            for (double x : {-5.8, 0.0, 5.8}) {
                painter.drawEllipse(QPointF(x, x == 0.0 ? -26.6 : -25.6), 0.8, 0.8);
            }
        }
    }

    // The suit, small, in the frame's upper corner away from the held item.
    if (!jack) {
        fillSuit(painter, suit, QPointF(-12.2, -23.2), 5.4);
    } else {
        fillSuit(painter, suit, QPointF(-12.6, -15), 5.4);
    }
}

void drawCourt(QPainter& painter, Suit suit, int rank) {
    const QRectF frame(11.5, 8.5, 32, 55);
    QLinearGradient background(frame.topLeft(), frame.bottomRight());
    background.setColorAt(0, QColor(0xff, 0xfb, 0xee));
    background.setColorAt(1, QColor(0xf6, 0xee, 0xd8));
    painter.fillRect(frame, background);

    for (int half = 0; half < 2; ++half) {
        painter.save();
        painter.translate(kCentre);
        if (half == 1) {
            painter.rotate(180);
        }
        painter.setClipRect(QRectF(-16, -27.5, 32, 27.5));
        drawCourtHalf(painter, suit, rank);
        painter.restore();
    }

    const QColor ink = suitInk(suit);
    painter.setPen(QPen(ink, 0.6));
    painter.drawLine(QPointF(frame.left(), kCentre.y()), QPointF(frame.right(), kCentre.y()));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink, 0.8));
    painter.drawRect(frame);
}

QImage cardFace(Suit suit, int rank, int scale) {
    QImage image = blankImage(kWidth, kHeight, scale);
    QPainter painter;
    beginPainting(painter, image);
    drawCardBody(painter);
    if (rank == 1) {
        drawAce(painter, suit);
    } else if (rank <= 10) {
        drawNumberPips(painter, suit, rank);
    } else {
        drawCourt(painter, suit, rank);
    }
    drawIndices(painter, suit, rank);
    painter.end();
    return image;
}

}  // namespace

Pictures cardFaces(int scale) {
    Pictures pictures;
    for (int suit = 1; suit <= 4; ++suit) {
        for (int rank = 1; rank <= 13; ++rank) {
            pictures.push_back({QString("face_%1_%2").arg(suit).arg(rank),
                                cardFace(static_cast<Suit>(suit), rank, scale)});
        }
    }
    return pictures;
}

}  // namespace koropika::art
