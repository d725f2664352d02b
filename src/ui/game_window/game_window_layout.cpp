#include "ui/game_window/game_window_layout.h"

#include "ui/game_window/game_window_elements.h"

#include <string>
#include <utility>
#include <vector>

#include "shared/durations.h"
#include "shared/texts.h"
#include "ui/elements/layout_row.h"
#include "ui/elements/palette.h"
#include "ui/game_window/game_window.h"

namespace koropika {

namespace {

constexpr Colour kDicePanelPurple = Colour::fromRgb(0x400040);
constexpr Colour kDiceGrey = Colour::fromRgb(0xC0C0C0);
constexpr Colour kYellow = Colour::fromRgb(0xFFFF00);
constexpr Colour kPaleYellow = Colour::fromRgb(0xFFFF80);
constexpr Colour kPaleOrange = Colour::fromRgb(0xFFE0C0);
constexpr Colour kLightGreen = Colour::fromRgb(0x80FF80);
constexpr Colour kMagenta = Colour::fromRgb(0xC000C0);
constexpr Colour kMarkerRed = Colour::fromRgb(0xC00000);

constexpr bool kBold = true;

// The three clickable texts of the result panel, each over a button picture.
Row resultButtonLabel(std::string name, Rect rect, std::string text) {
    return label(std::move(name), "Picture5", rect)
        .centred()
        .transparent()
        .sizedToText()
        .font(11.25, kBold)
        .text(kTableGreen)
        .cursorA()
        .caption(std::move(text));
}

// "カード枚数" heading of a player's panel.
Row cardCountHeading(const Window& w, std::string name, std::string container, Rect rect) {
    return label(std::move(name), std::move(container), rect)
        .transparent()
        .sizedToText()
        .font(12)
        .text(kPaleOrange)
        .caption(w.desktop().translate("GameWindow", "カード枚数"));
}

// "枚" after a player's count.
Row cardsUnit(const Window& w, std::string name, std::string container, Rect rect) {
    return label(std::move(name), std::move(container), rect)
        .transparent()
        .sizedToText()
        .font(14.25)
        .text(kPaleOrange)
        //: The unit after a count of cards; English has none and writes a single space.
        .caption(w.desktop().translate("GameWindow", "枚"));
}

// The large count of cards a player has taken.
Row takenCount(std::string name, std::string container, Rect rect) {
    return label(std::move(name), std::move(container), rect)
        .centred()
        .transparent()
        .font(27.75)
        .text(Colour::highlightText())
        .caption("0");
}

// A player's pile of taken cards: two pictures in one place, empty until a pair is taken.
Element& addPile(Window& w, const std::string& name, const std::string& container, Rect rect) {
    w.add(picture(name, 0, container, rect).stretched());
    return w.add(picture(name, 1, container, rect).stretched());
}

// Level markers; start-up shows one per level.
Element& addLevelMarkers(Window& w) {
    Element* marker = nullptr;
    for (int i = 1; i <= 6; ++i) {
        marker =
            &w.add(Row("Shape1", i, ElementKind::Shape, "Picture4", {15 + 20 * (i - 1), 27, 19, 18})
                       .squareColours(kMarkerRed, kPink)
                       .hidden());
    }
    return *marker;
}

// The five card back designs of the chooser.
Element& addBackDesigns(Window& w) {
    const Rect places[] = {
        {10, 20, 37, 50}, {55, 20, 37, 50}, {100, 20, 37, 50}, {10, 75, 37, 50}, {55, 75, 37, 50},
    };
    Element* design = nullptr;
    for (int i = 0; i < 5; ++i) {
        design = &w.add(
            picture("Image1", i, "Frame1", places[i])
                .stretched()
                .picture("back_" + std::to_string(i))
                .accessibleName(fillText(w.desktop().translate("GameWindow", "カードの裏 %1"),
                                         {std::to_string(i + 1)})));
    }
    return *design;
}

ImageListSpec diceFaces() {
    std::vector<std::string> faces;
    for (int face = 1; face <= 6; ++face) {
        faces.push_back("dice_" + std::to_string(face));
    }
    return {"ImageList2", -1, {55, 55}, std::move(faces)};
}

// One list of card faces per suit: 1 spades, 2 clubs, 3 hearts, 4 diamonds; ranks 1..13.
ImageListSpec cardFaces(int suit) {
    std::vector<std::string> faces;
    for (int rank = 1; rank <= 13; ++rank) {
        faces.push_back("face_" + std::to_string(suit) + "_" + std::to_string(rank));
    }
    return {"ImageList1", suit, {55, 72}, std::move(faces)};
}

WindowLayout buildLayout() {
    WindowLayout layout;
    layout.name = "トランプ";
    layout.caption = "ころぴか V_1.0";
    layout.icon = "icon";
    layout.background = kBlack;
    layout.designedClient = {647, 414};
    return layout;
}

}  // namespace

std::string levelOffer(const Desktop& desktop, int level) {
    return fillText(desktop.translate("GameWindow", "レベル %1 に挑戦する"),
                    {std::to_string(level)});
}

const WindowLayout& gameWindowLayout() {
    static const WindowLayout layout = buildLayout();
    return layout;
}

// Top-level elements first, then the children of each container; every container's own
// children front to back.
GameWindowElements::GameWindowElements(Window& w)
    : Picture5(w.add(panel("Picture5", "", {30, 0, 506, 410})
                         .singleBorder()
                         .back(Colour::menuText())
                         .hidden())),
      Picture4(w.add(panel("Picture4", "", {565, 190, 146, 161})
                         .singleBorder()
                         .back(kBlack)
                         .innerUnitTwips())),
      Picture3(w.add(panel("Picture3", "", {565, 55, 146, 111})
                         .singleBorder()
                         .back(Colour::menuText())
                         .innerUnitTwips())),
      Picture1(w.add(panel("Picture1", "", {45, 85, 351, 100})
                         .singleBorder()
                         .back(kDicePanelPurple)
                         .innerUnitTwips())),
      Frame1(w.add(Row("Frame1", -1, ElementKind::GroupBox, "", {565, 365, 146, 131})
                       .caption(w.desktop().translate("GameWindow", "カードを選択してください"))
                       .back(kTableGreen)
                       .text(Colour::highlightText())
                       .hidden())),
      Label11(w.add(label("Label11", "", {570, 175, 76, 16})
                        .font(9.75)
                        .text(Colour::highlightText())
                        .back(kTableGreen)
                        .caption(w.desktop().translate("GameWindow", "コンピュータ")))),
      Label10(w.add(label("Label10", "", {570, 40, 76, 16})
                        .font(9.75)
                        .text(Colour::highlightText())
                        .back(kTableGreen))),
      ura1(w.add(picture("ura1", 0, "", {495, 10, 41, 41}).hidden())),
      // Members are named after their slot when they are created.
      omote1(w.add(picture("omote1", 0, "", {655, 15, 31, 31})
                       .stretched()
                       .cursorBStored()
                       .accessibleName(w.desktop().translate("GameWindow", "カード")))),
      // Holders of the three start button pictures, never shown themselves.
      Image7(w.add(picture("Image7", -1, "", {485, 410, 30, 30})
                       .stretched()
                       .hidden()
                       .picture("start_plain"))),
      Image6(w.add(picture("Image6", -1, "", {445, 410, 30, 30})
                       .stretched()
                       .hidden()
                       .picture("start_hand"))),
      Image5(w.add(picture("Image5", -1, "", {405, 410, 30, 30})
                       .stretched()
                       .hidden()
                       .picture("start_pressed"))),
      Label12(w.add(label("Label12", "", {555, 0, 211, 521}).back(kTableGreen))),

