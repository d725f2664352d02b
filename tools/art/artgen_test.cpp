// Checks the drawn pictures: the full set of file names and sizes, repeatable output, and the
// visible facts the game relies on (pip counts, suit colours, the lit half of each settings
// background, the cursor hot spots, the hand on the start button).
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QRect>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <set>
#include <vector>

#include "art.h"

namespace koropika::art {
namespace {

using PixelTest = std::function<bool(QRgb)>;

const Pictures& pictures() {
    static const Pictures all = allPictures();
    return all;
}

QImage picture(const QString& key) {
    for (const Picture& p : pictures()) {
        if (p.key == key) {
            return p.image.convertToFormat(QImage::Format_ARGB32);
        }
    }
    ADD_FAILURE() << "no picture " << key.toStdString();
    return {};
}

double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double relativeLuminance(QRgb rgb) {
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

double contrast(QRgb a, QRgb b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Number of 8-connected groups of pixels inside `region` that pass `isInk`.
int countBlobs(const QImage& image, const QRect& region, const PixelTest& isInk) {
    std::vector<char> seen(static_cast<size_t>(image.width() * image.height()), 0);
    auto index = [&](int x, int y) { return static_cast<size_t>(y * image.width() + x); };
    auto ink = [&](int x, int y) {
        return region.contains(x, y) && isInk(image.pixel(x, y)) && !seen[index(x, y)];
    };
    int blobs = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            if (!ink(x, y)) {
                continue;
            }
            ++blobs;
            std::vector<QPoint> stack{{x, y}};
            seen[index(x, y)] = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        if (ink(p.x() + dx, p.y() + dy)) {
                            seen[index(p.x() + dx, p.y() + dy)] = 1;
                            stack.push_back({p.x() + dx, p.y() + dy});
                        }
                    }
                }
            }
        }
    }
    return blobs;
}

int countPixels(const QImage& image, const QRect& region, const PixelTest& test) {
    int count = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            count += test(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

bool isTransparent(QRgb rgb) {
    return qAlpha(rgb) == 0;
}
bool isRedInk(QRgb rgb) {
    return qRed(rgb) > 150 && qGreen(rgb) < 110 && qAlpha(rgb) > 200;
}
bool isBlackInk(QRgb rgb) {
    const int spread = std::max({qRed(rgb), qGreen(rgb), qBlue(rgb)}) -
                       std::min({qRed(rgb), qGreen(rgb), qBlue(rgb)});
    return qGray(rgb) < 90 && spread < 40 && qAlpha(rgb) > 200;
}
bool isGreenPip(QRgb rgb) {
    return qGreen(rgb) > 100 && qGreen(rgb) > qRed(rgb) + 40;
}
bool isYellow(QRgb rgb) {
    return qRed(rgb) > 200 && qGreen(rgb) > 150 && qBlue(rgb) < 110;
}

QString faceKey(int suit, int rank) {
    return QString("face_%1_%2").arg(suit).arg(rank);
}

// Every picture slot with its size in pixels.
std::map<QString, QSize> expectedSizes() {
    std::map<QString, QSize> expected = {
        {"back_0", {52, 70}},          {"back_1", {47, 62}},         {"back_2", {52, 70}},
        {"back_3", {47, 62}},          {"back_4", {47, 62}},         {"button_normal", {192, 34}},
        {"button_pressed", {192, 34}}, {"star", {172, 45}},          {"start_hand", {300, 70}},
        {"start_plain", {300, 70}},    {"start_pressed", {300, 70}}, {"icon", {32, 32}},
        {"cursor_a", {32, 32}},        {"cursor_b", {32, 32}},       {"settings_bg_1", {300, 230}},
        {"settings_bg_2", {300, 230}}, {"settings_bg_3", {300, 230}}};
    for (int n = 1; n <= 6; ++n) {
        expected[QString("dice_%1").arg(n)] = {55, 55};
    }
    for (int suit = 1; suit <= 4; ++suit) {
        for (int rank = 1; rank <= 13; ++rank) {
            expected[faceKey(suit, rank)] = {55, 72};
        }
    }
    return expected;
}

TEST(PictureSet, HoldsEveryFileNameOnceAtItsExactSize) {
    std::map<QString, QSize> expected = expectedSizes();
    std::set<QString> seen;
    for (const Picture& p : pictures()) {
        EXPECT_TRUE(seen.insert(p.key).second) << "drawn twice: " << p.key.toStdString();
        ASSERT_TRUE(expected.count(p.key)) << "unexpected picture: " << p.key.toStdString();
        EXPECT_EQ(p.image.size(), expected[p.key]) << p.key.toStdString();
    }
    EXPECT_EQ(seen.size(), expected.size());
}

// Mean difference per channel (0..255) of two pictures of one size.
double meanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row);
            const QRgb q = y.pixel(column, row);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    }
    return sum / (4.0 * x.width() * x.height());
}

