#include "qt/picture_store.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <utility>

namespace koropika {

namespace {

// Every picture is a PNG file. Naming the format, and not letting the reader guess it from the
// contents, keeps Qt from loading each of its image format plugins (and their libraries) to ask
// whether it knows the file: that took a millisecond before the first window could be built.
QPixmap readPng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImageReader(&reader);
}

// The picture at its own size, or the one drawn at twice that size when a screen has more than
// one pixel per point and that file exists.
QPixmap loadPicture(const QString& stem) {
    if (qGuiApp != nullptr && qGuiApp->devicePixelRatio() > 1.0) {
        const QString sharp = stem + QStringLiteral("@2x.png");
        if (QFileInfo(sharp).isFile()) {
            QPixmap pixmap = readPng(sharp);
            if (!pixmap.isNull()) {
                pixmap.setDevicePixelRatio(2.0);
                return pixmap;
            }
        }
    }
    return readPng(stem + QStringLiteral(".png"));
}

}  // namespace

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
        it = cache_.emplace(key, loadPicture(imagesFolder_ + QString::fromStdString(key))).first;
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
    // The hotspot is given in the picture's own pixels: the window system reads it against the
    // pixels it is handed, so a picture drawn at twice the size has its hotspot twice as far in.
    const qreal ratio = hand.devicePixelRatio();
    return QCursor(hand, qRound(hotspot.x() * ratio), qRound(hotspot.y() * ratio));
}

}  // namespace koropika
