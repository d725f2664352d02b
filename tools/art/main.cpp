// koropika_artgen: draws every picture of the game into a folder as PNG files.
//
//     koropika_artgen <output folder>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

#include "art.h"

int main(int argc, char** argv) {
    // Drawing needs no display; fonts still come from the platform's font database.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: koropika_artgen <output folder>\n");
        return 2;
    }
    const QDir folder(arguments.at(1));
    if (!folder.mkpath(".")) {
        std::fprintf(stderr, "koropika_artgen: cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }

    QElapsedTimer clock;
    clock.start();
    const koropika::art::Pictures pictures = koropika::art::allPictures();
    for (const auto& picture : pictures) {
        const QString path = folder.filePath(picture.key + ".png");
        QImageWriter writer(path, "png");
        if (!writer.write(picture.image.convertToFormat(QImage::Format_ARGB32))) {
            std::fprintf(stderr, "koropika_artgen: cannot write %s: %s\n", qPrintable(path),
                         qPrintable(writer.errorString()));
            return 1;
        }
    }
    std::printf("koropika_artgen: %zu pictures in %s (%lld ms)\n", pictures.size(),
                qPrintable(folder.path()), static_cast<long long>(clock.elapsed()));
    return 0;
}
