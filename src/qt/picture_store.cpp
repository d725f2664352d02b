#include "qt/picture_store.h"

#include <utility>

namespace koropika {

PictureStore::PictureStore(QString programFolder)
    : imagesFolder_(std::move(programFolder) + QStringLiteral("/images/")) {}

const QPixmap& PictureStore::picture(const std::string& key) {
    static const QPixmap none;
    if (key.empty()) {
        return none;
    }
    auto it = cache_.find(key);
    if (it == cache_.end()) {
        // A failed load is kept too, so a missing file is looked for only once.
        const QString path = imagesFolder_ + QString::fromStdString(key) + QStringLiteral(".png");
        it = cache_.emplace(key, QPixmap(path)).first;
    }
    return it->second;
}

const QCursor& PictureStore::cursor(Pointer pointer) {
    auto it = cursors_.find(pointer);
    if (it == cursors_.end()) {
        it = cursors_.emplace(pointer, makeCursor(pointer)).first;
    }
    return it->second;
}

QCursor PictureStore::makeCursor(Pointer pointer) {
    const char* key = nullptr;
    QPoint hotspot;
    switch (pointer) {
        case Pointer::Normal:
            return QCursor(Qt::ArrowCursor);
        case Pointer::CursorA:
            key = "cursor_a";
            hotspot = kCursorAHotspot;
            break;
        case Pointer::CursorB:
            key = "cursor_b";
            hotspot = kCursorBHotspot;
            break;
    }
    const QPixmap& hand = picture(key);
    if (hand.isNull()) {
        return QCursor(Qt::PointingHandCursor);
    }
    return QCursor(hand, hotspot.x(), hotspot.y());
}

}  // namespace koropika