const Pictures& sharpPictures() {
    static const Pictures all = allPictures(2);
    return all;
}

TEST(PictureSet, EverySlotIsAlsoDrawnAtTwiceItsSize) {
    std::map<QString, QSize> expected = expectedSizes();
    ASSERT_EQ(sharpPictures().size(), pictures().size());
    for (size_t i = 0; i < pictures().size(); ++i) {
        const Picture& one = pictures()[i];
        const Picture& sharp = sharpPictures()[i];
        ASSERT_EQ(sharp.key, one.key);
        const std::string key = sharp.key.toStdString();
        EXPECT_EQ(sharp.image.size(), expected[sharp.key] * 2) << key;
        EXPECT_EQ(sharp.image.devicePixelRatio(), 2.0) << key;
        EXPECT_EQ(sharp.image.deviceIndependentSize(), QSizeF(expected[sharp.key])) << key;
    }
}

TEST(PictureSet, TwiceTheSizeIsTheSameDrawingWithFinerDetail) {
    for (size_t i = 0; i < pictures().size(); ++i) {
        const QImage one = pictures()[i].image;
        const QImage sharp = sharpPictures()[i].image;
        const std::string key = pictures()[i].key.toStdString();
        const QImage reduced =
            sharp.scaled(one.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage enlarged =
            one.scaled(sharp.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double sameDrawing = meanDifference(reduced, one);
        EXPECT_LT(sameDrawing, 4.0) << key;
        // An enlarged small picture would match the large one almost exactly.
        EXPECT_GT(meanDifference(sharp, enlarged), std::max(0.1, sameDrawing)) << key;
    }
}

TEST(PictureSet, TheCursorHotspotIsTheFingertipAtTwiceTheSize) {
    for (const Picture& p : sharpPictures()) {
        if (p.key.startsWith("cursor_")) {
            const QImage cursor = p.image.convertToFormat(QImage::Format_ARGB32);
            EXPECT_EQ(qAlpha(cursor.pixel(kCursorAHotspot * 2)), 255) << p.key.toStdString();
            EXPECT_EQ(countPixels(cursor, QRect(0, 0, 64, kCursorAHotspot.y() * 2),
                                  [](QRgb c) { return qAlpha(c) > 40; }),
                      0)
                << p.key.toStdString();
        }
    }
}

TEST(PictureSet, DrawsTheSamePixelsEveryTime) {
    const Pictures again = allPictures();
    ASSERT_EQ(again.size(), pictures().size());
    for (size_t i = 0; i < again.size(); ++i) {
        EXPECT_EQ(again[i].key, pictures()[i].key);
        EXPECT_TRUE(again[i].image == pictures()[i].image) << again[i].key.toStdString();
    }
}

TEST(CardFaces, NumberCardsShowAsManyPipsAsTheirRankAndAcesOne) {
    const QRect pipField(11, 6, 34, 61);  // between the two corner indices
    for (int suit = 1; suit <= 4; ++suit) {
        const PixelTest ink = suit >= 3 ? PixelTest(isRedInk) : PixelTest(isBlackInk);
        for (int rank = 1; rank <= 10; ++rank) {
            EXPECT_EQ(countBlobs(picture(faceKey(suit, rank)), pipField, ink), rank)
                << faceKey(suit, rank).toStdString();
        }
    }
}

TEST(CardFaces, IndicesUseTheSuitColourInBothCorners) {
    const QRect topLeft(1, 3, 10, 18);
    const QRect bottomRight(44, 51, 10, 18);
    for (int suit = 1; suit <= 4; ++suit) {
        const bool red = suit >= 3;
        for (int rank = 1; rank <= 13; ++rank) {
            const QImage face = picture(faceKey(suit, rank));
            for (const QRect& corner : {topLeft, bottomRight}) {
                EXPECT_GT(countPixels(face, corner, red ? isRedInk : isBlackInk), 15)
                    << faceKey(suit, rank).toStdString();
                EXPECT_EQ(countPixels(face, corner, red ? isBlackInk : isRedInk), 0)
                    << faceKey(suit, rank).toStdString();
            }
        }
    }
}

TEST(CardFaces, HaveRoundedTransparentCornersAndAreAllDifferent) {
    std::vector<QImage> seen;
    for (int suit = 1; suit <= 4; ++suit) {
        for (int rank = 1; rank <= 13; ++rank) {
            const QImage face = picture(faceKey(suit, rank));
            for (const QPoint& corner :
                 {QPoint(0, 0), QPoint(54, 0), QPoint(0, 71), QPoint(54, 71)}) {
                EXPECT_TRUE(isTransparent(face.pixel(corner))) << faceKey(suit, rank).toStdString();
            }
            EXPECT_EQ(qAlpha(face.pixel(27, 2)), 255);
            for (const QImage& other : seen) {
                EXPECT_FALSE(face == other) << faceKey(suit, rank).toStdString();
            }
            seen.push_back(face);
        }
    }
    std::vector<QImage> seenSharp;
    for (const Picture& p : sharpPictures()) {
        if (p.key.startsWith("face_")) {
            for (const QImage& other : seenSharp) {
                EXPECT_FALSE(p.image == other) << p.key.toStdString() << " at twice the size";
            }
            seenSharp.push_back(p.image);
        }
    }
    EXPECT_EQ(seenSharp.size(), 52u);
}

TEST(Dice, EachFaceShowsItsNumberOfGreenPips) {
    for (int n = 1; n <= 6; ++n) {
        const QImage dice = picture(QString("dice_%1").arg(n));
        EXPECT_EQ(countBlobs(dice, dice.rect(), isGreenPip), n) << n;
        const QRgb body = dice.pixel(27, 6);
        EXPECT_GT(qRed(body), qGreen(body) + 80) << "orange-red face " << n;
    }
}

TEST(CardBacks, ShowTheirGroundColoursInsideAWhiteEdge) {
    auto mean = [](const QImage& image, const QRect& r) {
        double red = 0, green = 0, blue = 0;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                red += qRed(image.pixel(x, y));
                green += qGreen(image.pixel(x, y));
                blue += qBlue(image.pixel(x, y));
            }
        }
        const double n = r.width() * r.height();
        return std::array<double, 3>{red / n, green / n, blue / n};
    };
    for (int i = 0; i <= 4; ++i) {
        const QImage back = picture(QString("back_%1").arg(i));
        EXPECT_TRUE(isTransparent(back.pixel(0, 0))) << i;
        EXPECT_GT(qGray(back.pixel(back.width() / 2, 1)), 230) << "white edge " << i;
    }
    const auto butterflies = mean(picture("back_0"), QRect(4, 4, 44, 62));
    EXPECT_GT(butterflies[1], butterflies[0] + 30);
    const auto roses = mean(picture("back_1"), QRect(4, 4, 39, 54));
    EXPECT_GT(roses[0], roses[1] + 50);
    EXPECT_LT(roses[0], 150) << "dark red";
    const auto frames = mean(picture("back_2"), QRect(4, 4, 44, 62));
    EXPECT_GT(frames[0], frames[1] + 60);
    const auto cat = mean(picture("back_3"), QRect(4, 4, 39, 54));
    EXPECT_GT(cat[2], cat[0] + 60);

    const QImage letter = picture("back_4");
    const QRgb top = letter.pixel(8, 5);
    const QRgb bottom = letter.pixel(8, 56);
    EXPECT_GT(qRed(top), qGreen(top) + 120) << "red at the top";
    EXPECT_GT(qGreen(bottom), 180) << "yellow at the bottom";
    EXPECT_GT(
        countPixels(letter, QRect(10, 14, 27, 34), [](QRgb c) { return qBlue(c) > qRed(c) + 80; }),
        150)
        << "blue letter";
}

