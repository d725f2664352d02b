// Pictures on screens of two densities. This file is built into two test programs: the front-end
// tests on a normal screen, and koropika_qt_dense_tests, whose main() asks Qt for two pixels per
// point (QT_SCALE_FACTOR=2) before the application starts. Each suite runs on its own screen and
// skips on the other.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPainter>

#include "qt/picture_store.h"
#include "qt_test_support.h"

namespace koropika {
namespace {

using testing::LayoutBuilder;
using testing::near;
using testing::ProgramFolder;
using testing::ShownWindow;

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kWhite(255, 255, 255);
const QColor kGreen(0, 160, 0);

// Writes images/<key>@2x.png: `width` × `height` pixels of white and green in a checkerboard of
// single pixels, detail that only a picture drawn at that size can show.
void addSharpPicture(const ProgramFolder& folder, const std::string& key, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixelColor(x, y, (x + y) % 2 == 0 ? kWhite : kGreen);
        }
    }
    const QString file = folder.path() + "/images/" + QString::fromStdString(key) + "@2x.png";
    ASSERT_TRUE(image.save(file));
}

class PictureStoreOnANormalScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        if (qApp->devicePixelRatio() != 1.0) {
            GTEST_SKIP() << "runs on a screen of one pixel per point";
        }
    }
};

class PictureStoreOnADenseScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        if (qApp->devicePixelRatio() != 2.0) {
            GTEST_SKIP() << "runs on a screen of two pixels per point";
        }
    }
};

TEST_F(PictureStoreOnANormalScreen, ReadsThePictureAtItsOwnSizeEvenWhereASharpOneExists) {
    ProgramFolder folder;
    folder.addPicture("card", 20, 10, kRed, kBlue);
    addSharpPicture(folder, "card", 40, 20);
    folder.addPicture("cursor_a", 32, 32, kWhite);
    addSharpPicture(folder, "cursor_a", 64, 64);
    PictureStore store(folder.path());

    const QPixmap& card = store.picture("card");
    EXPECT_EQ(card.size(), QSize(20, 10));
    EXPECT_EQ(card.devicePixelRatio(), 1.0);
    EXPECT_TRUE(near(card.toImage().pixelColor(2, 2), kRed));
    EXPECT_EQ(store.cursor(Pointer::CursorA).hotSpot(), kCursorAHotspot);
    EXPECT_EQ(store.cursor(Pointer::CursorA).pixmap().size(), QSize(32, 32));
}

TEST_F(PictureStoreOnADenseScreen, ReadsTheSharpPictureAtTheSameSizeInPoints) {
    ProgramFolder folder;
    folder.addPicture("card", 20, 10, kRed, kBlue);
    addSharpPicture(folder, "card", 40, 20);
    folder.addPicture("plain", 20, 10, kRed, kBlue);
    PictureStore store(folder.path());

    const QPixmap& card = store.picture("card");
    EXPECT_EQ(card.size(), QSize(40, 20));
    EXPECT_EQ(card.devicePixelRatio(), 2.0);
    EXPECT_EQ(card.deviceIndependentSize(), QSizeF(20, 10));

    // Without a sharp picture the one at its own size is used, as on a normal screen.
    const QPixmap& plain = store.picture("plain");
    EXPECT_EQ(plain.size(), QSize(20, 10));
    EXPECT_EQ(plain.devicePixelRatio(), 1.0);
}

TEST_F(PictureStoreOnADenseScreen, CursorHotspotStaysOnTheFingertip) {
    ProgramFolder folder;
    folder.addPicture("cursor_a", 32, 32, kWhite);
    addSharpPicture(folder, "cursor_a", 64, 64);
    folder.addPicture("cursor_b", 32, 32, kWhite);
    PictureStore store(folder.path());

    const QCursor& sharp = store.cursor(Pointer::CursorA);
    EXPECT_EQ(sharp.pixmap().devicePixelRatio(), 2.0);
    EXPECT_EQ(sharp.hotSpot(), kCursorAHotspot * 2) << "in the pixels of the sharp picture";
    EXPECT_EQ(store.cursor(Pointer::CursorB).hotSpot(), kCursorBHotspot);
}

TEST_F(PictureStoreOnADenseScreen, AShownPictureKeepsItsPlaceAndShowsEveryPixelOfTheSharpOne) {
    LayoutBuilder b("pictures", {100, 60});
    auto& plain = b.add("Plain", ElementKind::Picture, {10, 10, 40, 40});
    plain.properties.picture = "card";
    auto& stretched = b.add("Stretched", ElementKind::Picture, {60, 10, 20, 10});
    stretched.properties.picture = "card";
    stretched.properties.stretch = true;
    ShownWindow w(b.layout());
    w.folder.addPicture("card", 20, 10, kRed, kBlue);
    addSharpPicture(w.folder, "card", 40, 20);
    w.window->show();
    const QImage image = w.grabClient();
    ASSERT_EQ(image.devicePixelRatio(), 2.0);
    ASSERT_GE(image.width(), 200);
    ASSERT_GE(image.height(), 120);

    // Points (10, 10) to (30, 20) hold the picture, pixel for pixel: (20, 20) to (60, 40).
    for (const int left : {20, 120}) {
        for (int y = 20; y < 40; ++y) {
            for (int x = left; x < left + 40; ++x) {
                const QColor expected = (x - left + y - 20) % 2 == 0 ? kWhite : kGreen;
                ASSERT_TRUE(near(image.pixelColor(x, y), expected))
                    << "pixel " << x << "," << y << " of the picture at " << left;
            }
        }
    }
    // Right of and below the picture at its own size the window shows through.
    EXPECT_FALSE(near(image.pixelColor(61, 30), kWhite) || near(image.pixelColor(61, 30), kGreen));
    EXPECT_FALSE(near(image.pixelColor(30, 41), kWhite) || near(image.pixelColor(30, 41), kGreen));
}

}  // namespace
}  // namespace koropika
