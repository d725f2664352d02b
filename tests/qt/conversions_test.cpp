#include "qt/conversions.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <thread>

namespace koropika {
namespace {

bool isIpaPGothic(const QString& family) {
    return family.contains(QStringLiteral("IPAPGothic")) ||
           family.contains(QStringLiteral("IPA Pゴシック"));
}

// The family each glyph run of `text` is drawn in, in `font`.
QStringList familiesDrawing(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList families;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        families << run.rawFont().familyName();
    }
    return families;
}

// `text` drawn in black on white in `font`.
QImage drawn(const QString& text, const QFont& font) {
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(4, 30, text);
    return image;
}

TEST(FontMapping, TheProportionalGothicFaceResolvesToIpaPGothic) {
    const QFont font =
        toQFont(Font{kProportionalGothic, 12.0, false, false, false}, Language::Japanese);
    EXPECT_TRUE(isIpaPGothic(QFontInfo(font).family())) << QFontInfo(font).family().toStdString();
    EXPECT_EQ(font.pixelSize(), 16) << "12 pt at 96 dpi";
}

TEST(FontMapping, UnknownFacesFallBackToTheProportionalGothic) {
    const QFont font = toQFont(Font{"Arial", 9.0, false, false, true}, Language::Japanese);
    EXPECT_TRUE(isIpaPGothic(QFontInfo(font).family()));
    EXPECT_EQ(font.pixelSize(), 12);
    EXPECT_TRUE(font.underline());
    EXPECT_EQ(toQFont(Font{"Arial", 0.1, false, false, false}, Language::Japanese).pixelSize(), 1)
        << "never zero, which Qt rejects";
}

TEST(FontMapping, MinchoAndHeavyGothicGetTheirOwnFaces) {
    const QFont mincho =
        toQFont(Font{kProportionalMincho, 14.25, true, true, false}, Language::Japanese);
    EXPECT_EQ(mincho.families(), QStringList{"IPAPMincho"});
    EXPECT_EQ(mincho.pixelSize(), 19);
    EXPECT_TRUE(mincho.bold());
    EXPECT_TRUE(mincho.italic());
    const QString minchoFamily = QFontInfo(mincho).family();
    EXPECT_TRUE(minchoFamily.contains("IPAPMincho") || minchoFamily.contains("IPA P明朝"))
        << minchoFamily.toStdString();

    const QFont heavy = toQFont(Font{kHeavyGothic, 15.75, false, false, false}, Language::Japanese);
    EXPECT_EQ(heavy.families(), QStringList{"Noto Sans CJK JP"});
    EXPECT_EQ(heavy.weight(), QFont::Black);
    EXPECT_EQ(heavy.pixelSize(), 21);
    EXPECT_GE(QFontInfo(heavy).weight(), QFont::Bold) << "the heaviest installed weight";
    EXPECT_TRUE(QFontInfo(heavy).family().startsWith("Noto Sans CJK"))
        << "not a fallback face: " << QFontInfo(heavy).family().toStdString();
}

TEST(FontMapping, OnlyBoldMinchoIsDrawnTwiceToShowItsBold) {
    EXPECT_TRUE(needsOverstrikeBold(Font{kProportionalMincho, 14.25, true, true, false},
                                    Language::Japanese));
    EXPECT_FALSE(needsOverstrikeBold(Font{kProportionalMincho, 14.25, false, true, false},
                                     Language::Japanese));
    EXPECT_FALSE(needsOverstrikeBold(Font{kProportionalGothic, 9.75, true, false, false},
                                     Language::Japanese));
    EXPECT_FALSE(
        needsOverstrikeBold(Font{kHeavyGothic, 15.75, true, false, false}, Language::Japanese));
}

// English text is drawn in the Latin face of the same character (its own bold, never thickened);
// a Japanese name among it looks as it does in the Japanese game.
TEST(FontMapping, EnglishTextIsDrawnInALatinFaceWithTheJapaneseFaceBehindIt) {
    const QFont gothic =
        toQFont(Font{kProportionalGothic, 12.0, false, false, false}, Language::English);
    EXPECT_EQ(familiesDrawing(QStringLiteral("Start"), gothic), QStringList{"Liberation Sans"});
    const QFont mincho =
        toQFont(Font{kProportionalMincho, 14.25, true, false, false}, Language::English);
    EXPECT_EQ(QFontInfo(mincho).family(), QStringLiteral("Liberation Serif"));
    EXPECT_FALSE(needsOverstrikeBold(Font{kProportionalMincho, 14.25, true, true, false},
                                     Language::English));
    for (const char* face : {kProportionalGothic, kProportionalMincho, kHeavyGothic}) {
        const Font font{face, 12.0, false, false, false};
        EXPECT_EQ(drawn(QStringLiteral("たろう"), toQFont(font, Language::English)),
                  drawn(QStringLiteral("たろう"), toQFont(font, Language::Japanese)))
            << face;
    }
}

TEST(FontMapping, TheDesktopsOwnJapaneseTextsAreDrawnInTheLayoutGothicAndItsLatinIsKept) {
    QFont standard = QGuiApplication::font();
    standard.setPointSize(9);
    const QFont menu = withLayoutGothic(standard);
    EXPECT_EQ(menu.pointSize(), 9);
    const QStringList japanese = familiesDrawing(QStringLiteral("設定に戻る"), menu);
    ASSERT_EQ(japanese.size(), 1);
    EXPECT_TRUE(isIpaPGothic(japanese[0])) << japanese[0].toStdString();
    EXPECT_EQ(familiesDrawing(QStringLiteral("OK"), menu),
              familiesDrawing(QStringLiteral("OK"), standard));
}

TEST(FontMapping, AFamilyLookedUpAheadOnAnotherThreadGivesTheSameMenuFont) {
    QFont standard = QGuiApplication::font();
    standard.setFamily(QStringLiteral("Monospace"));
    const QStringList asked = withLayoutGothic(standard).families();
    std::thread([] { prepareLayoutGothic(QStringLiteral("Monospace")); }).join();
    EXPECT_EQ(withLayoutGothic(standard).families(), asked);
    EXPECT_NE(asked.front(), QStringLiteral("Monospace")) << "an installed family stands for it";
}

TEST(Colours, SystemColoursAreWhiteHighlightTextAndBlackMenuText) {
    EXPECT_EQ(toQColor(Colour::highlightText()), QColor(Qt::white));
    EXPECT_EQ(toQColor(Colour::menuText()), QColor(Qt::black));
    EXPECT_EQ(toQColor(Colour::fromRgb(0x1C6C0D)), QColor(0x1C, 0x6C, 0x0D));
    EXPECT_EQ(toQColor(Colour::fromBgr(0x000D6C1C)), QColor(0x1C, 0x6C, 0x0D));
}

}  // namespace
}  // namespace koropika