TEST(Buttons, PressedLooksFlatAndDarkerThanRaised) {
    auto lum = [](const QImage& image, int x, int y) { return qGray(image.pixel(x, y)); };
    const std::pair<QString, QString> pairs[] = {{"button_normal", "button_pressed"},
                                                 {"start_plain", "start_pressed"}};
    for (const auto& [raisedKey, pressedKey] : pairs) {
        const QImage raised = picture(raisedKey);
        const QImage pressed = picture(pressedKey);
        const int x = raised.width() * 3 / 4;
        const int middle = raised.height() / 2;
        EXPECT_GT(lum(raised, x, 2), lum(raised, x, middle) + 20)
            << "lit rim " << raisedKey.toStdString();
        EXPECT_LT(std::abs(lum(pressed, x, 2) - lum(pressed, x, middle)), 12)
            << pressedKey.toStdString();
        EXPECT_LT(lum(pressed, x, middle), lum(raised, x, middle)) << pressedKey.toStdString();
    }
}

TEST(Buttons, StartButtonHandSitsLeftOfTheCaption) {
    const QRect handArea(0, 0, 130, 70);
    const QRect captionArea(130, 0, 170, 70);
    EXPECT_GT(countPixels(picture("start_hand"), handArea, isYellow), 500);
    EXPECT_GT(countPixels(picture("start_pressed"), handArea, isYellow), 500);
    EXPECT_EQ(countPixels(picture("start_plain"), handArea, isYellow), 0);
    for (const char* key : {"start_hand", "start_plain", "start_pressed"}) {
        EXPECT_EQ(countPixels(picture(key), captionArea, isYellow), 0) << key;
    }
}

