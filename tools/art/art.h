// Drawing of every picture the game shows: card faces, dice, card backs, buttons, the start
// button, the shooting star, the window icon, the two pointer cursors and the three settings
// backgrounds. Each family function returns its pictures at their exact pixel sizes, keyed by the
// file name the program loads (images/<key>.png).
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

Pictures cardFaces();            // face_<suit>_<rank>, 55 x 72
Pictures diceFaces();            // dice_<n>, 55 x 55
Pictures cardBacks();            // back_0 .. back_4
Pictures resultButtons();        // button_normal, button_pressed, 192 x 34
Pictures shootingStar();         // star, 172 x 45
Pictures startButtons();         // start_hand, start_plain, start_pressed, 300 x 70
Pictures iconAndCursors();       // icon, cursor_a, cursor_b, 32 x 32
Pictures settingsBackgrounds();  // settings_bg_1 .. settings_bg_3, 300 x 230

// Every picture of the program, in a fixed order.
Pictures allPictures();

}  // namespace koropika::art
