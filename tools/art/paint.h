// Shared drawing helpers: suit shapes, rounded and bevelled panels, the pointing hand, fitted
// text and colour arithmetic. All paths are built in the picture's points, which are its pixels
// at scale 1, so that curve flattening in path operations stays finer than a pixel there; at
// scale 2 the painter doubles every coordinate.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace koropika::art {

enum class Suit { Spades = 1, Clubs = 2, Hearts = 3, Diamonds = 4 };

inline bool isRed(Suit suit) {
    return suit == Suit::Hearts || suit == Suit::Diamonds;
}

// Ink colours of the two suit colours.
QColor suitInk(Suit suit);

// Width of a suit shape divided by its height.
double suitAspect(Suit suit);

// The outline of a suit shape of the given height, centred on `centre`, upright.
QPainterPath suitPath(Suit suit, QPointF centre, double height);

// Fills a suit shape with its ink and a faint highlight towards the top.
void fillSuit(QPainter& painter, Suit suit, QPointF centre, double height);

// A transparent picture of the given size in points, `scale` pixels per point, ready for
// antialiased painting: a painter on it draws in points, so one drawing serves every scale.
QImage blankImage(int width, int height, int scale);

// Starts antialiased painting on `image`.
void beginPainting(QPainter& painter, QImage& image);

QPainterPath roundedRect(const QRectF& rect, double radius);

QColor mix(const QColor& a, const QColor& b, double t);
QColor withAlpha(QColor colour, int alpha);

enum class Relief { Raised, Flat };

struct BevelStyle {
    QColor face;     // main colour of the panel's face
    QColor light;    // lit (top left) edge of a raised bevel
    QColor dark;     // shaded (bottom right) edge of a raised bevel
    QColor outline;  // thin line around the whole panel
    double radius = 6;
    double bevel = 4;  // width of the raised rim
    Relief relief = Relief::Raised;
    bool gloss = true;  // soft light on the upper half of a raised face
};

// A rounded panel filling `rect`: raised with a lit rim, or flat.
void drawBevelPanel(QPainter& painter, const QRectF& rect, const BevelStyle& style);

// The pointing hand used by the cursors and the start button, drawn upright in a 32 x 32 box with
// the tip of the index finger at the top (pixel 12, 1).
struct HandShape {
    QPainterPath outline;  // the hand, as one closed shape
    QPainterPath creases;  // finger and thumb lines to stroke inside the outline
    QPainterPath cuff;     // the sleeve cuff at the wrist (empty unless asked for)
};
HandShape pointingHand(bool withCuff);

// Draws the hand through `transform` (from the 32 x 32 box) with the given fill and line colours.
void drawHand(QPainter& painter, const HandShape& hand, const QTransform& transform,
              const QBrush& fill, const QColor& line, double lineWidth);

// Text as a filled shape, scaled to fit `box` (centred; never wider than the box, height exactly
// the box's height measured on the capital letters and digits).
QPainterPath fittedText(const QString& text, const QRectF& box, bool bold);

// A five-pointed star centred on `centre`, first point straight up before `rotationDegrees`.
QPainterPath fivePointStar(QPointF centre, double outerRadius, double innerRadius,
                           double rotationDegrees);

}  // namespace koropika::art