TEST(Star, YellowStarAtTheHeadOfItsTrailOnBlack) {
    const QImage star = picture("star");
    for (const QPoint& corner : {QPoint(0, 0), QPoint(171, 0), QPoint(0, 44), QPoint(171, 44)}) {
        EXPECT_EQ(star.pixel(corner), qRgb(0, 0, 0));
    }
    const int head = countPixels(star, QRect(120, 0, 52, 45), isYellow);
    const int tail = countPixels(star, QRect(0, 0, 52, 45), isYellow);
    EXPECT_GT(head, 300);
    EXPECT_LT(tail, head / 4);
}

TEST(Cursors, HotspotIsTheFingertip) {
    for (const auto& [key, hotspot] :
         {std::pair{"cursor_a", kCursorAHotspot}, std::pair{"cursor_b", kCursorBHotspot}}) {
        const QImage cursor = picture(key);
        EXPECT_TRUE(isTransparent(cursor.pixel(0, 0))) << key;
        EXPECT_TRUE(isTransparent(cursor.pixel(31, 0))) << key;
        EXPECT_GE(qAlpha(cursor.pixel(hotspot)), 128) << key;
        EXPECT_LT(qGray(cursor.pixel(hotspot)), 80) << "black outline at the tip " << key;
        EXPECT_EQ(cursor.pixel(hotspot + QPoint(0, 3)), qRgb(255, 255, 255)) << "white finger";
        for (int y = 0; y < hotspot.y(); ++y) {
            EXPECT_EQ(
                countPixels(cursor, QRect(0, y, 32, 1), [](QRgb c) { return qAlpha(c) > 40; }), 0)
                << "nothing above the tip " << key;
        }
    }
    // The cuff adds a band at the wrist that the bare hand does not have.
    EXPECT_FALSE(picture("cursor_a") == picture("cursor_b"));
}

