#include <gtest/gtest.h>

#include <QGroupBox>

#include "qt_test_support.h"

namespace koropika {
namespace {

using testing::LayoutBuilder;
using testing::near;
using testing::ShownWindow;

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kGreen(0x1C, 0x6C, 0x0D);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

ElementProperties labelLook(Colour text, Colour back, std::string caption) {
    ElementProperties p;
    p.caption = std::move(caption);
    p.textColour = text;
    p.backColour = back;
    p.font.points = 18;
    return p;
}

bool anyPixelNear(const QImage& image, const QRect& area, QColor colour) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (near(image.pixelColor(x, y), colour, 40)) {
                return true;
            }
        }
    }
    return false;
}

TEST(Drawing, AnOpaqueLabelFillsItsRectangleAndDrawsItsTextInItsColour) {
    LayoutBuilder b("labels", {200, 100});
    b.add("Opaque", ElementKind::Label, {10, 10, 80, 30}, {},
          labelLook(Colour::highlightText(), Colour::fromRgb(0x1C6C0D), "■■"));
    auto& clear = b.add("Clear", ElementKind::Label, {110, 10, 80, 30}, {},
                        labelLook(Colour::fromRgb(0xFF0000), Colour::fromRgb(0x1C6C0D), "■■"));
    clear.properties.transparent = true;
    ShownWindow w(b.layout());
    w.window->show();
    const QImage image = w.grabClient();

    EXPECT_TRUE(near(image.pixelColor(88, 38), kGreen)) << "background in the corner";
    EXPECT_TRUE(anyPixelNear(image, {10, 10, 40, 30}, kWhite)) << "white text";
    EXPECT_TRUE(near(image.pixelColor(188, 38), kBlack)) << "transparent: window shows";
    EXPECT_TRUE(anyPixelNear(image, {110, 10, 40, 30}, kRed)) << "red text";
    EXPECT_FALSE(anyPixelNear(image, {110, 10, 80, 30}, kGreen));
}

// How much of the area is inked in a colour near `colour` (the text of a label).
int inkOf(const QImage& image, const QRect& area, QColor colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += near(image.pixelColor(x, y), colour, 60) ? 1 : 0;
        }
    }
    return count;
}

TEST(Drawing, BoldTextIsDrawnBoldInEveryFaceAlsoWhereTheFontHasNoBoldStyle) {
    // The Mincho face has no bold style installed: its bold is made by thickening the strokes
    // and drawing the text twice, so that it shows at label sizes.
    for (const auto& [face, gain] :
         {std::pair{kProportionalMincho, 3.3}, {kProportionalGothic, 1.25}}) {
        LayoutBuilder b("bold", {320, 80});
        for (const bool bold : {false, true}) {
            ElementProperties p =
                labelLook(Colour::fromRgb(0xFFFFFF), Colour::fromRgb(0), "ころぴか V_1.0");
            p.font = Font{face, 14.25, bold, true, false};
            p.autoSize = true;
            p.transparent = true;
            b.add(bold ? "Bold" : "Plain", ElementKind::Label, {10, bold ? 40 : 10, 300, 25}, {},
                  p);
        }
        ShownWindow w(b.layout());
        w.window->show();
        const QImage image = w.grabClient();
        const int plain = inkOf(image, {10, 10, 300, 25}, kWhite);
        const int bold = inkOf(image, {10, 40, 300, 25}, kWhite);
        EXPECT_GT(plain, 100) << face;
        EXPECT_GT(bold, plain * gain) << face << ": bold " << bold << ", plain " << plain;
    }
}

TEST(Drawing, ALabelsTextIsClippedToItsRectangle) {
    LayoutBuilder b("labels", {200, 100});
    b.add("Narrow", ElementKind::Label, {10, 10, 12, 30}, {},
          labelLook(Colour::highlightText(), Colour::fromRgb(0x1C6C0D), "■■■■"));
    ShownWindow w(b.layout());
    w.window->show();
    const QImage image = w.grabClient();
    EXPECT_FALSE(anyPixelNear(image, {22, 0, 178, 100}, kWhite));
    EXPECT_FALSE(anyPixelNear(image, {22, 0, 178, 100}, kGreen));
}

