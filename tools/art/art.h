// Drawing of every picture the game shows: card faces, dice, card backs, buttons, the start
// button, the shooting star, the window icon, the two pointer cursors and the three settings
// backgrounds. Each family function draws its pictures at `scale` times their pixel sizes (1 for
// the sizes the layout names, 2 for screens with twice the pixel density), keyed by the file name
// the program loads (images/<key>.png; images/<key>@2x.png for scale 2). A picture drawn at a scale
// has that device pixel ratio, so its size in points stays the same.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <vector>

namespace koropika::art {

struct Picture {
    QString key;
    QImage image;
};
using Pictures = std::vector<Picture>;

// The pixel of each cursor picture that is the pointer's hot spot: the tip of the index finger.
inline constexpr QPoint kCursorAHotspot{12, 1};
inline constexpr QPoint kCursorBHotspot{12, 1};

Pictures cardFaces(int scale);            // face_<suit>_<rank>, 55 x 72
Pictures diceFaces(int scale);            // dice_<n>, 55 x 55
Pictures cardBacks(int scale);            // back_0 .. back_4
Pictures resultButtons(int scale);        // button_normal, button_pressed, 192 x 34
Pictures shootingStar(int scale);         // star, 172 x 45
Pictures startButtons(int scale);         // start_hand, start_plain, start_pressed, 300 x 70
Pictures iconAndCursors(int scale);       // icon, cursor_a, cursor_b, 32 x 32
Pictures settingsBackgrounds(int scale);  // settings_bg_1 .. settings_bg_3, 300 x 230

// Every picture of the program, in a fixed order, drawn at `scale` times its pixel size.
Pictures allPictures(int scale = 1);

// The window icon drawn `size` pixels square (a multiple of 32) for the desktop's icon theme.
QImage iconAtSize(int size);

}  // namespace koropika::art