      Label14(w.add(label("Label14", "Picture5", {410, 15, 136, 21})
                        .centred()
                        .transparent()
                        .font(15.75, kBold)
                        .text(kPaleYellow)
                        .caption(w.desktop().translate("GameWindow", "コンピュータ")))),
      Image16(w.add(picture("Image16", -1, "Picture5", {370, 10, 172, 45}).picture("star"))),
      Label13(w.add(label("Label13", "Picture5", {75, 10, 238, 29})
                        .transparent()
                        .font(15.75, kBold)
                        .text(kYellow))),
      Image15(w.add(picture("Image15", -1, "Picture5", {30, 10, 172, 45}).picture("star"))),
      Image14(w.add(picture("Image14", -1, "Picture5", {570, 425, 87, 19})
                        .stretched()
                        .hidden()
                        .picture("button_normal"))),
      Image13(w.add(picture("Image13", -1, "Picture5", {570, 405, 87, 19})
                        .stretched()
                        .hidden()
                        .picture("button_pressed"))),
      Label21(w.add(resultButtonLabel("Label21", {255, 400, 144, 15}, levelOffer(w.desktop(), 4)))),
      Label20(w.add(resultButtonLabel("Label20", {270, 360, 110, 15},
                                      w.desktop().translate("GameWindow", "設定画面に戻る")))),
      Label19(w.add(resultButtonLabel("Label19", {265, 320, 118, 15},
                                      w.desktop().translate("GameWindow", "もう一度やり直す")))),
      // Each button picture is named by the text on it; the level offer's text changes with
      // the level, and the name with it.
      Image12(w.add(picture("Image12", -1, "Picture5", {230, 390, 192, 34})
                        .cursorA()
                        .picture("button_normal")
                        .accessibleName(levelOffer(w.desktop(), 4)))),
      Image11(w.add(picture("Image11", -1, "Picture5", {230, 350, 192, 34})
                        .cursorA()
                        .picture("button_normal")
                        .accessibleName(w.desktop().translate("GameWindow", "設定画面に戻る")))),
      Image8(w.add(picture("Image8", -1, "Picture5", {230, 310, 192, 34})
                       .cursorA()
                       .picture("button_normal")
                       .accessibleName(w.desktop().translate("GameWindow", "もう一度やり直す")))),
      Label18(w.add(label("Label18", "Picture5", {150, 240, 341, 51})
                        .centred()
                        .font(36, kBold)
                        .text(Colour::highlightText())
                        .back(kMagenta)
                        .caption("GAME-OVER"))),
      Label17(w.add(label("Label17", "Picture5", {135, 205, 386, 24})
                        .centred()
                        .transparent()
                        .font(18, kBold)
                        .text(kLightGreen))),
      Label16(w.add(label("Label16", "Picture5", {370, 65, 136, 36})
                        .centred()
                        .transparent()
                        .font(26.25, kBold)
                        .text(kPink))),
      Label15(w.add(label("Label15", "Picture5", {30, 65, 131, 36})
                        .centred()
                        .transparent()
                        .font(26.25, kBold)
                        .text(kPink))),
      Image9(w.add(picture("Image9", 0, "Picture5", {540, 45, 55, 72}).stretched())),
      Image10(w.add(picture("Image10", 0, "Picture5", {575, 40, 55, 72}))),

