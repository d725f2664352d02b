// The program's pictures and cursors, read from its images folder.
#pragma once

#include <QCursor>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <string>
#include <unordered_map>

#include "ui/elements/values.h"

namespace koropika {

// Hotspots of the program's two hand cursors (32 × 32 pictures): the tip of the pointing finger.
inline constexpr QPoint kCursorAHotspot{12, 1};
inline constexpr QPoint kCursorBHotspot{12, 1};

// The program's pictures, read once from `<programFolder>/images/<key>.png` and kept. A missing
// or unreadable file gives a null pixmap, which draws nothing.
//
// On a screen with more than one pixel per point the picture drawn at twice the size
// (`<key>@2x.png`) is read instead where it exists, with a device pixel ratio of 2: it takes the
// same room in points and is drawn sharp. Cursors follow the same rule.
class PictureStore {
  public:
    explicit PictureStore(QString programFolder);
    PictureStore(const PictureStore&) = delete;
    PictureStore& operator=(const PictureStore&) = delete;

    const QPixmap& picture(const std::string& key);
    // The arrow for Pointer::Normal, otherwise the hand picture with its hotspot (the system's
    // pointing hand when the picture is missing).
    const QCursor& cursor(Pointer pointer);

  private:
    QCursor makeCursor(Pointer pointer);

    QString imagesFolder_;
    std::unordered_map<std::string, QPixmap> cache_;
    // Made once: the pointer is set again on every mouse move.
    std::unordered_map<Pointer, QCursor> cursors_;
};

}  // namespace koropika
