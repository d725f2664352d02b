// The window icon (a fan of four aces) and the two pointing-hand cursors, all 32 x 32.
#include <QLinearGradient>
#include <QTransform>
#include <algorithm>

#include "art.h"
#include "paint.h"

namespace koropika::art {

namespace {

QImage icon(int scale) {
    QImage image = blankImage(32, 32, scale);
    QPainter painter;
    beginPainting(painter, image);
    const QPointF pivot(16, 29.5);
    const Suit suits[] = {Suit::Spades, Suit::Hearts, Suit::Clubs, Suit::Diamonds};
    const QRectF card(-6, -23.5, 12, 17);
    for (int i = 0; i < 4; ++i) {
        painter.save();
        painter.translate(pivot);
        painter.rotate(-33 + 22 * i);
        const QPainterPath body = roundedRect(card, 1.8);
        painter.fillPath(body.translated(0.6, 0.6), QColor(0, 0, 0, 90));
        QLinearGradient paper(card.topLeft(), card.bottomRight());
        paper.setColorAt(0, Qt::white);
        paper.setColorAt(1, QColor(0xe8, 0xe6, 0xe0));
        painter.fillPath(body, paper);
        painter.strokePath(body, QPen(QColor(0x50, 0x50, 0x58), 0.7));
        // Each card shows its suit where the next card leaves it uncovered; the front card also
        // shows the large centre pip of an ace.
        if (i < 3) {
            fillSuit(painter, suits[i], QPointF(-2.2, -17.5), 6);
        } else {
            fillSuit(painter, suits[i], QPointF(0, -15), 8.5);
        }
        painter.restore();
    }
    painter.end();
    return image;
}

QImage cursor(bool withCuff, int scale) {
    QImage image = blankImage(32, 32, scale);
    QPainter painter;
    beginPainting(painter, image);
    drawHand(painter, pointingHand(withCuff), QTransform(), Qt::white, Qt::black, 1.0);
    painter.end();
    return image;
}

}  // namespace

Pictures iconAndCursors(int scale) {
    return {{"icon", icon(scale)},
            {"cursor_a", cursor(false, scale)},
            {"cursor_b", cursor(true, scale)}};
}

QImage iconAtSize(int size) {
    QImage image = icon(std::max(1, size / 32));
    // Hand the desktop plain pixels: the icon theme knows nothing of device pixel ratios.
    image.setDevicePixelRatio(1);
    return image;
}

}  // namespace koropika::art