      Label7(w.add(cardCountHeading(w, "Label7", "Picture4", {5, 55, 71, 16}))),
      Image3(addPile(w, "Image3", "Picture4", {10, 85, 52, 68})),
      Shape1(addLevelMarkers(w)),
      Label1(w.add(label("Label1", "Picture4", {15, 10, 42, 15})
                       .transparent()
                       .sizedToText()
                       .font(11.25)
                       .text(Colour::highlightText())
                       .caption(w.desktop().translate("GameWindow", "レベル")))),
      Label5(w.add(cardsUnit(w, "Label5", "Picture4", {115, 125, 19, 19}))),
      Label3(w.add(takenCount("Label3", "Picture4", {65, 90, 61, 51}))),

      Label6(w.add(cardCountHeading(w, "Label6", "Picture3", {5, 10, 71, 16}))),
      Image2(addPile(w, "Image2", "Picture3", {10, 35, 52, 68})),
      Label4(w.add(cardsUnit(w, "Label4", "Picture3", {115, 75, 19, 19}))),
      Label2(w.add(takenCount("Label2", "Picture3", {65, 45, 61, 51}))),

      Picture2(w.add(panel("Picture2", "Picture1", {70, 20, 55, 55})
                         .singleBorder()
                         .back(kDiceGrey)
                         .cursorBStored()
                         .innerUnitTwips()
                         .accessibleName(w.desktop().translate("GameWindow", "サイコロ")))),
      Label9(w.add(label("Label9", "Picture1", {155, 65, 5, 16})
                       .transparent()
                       .sizedToText()
                       .font(12)
                       .text(kYellow)
                       .cursorBStored())),
      Label8(w.add(label("Label8", "Picture1", {153, 15, 162, 48})
                       .transparent()
                       .sizedToText()
                       .font(36, kBold)
                       .text(kYellow)
                       .cursorBStored()
                       .caption(w.desktop().translate("GameWindow", kStartCaption)))),
      Image4(w.add(picture("Image4", -1, "Picture1", {-10, 0, 360, 95})
                       .stretched()
                       .cursorBStored()
                       .accessibleName(w.desktop().translate("GameWindow", kStartCaption)))),

      Command1(w.add(
          Row("Command1", -1, ElementKind::PushButton, "Frame1", {100, 90, 36, 31}).caption("C"))),
      Image1(addBackDesigns(w)),

      ImageList2(w.add(diceFaces())),
      ImageList1{nullptr, &w.add(cardFaces(1)), &w.add(cardFaces(2)), &w.add(cardFaces(3)),
                 &w.add(cardFaces(4))},

      設定に戻る(w.add(MenuSpec{"設定に戻る", w.desktop().translate("GameWindow", "設定に戻る")})),
      カード選択(w.add(MenuSpec{"カード選択", w.desktop().translate("GameWindow", "カード選択")})),
      終了(w.add(MenuSpec{"終了", w.desktop().translate("GameWindow", "終了")})),

      // Only the start button blink runs from creation on.
      Timer9(w.add(TimerSpec{"Timer9", durations::kDicePanelSlideStepMs, false})),
      Timer7(w.add(TimerSpec{"Timer7", durations::kComputerResolutionMs, false})),
      Timer6(w.add(TimerSpec{"Timer6", durations::kComputerStepMs, false})),
      Timer5(w.add(TimerSpec{"Timer5", durations::kPairSlideStepMs, false})),
      Timer4(w.add(TimerSpec{"Timer4", durations::kDiceRollStepMs, false})),
      Timer3(w.add(TimerSpec{"Timer3", durations::kFirstCardBlinkMs, false})),
      Timer2(w.add(TimerSpec{"Timer2", durations::kPlayerResolutionMs, false})),
      Timer1(w.add(TimerSpec{"Timer1", durations::kStartButtonBlinkMs, true})) {}

}  // namespace koropika