TEST(Drawing, APartialRepaintDrawsEveryPlainElementReachingIntoIt) {
    LayoutBuilder b("labels", {200, 100});
    b.add("Across", ElementKind::Label, {10, 10, 180, 30}, {},
          labelLook(Colour::highlightText(), Colour::fromRgb(0x1C6C0D), ""));
    ShownWindow w(b.layout());
    w.window->show();
    // Only the right half is painted: the label across it shows there in full colour.
    const QImage part = w.view().centralWidget()->grab(QRect(100, 0, 100, 100)).toImage();
    EXPECT_TRUE(near(part.pixelColor(5, 20), kGreen));
    EXPECT_TRUE(near(part.pixelColor(85, 35), kGreen));
    EXPECT_TRUE(near(part.pixelColor(50, 70), kBlack));
}

TEST(Drawing, APictureIsDrawnAtItsOwnSizeOrStretchedToItsRectangle) {
    LayoutBuilder b("pictures", {200, 100});
    auto& plain = b.add("Plain", ElementKind::Picture, {0, 0, 40, 20});
    plain.properties.picture = "card";
    auto& stretched = b.add("Stretched", ElementKind::Picture, {100, 0, 40, 20});
    stretched.properties.picture = "card";
    stretched.properties.stretch = true;
    auto& cut = b.add("Cut", ElementKind::Picture, {0, 50, 8, 5});
    cut.properties.picture = "card";
    ShownWindow w(b.layout());
    w.folder.addPicture("card", 20, 10, kRed, kBlue);
    w.window->show();
    const QImage image = w.grabClient();

    EXPECT_TRUE(near(image.pixelColor(5, 5), kRed));
    EXPECT_TRUE(near(image.pixelColor(15, 5), kBlue));
    EXPECT_TRUE(near(image.pixelColor(30, 5), kBlack)) << "own size: the rest stays empty";
    EXPECT_TRUE(near(image.pixelColor(5, 15), kBlack));

    EXPECT_TRUE(near(image.pixelColor(115, 15), kRed)) << "stretched: left half is red";
    EXPECT_TRUE(near(image.pixelColor(135, 15), kBlue));

    EXPECT_TRUE(near(image.pixelColor(7, 52), kRed));
    EXPECT_TRUE(near(image.pixelColor(9, 52), kBlack)) << "clipped to its rectangle";
    EXPECT_TRUE(near(image.pixelColor(3, 56), kBlack));
}

TEST(Drawing, AMissingPictureDrawsNothing) {
    LayoutBuilder b("pictures", {100, 100});
    auto& missing = b.add("Missing", ElementKind::Picture, {0, 0, 40, 20});
    missing.properties.picture = "no_such_picture";
    missing.properties.stretch = true;
    ShownWindow w(b.layout());
    w.window->show();
    EXPECT_TRUE(near(w.grabClient().pixelColor(10, 10), kBlack));
}

TEST(Drawing, PanelsLieInFrontOfPlainElementsListedBeforeThem) {
    LayoutBuilder b("panels", {200, 100});
    b.add("Front", ElementKind::Label, {0, 0, 100, 100}, {},
          labelLook(Colour::fromRgb(0), Colour::fromRgb(0xFF0000), ""));
    auto& panel = b.add("Panel", ElementKind::Panel, {50, 0, 100, 100});
    panel.properties.backColour = Colour::fromRgb(0x0000FF);
    panel.properties.border = Border::Single;
    b.add("Inside", ElementKind::Label, {10, 10, 20, 20}, "Panel",
          labelLook(Colour::fromRgb(0), Colour::fromRgb(0x1C6C0D), ""));
    ShownWindow w(b.layout());
    w.window->show();
    const QImage image = w.grabClient();

    EXPECT_TRUE(near(image.pixelColor(20, 50), kRed));
    EXPECT_TRUE(near(image.pixelColor(80, 50), kBlue)) << "the panel covers the label";
    EXPECT_TRUE(near(image.pixelColor(65, 15), kGreen)) << "panel children at panel offsets";
    EXPECT_TRUE(near(image.pixelColor(50, 50), QColor(0x40, 0x40, 0x40))) << "1 px border";
    EXPECT_TRUE(near(image.pixelColor(51, 50), kBlue));
}