TEST(Icon, FansAcesOfBothColoursOnATransparentGround) {
    const QImage icon = picture("icon");
    EXPECT_TRUE(isTransparent(icon.pixel(0, 0)));
    EXPECT_TRUE(isTransparent(icon.pixel(31, 0)));
    EXPECT_GT(countPixels(icon, icon.rect(), isRedInk), 20);
    EXPECT_GT(countPixels(icon, icon.rect(), isBlackInk), 20);
}

// Direction of the brightest ray, in degrees clockwise from straight up.
int brightestRay(const QImage& image) {
    const QPointF origin(image.width() / 2.0, image.height() / 2.0);
    int best = -1;
    double bestBrightness = -1;
    for (int degrees = 0; degrees < 360; ++degrees) {
        const double radians = degrees * std::numbers::pi / 180.0;
        double sum = 0;
        for (int r = 40; r <= 110; ++r) {
            const QPoint p =
                (origin + QPointF(std::sin(radians), -std::cos(radians)) * r).toPoint();
            if (image.rect().contains(p)) {
                sum += relativeLuminance(image.pixel(p));
            }
        }
        if (sum > bestBrightness) {
            bestBrightness = sum;
            best = degrees;
        }
    }
    return best;
}

struct Background {
    const char* key;
    bool litTop;
    int rayFrom;  // accepted range of the brightest ray, degrees clockwise from up
    int rayTo;
};

TEST(SettingsBackgrounds, LightTheNextChoiceAndKeepTheTextReadable) {
    const QRgb darkGreen = qRgb(0x1c, 0x6c, 0x0d);
    const QRgb blue = qRgb(0, 0, 255);
    const Background backgrounds[] = {{"settings_bg_1", true, -8, 8},
                                      {"settings_bg_2", false, 185, 225},
                                      {"settings_bg_3", false, 110, 160}};
    for (const Background& b : backgrounds) {
        const QImage image = picture(b.key);
        int ray = brightestRay(image);
        if (ray > 300) {
            ray -= 360;
        }
        EXPECT_GE(ray, b.rayFrom) << b.key;
        EXPECT_LE(ray, b.rayTo) << b.key;

        // Rows away from the seam in the middle, within the part the window shows (286 x 213).
        const QRect upper(0, 0, 286, 112);
        const QRect lower(0, 119, 286, 94);
        const QRect lit = b.litTop ? upper : lower;
        const QRect plain = b.litTop ? lower : upper;
        double worstGreen = 100;
        double worstBlue = 100;
        for (int y = lit.top(); y <= lit.bottom(); ++y) {
            for (int x = lit.left(); x <= lit.right(); ++x) {
                worstGreen = std::min(worstGreen, contrast(image.pixel(x, y), darkGreen));
                worstBlue = std::min(worstBlue, contrast(image.pixel(x, y), blue));
            }
        }
        EXPECT_GE(worstGreen, 3.0) << b.key;
        EXPECT_GE(worstBlue, 3.0) << b.key;
        EXPECT_EQ(
            countPixels(image, plain,
                        [](QRgb c) { return qRed(c) < 200 || qGreen(c) > 110 || qBlue(c) > 80; }),
            0)
            << "plain warm red " << b.key;
    }
}

}  // namespace
}  // namespace koropika::art

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
