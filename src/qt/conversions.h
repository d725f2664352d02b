// Conversions of plain values (colours, fonts, rectangles, text) between the element model and Qt.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <optional>
#include <string>

#include "shared/language.h"
#include "ui/elements/values.h"

// Plain value conversions between the element model and Qt.
namespace koropika {

inline QString toQString(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string fromQString(const QString& text) {
    return text.toStdString();
}
inline QRect toQRect(const Rect& r) {
    return {r.left, r.top, r.width, r.height};
}

// The desktop's system colours come from the application palette (white highlight text and
// black menu text in the standard scheme); plain colours are taken as they are.
QColor toQColor(const Colour& colour);

// The layout names Windows font faces; each maps to an installed Japanese face of the same
// character (proportional Gothic, proportional Mincho, heavy Gothic). English text is drawn in
// the Latin face of the same character (Liberation Sans, Liberation Serif, Liberation Sans bold)
// with the Japanese face behind it for the characters it lacks, such as a Japanese name. Sizes
// are in points at 96 dpi, turned into pixels so the layout looks the same whatever the
// screen's resolution.
QFont toQFont(const Font& font, Language language);

// The desktop's standard font with the layout's Gothic face behind it, for the Japanese texts of
// the widgets the desktop draws itself (menu bars, message boxes): they look like the windows'
// own texts, and no second Gothic font file is opened only for a few menu captions.
QFont withLayoutGothic(const QFont& standard);

// Asks fontconfig now, on any thread, which installed family stands for `standardFamily`, so that
// withLayoutGothic of a standard font of that family finds the answer waiting.
void prepareLayoutGothic(const QString& standardFamily);

// Bold text in a face whose bold is only made by thickening thin strokes (the Japanese Mincho
// face has no bold style installed): so little shows at label sizes that the text is drawn a
// second time, one pixel to the right. The Latin faces have bold styles of their own.
bool needsOverstrikeBold(const Font& font, Language language);

// nullopt for buttons the element model has no use for (back, forward, ...).
std::optional<MouseButton> fromQt(Qt::MouseButton button);

}  // namespace koropika