TEST(Drawing, PlainElementsAreDrawnFrontToBackAsListedAndBringToFrontReorders) {
    LayoutBuilder b("order", {200, 100});
    b.add("Top", ElementKind::Label, {0, 0, 60, 60}, {},
          labelLook(Colour::fromRgb(0), Colour::fromRgb(0xFF0000), ""));
    b.add("Under", ElementKind::Label, {30, 30, 60, 60}, {},
          labelLook(Colour::fromRgb(0), Colour::fromRgb(0x0000FF), ""));
    auto& p1 = b.add("PanelA", ElementKind::Panel, {100, 0, 60, 60});
    p1.properties.backColour = Colour::fromRgb(0xFF0000);
    auto& p2 = b.add("PanelB", ElementKind::Panel, {130, 30, 60, 60});
    p2.properties.backColour = Colour::fromRgb(0x0000FF);
    ShownWindow w(b.layout());
    w.window->show();
    QImage image = w.grabClient();
    EXPECT_TRUE(near(image.pixelColor(45, 45), kRed));
    EXPECT_TRUE(near(image.pixelColor(145, 45), kRed));

    w.window->at("Under").bringToFront();
    w.window->at("PanelB").bringToFront();
    image = w.grabClient();
    EXPECT_TRUE(near(image.pixelColor(45, 45), kBlue));
    EXPECT_TRUE(near(image.pixelColor(145, 45), kBlue));
}

TEST(Drawing, HiddenElementsAndTheChildrenOfHiddenPanelsAreNotDrawn) {
    LayoutBuilder b("hidden", {200, 100});
    auto& hidden = b.add("Hidden", ElementKind::Label, {0, 0, 40, 40}, {},
                         labelLook(Colour::fromRgb(0), Colour::fromRgb(0xFF0000), ""));
    hidden.properties.visible = false;
    b.add("Shown", ElementKind::Label, {50, 0, 40, 40}, {},
          labelLook(Colour::fromRgb(0), Colour::fromRgb(0xFF0000), ""));
    auto& panel = b.add("Panel", ElementKind::Panel, {100, 0, 60, 60});
    panel.properties.backColour = Colour::fromRgb(0x0000FF);
    auto& button = b.add("Button", ElementKind::PushButton, {5, 5, 30, 20}, "Panel");
    button.properties.caption = "C";
    ShownWindow w(b.layout());
    w.window->show();
    QImage image = w.grabClient();
    EXPECT_TRUE(near(image.pixelColor(20, 20), kBlack));
    EXPECT_TRUE(near(image.pixelColor(70, 20), kRed));
    EXPECT_TRUE(w.widgetOf("Button").isVisibleTo(w.view().clientArea()));

    w.window->at("Hidden").setVisible(true);
    w.window->at("Shown").setVisible(false);
    w.window->at("Panel").setVisible(false);
    image = w.grabClient();
    EXPECT_TRUE(near(image.pixelColor(20, 20), kRed));
    EXPECT_TRUE(near(image.pixelColor(70, 20), kBlack));
    EXPECT_TRUE(near(image.pixelColor(130, 30), kBlack));
    EXPECT_FALSE(w.widgetOf("Button").isVisibleTo(w.view().clientArea()));
}

