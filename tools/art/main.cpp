// koropika_artgen: draws every picture of the game into a folder as PNG files, each at its pixel
// size (<key>.png) and at twice that size (<key>@2x.png), and optionally the window icon for the
// desktop's icon theme.
//
//     koropika_artgen <images folder> [<icon theme folder>]
//
// The icon theme folder receives <size>x<size>/apps/koropika.png for 32, 64 and 128 pixels.
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

#include "art.h"

namespace {

bool writePng(const QImage& image, const QString& path) {
    QImageWriter writer(path, "png");
    if (!writer.write(image.convertToFormat(QImage::Format_ARGB32))) {
        std::fprintf(stderr, "koropika_artgen: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

bool makeFolder(const QDir& folder) {
    if (!folder.mkpath(".")) {
        std::fprintf(stderr, "koropika_artgen: cannot create %s\n", qPrintable(folder.path()));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // Drawing needs no display; fonts still come from the platform's font database.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2 && arguments.size() != 3) {
        std::fprintf(stderr, "usage: koropika_artgen <images folder> [<icon theme folder>]\n");
        return 2;
    }
    const QDir folder(arguments.at(1));
    if (!makeFolder(folder)) {
        return 1;
    }

    QElapsedTimer clock;
    clock.start();
    std::size_t written = 0;
    for (const auto& [scale, suffix] : {std::pair{1, ""}, std::pair{2, "@2x"}}) {
        for (const auto& picture : koropika::art::allPictures(scale)) {
            if (!writePng(picture.image, folder.filePath(picture.key + suffix + ".png"))) {
                return 1;
            }
            ++written;
        }
    }
    if (arguments.size() == 3) {
        for (int size : {32, 64, 128}) {
            const QDir apps(QString("%1/%2x%2/apps").arg(arguments.at(2)).arg(size));
            if (!makeFolder(apps) ||
                !writePng(koropika::art::iconAtSize(size), apps.filePath("koropika.png"))) {
                return 1;
            }
        }
    }
    std::printf("koropika_artgen: %zu pictures in %s (%lld ms)\n", written,
                qPrintable(folder.path()), static_cast<long long>(clock.elapsed()));
    return 0;
}