TEST(Drawing, APanelShowsItsPictureFromTheTopLeftCutAtItsEdges) {
    LayoutBuilder b("panel picture", {200, 100});
    auto& panel = b.add("Panel", ElementKind::Panel, {10, 10, 30, 20});
    panel.properties.picture = "background";
    panel.properties.backColour = Colour::fromRgb(0x00FF00);
    ShownWindow w(b.layout());
    w.folder.addPicture("background", 40, 40, kRed, kBlue);
    w.window->show();
    QImage image = w.grabClient();
    EXPECT_TRUE(near(image.pixelColor(15, 15), kRed));
    EXPECT_TRUE(near(image.pixelColor(35, 25), kBlue)) << "x 25 of 40 in the picture";
    EXPECT_TRUE(near(image.pixelColor(45, 15), kBlack)) << "nothing beyond the panel";

    w.window->at("Panel").setPicture("");
    image = w.grabClient();
    EXPECT_TRUE(near(image.pixelColor(15, 15), QColor(0, 255, 0))) << "its colour without one";
}

TEST(Drawing, ShapesAreFilledInsideTheirBorder) {
    LayoutBuilder b("shapes", {100, 100});
    auto& shape = b.add("Shape", ElementKind::Shape, {10, 10, 19, 18});
    shape.properties.backColour = Colour::fromRgb(0xC00000);
    shape.properties.borderColour = Colour::fromRgb(0xFFC0FF);
    ShownWindow w(b.layout());
    w.window->show();
    const QImage image = w.grabClient();
    EXPECT_TRUE(near(image.pixelColor(10, 10), QColor(0xFF, 0xC0, 0xFF)));
    EXPECT_TRUE(near(image.pixelColor(28, 27), QColor(0xFF, 0xC0, 0xFF)));
    EXPECT_TRUE(near(image.pixelColor(18, 18), QColor(0xC0, 0x00, 0x00)));
    EXPECT_TRUE(near(image.pixelColor(29, 28), kBlack));
}

TEST(Drawing, AGroupBoxHasItsCaptionAndColourAndDrawsItsPlainChildren) {
    LayoutBuilder b("group", {200, 150});
    auto& group = b.add("Frame1", ElementKind::GroupBox, {10, 10, 146, 131});
    group.properties.caption = "カードを選択してください";
    group.properties.backColour = Colour::fromRgb(0x1C6C0D);
    group.properties.textColour = Colour::highlightText();
    b.add("Inside", ElementKind::Label, {10, 60, 30, 30}, "Frame1",
          labelLook(Colour::fromRgb(0), Colour::fromRgb(0xFF0000), ""));
    ShownWindow w(b.layout());
    w.window->show();
    auto& box = dynamic_cast<QGroupBox&>(w.widgetOf("Frame1"));
    EXPECT_EQ(box.title(), QStringLiteral("カードを選択してください"));
    const QImage image = w.grabClient();
    EXPECT_TRUE(near(image.pixelColor(80, 120), kGreen));
    EXPECT_TRUE(near(image.pixelColor(30, 80), kRed));
    EXPECT_TRUE(anyPixelNear(image, {12, 10, 140, 14}, kWhite)) << "white caption";
}

TEST(Drawing, ArrayMembersMadeAtRunTimeAreDrawnOnceShown) {
    LayoutBuilder b("array", {200, 100});
    auto& model = b.add("Card", ElementKind::Label, {0, 0, 20, 20}, {},
                        labelLook(Colour::fromRgb(0), Colour::fromRgb(0xFF0000), ""));
    model.index = 0;
    auto& panel = b.add("Pile", ElementKind::Panel, {100, 0, 20, 20});
    panel.index = 0;
    panel.properties.backColour = Colour::fromRgb(0x0000FF);
    ShownWindow w(b.layout());
    w.window->show();
    Element& card = w.window->createMember("Card", 1);
    card.setLeft(40);
    Element& pile = w.window->createMember("Pile", 1);
    pile.setLeft(140);
    QImage image = w.grabClient();
    EXPECT_TRUE(near(image.pixelColor(50, 10), kBlack)) << "members start hidden";
    EXPECT_TRUE(near(image.pixelColor(150, 10), kBlack));
    card.setVisible(true);
    pile.setVisible(true);
    image = w.grabClient();
    EXPECT_TRUE(near(image.pixelColor(50, 10), kRed));
    EXPECT_TRUE(near(image.pixelColor(150, 10), kBlue));
}

}  // namespace
}  // namespace koropika
