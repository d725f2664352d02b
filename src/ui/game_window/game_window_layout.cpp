#include "ui/game_window/game_window_layout.h"

#include <string>
#include <utility>

#include "shared/durations.h"
#include "ui/elements/layout_ids.h"
#include "ui/elements/layout_row.h"
#include "ui/elements/palette.h"

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
Row cardCountHeading(std::string name, std::string container, Rect rect) {
    return label(std::move(name), std::move(container), rect)
        .transparent()
        .sizedToText()
        .font(12)
        .text(kPaleOrange)
        .caption("カード枚数");
}

// "枚" after a player's count.
Row cardsUnit(std::string name, std::string container, Rect rect) {
    return label(std::move(name), std::move(container), rect)
        .transparent()
        .sizedToText()
        .font(14.25)
        .text(kPaleOrange)
        .caption("枚");
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
void addPile(std::vector<ElementSpec>& out, const std::string& name, const std::string& container,
             Rect rect) {
    out.push_back(picture(name, 0, container, rect).stretched().spec());
    out.push_back(picture(name, 1, container, rect).stretched().spec());
}

void addTopLevel(std::vector<ElementSpec>& out) {
    out.push_back(panel("Picture5", "", {30, 0, 506, 410})
                      .singleBorder()
                      .back(Colour::menuText())
                      .hidden()
                      .spec());
    out.push_back(panel("Picture4", "", {565, 190, 146, 161})
                      .singleBorder()
                      .back(kBlack)
                      .innerUnitTwips()
                      .spec());
    out.push_back(panel("Picture3", "", {565, 55, 146, 111})
                      .singleBorder()
                      .back(Colour::menuText())
                      .innerUnitTwips()
                      .spec());
    out.push_back(panel("Picture1", "", {45, 85, 351, 100})
                      .singleBorder()
                      .back(kDicePanelPurple)
                      .innerUnitTwips()
                      .spec());
    out.push_back(Row("Frame1", -1, ElementKind::GroupBox, "", {565, 365, 146, 131})
                      .caption("カードを選択してください")
                      .back(kTableGreen)
                      .text(Colour::highlightText())
                      .hidden()
                      .spec());
    out.push_back(label("Label11", "", {570, 175, 76, 16})
                      .font(9.75)
                      .text(Colour::highlightText())
                      .back(kTableGreen)
                      .caption("コンピュータ")
                      .spec());
    out.push_back(label("Label10", "", {570, 40, 76, 16})
                      .font(9.75)
                      .text(Colour::highlightText())
                      .back(kTableGreen)
                      .spec());
    out.push_back(picture("ura1", 0, "", {495, 10, 41, 41}).hidden().spec());
    // Members are named after their slot when they are created.
    out.push_back(picture("omote1", 0, "", {655, 15, 31, 31})
                      .stretched()
                      .cursorBStored()
                      .accessibleName("カード")
                      .spec());
    // Holders of the three start button pictures, never shown themselves.
    out.push_back(picture("Image7", -1, "", {485, 410, 30, 30})
                      .stretched()
                      .hidden()
                      .picture("start_plain")
                      .spec());
    out.push_back(picture("Image6", -1, "", {445, 410, 30, 30})
                      .stretched()
                      .hidden()
                      .picture("start_hand")
                      .spec());
    out.push_back(picture("Image5", -1, "", {405, 410, 30, 30})
                      .stretched()
                      .hidden()
                      .picture("start_pressed")
                      .spec());
    out.push_back(label("Label12", "", {555, 0, 211, 521}).back(kTableGreen).spec());
}

void addResultPanel(std::vector<ElementSpec>& out) {
    const std::string in = "Picture5";
    out.push_back(label("Label14", in, {410, 15, 136, 21})
                      .centred()
                      .transparent()
                      .font(15.75, kBold)
                      .text(kPaleYellow)
                      .caption("コンピュータ")
                      .spec());
    out.push_back(picture("Image16", -1, in, {370, 10, 172, 45}).picture("star").spec());
    out.push_back(label("Label13", in, {75, 10, 238, 29})
                      .transparent()
                      .font(15.75, kBold)
                      .text(kYellow)
                      .spec());
    out.push_back(picture("Image15", -1, in, {30, 10, 172, 45}).picture("star").spec());
    out.push_back(picture("Image14", -1, in, {570, 425, 87, 19})
                      .stretched()
                      .hidden()
                      .picture("button_normal")
                      .spec());
    out.push_back(picture("Image13", -1, in, {570, 405, 87, 19})
                      .stretched()
                      .hidden()
                      .picture("button_pressed")
                      .spec());
    out.push_back(resultButtonLabel("Label21", {255, 400, 144, 15}, "レベル 4 に挑戦する").spec());
    out.push_back(resultButtonLabel("Label20", {270, 360, 110, 15}, "設定画面に戻る").spec());
    out.push_back(resultButtonLabel("Label19", {265, 320, 118, 15}, "もう一度やり直す").spec());
    // Each button picture is named by the text on it; the level offer's text changes with
    // the level, and the name with it.
    out.push_back(picture("Image12", -1, in, {230, 390, 192, 34})
                      .cursorA()
                      .picture("button_normal")
                      .accessibleName("レベル 4 に挑戦する")
                      .spec());
    out.push_back(picture("Image11", -1, in, {230, 350, 192, 34})
                      .cursorA()
                      .picture("button_normal")
                      .accessibleName("設定画面に戻る")
                      .spec());
    out.push_back(picture("Image8", -1, in, {230, 310, 192, 34})
                      .cursorA()
                      .picture("button_normal")
                      .accessibleName("もう一度やり直す")
                      .spec());
    out.push_back(label("Label18", in, {150, 240, 341, 51})
                      .centred()
                      .font(36, kBold)
                      .text(Colour::highlightText())
                      .back(kMagenta)
                      .caption("GAME-OVER")
                      .spec());
    out.push_back(label("Label17", in, {135, 205, 386, 24})
                      .centred()
                      .transparent()
                      .font(18, kBold)
                      .text(kLightGreen)
                      .spec());
    out.push_back(label("Label16", in, {370, 65, 136, 36})
                      .centred()
                      .transparent()
                      .font(26.25, kBold)
                      .text(kPink)
                      .spec());
    out.push_back(label("Label15", in, {30, 65, 131, 36})
                      .centred()
                      .transparent()
                      .font(26.25, kBold)
                      .text(kPink)
                      .spec());
    out.push_back(picture("Image9", 0, in, {540, 45, 55, 72}).stretched().spec());
    out.push_back(picture("Image10", 0, in, {575, 40, 55, 72}).spec());
}

void addComputerPanel(std::vector<ElementSpec>& out) {
    const std::string in = "Picture4";
    out.push_back(cardCountHeading("Label7", in, {5, 55, 71, 16}).spec());
    addPile(out, "Image3", in, {10, 85, 52, 68});
    // Level markers; start-up shows one per level.
    for (int i = 1; i <= 6; ++i) {
        out.push_back(Row("Shape1", i, ElementKind::Shape, in, {15 + 20 * (i - 1), 27, 19, 18})
                          .squareColours(kMarkerRed, kPink)
                          .hidden()
                          .spec());
    }
    out.push_back(label("Label1", in, {15, 10, 42, 15})
                      .transparent()
                      .sizedToText()
                      .font(11.25)
                      .text(Colour::highlightText())
                      .caption("レベル")
                      .spec());
    out.push_back(cardsUnit("Label5", in, {115, 125, 19, 19}).spec());
    out.push_back(takenCount("Label3", in, {65, 90, 61, 51}).spec());
}

void addPlayerPanel(std::vector<ElementSpec>& out) {
    const std::string in = "Picture3";
    out.push_back(cardCountHeading("Label6", in, {5, 10, 71, 16}).spec());
    addPile(out, "Image2", in, {10, 35, 52, 68});
    out.push_back(cardsUnit("Label4", in, {115, 75, 19, 19}).spec());
    out.push_back(takenCount("Label2", in, {65, 45, 61, 51}).spec());
}

void addDicePanel(std::vector<ElementSpec>& out) {
    const std::string in = "Picture1";
    out.push_back(panel("Picture2", in, {70, 20, 55, 55})
                      .singleBorder()
                      .back(kDiceGrey)
                      .cursorBStored()
                      .innerUnitTwips()
                      .accessibleName("サイコロ")
                      .spec());
    out.push_back(label("Label9", in, {155, 65, 5, 16})
                      .transparent()
                      .sizedToText()
                      .font(12)
                      .text(kYellow)
                      .cursorBStored()
                      .spec());
    out.push_back(label("Label8", in, {153, 15, 162, 48})
                      .transparent()
                      .sizedToText()
                      .font(36, kBold)
                      .text(kYellow)
                      .cursorBStored()
                      .caption("スタート")
                      .spec());
    out.push_back(picture("Image4", -1, in, {-10, 0, 360, 95})
                      .stretched()
                      .cursorBStored()
                      .accessibleName("スタート")
                      .spec());
}

void addBackChooser(std::vector<ElementSpec>& out) {
    const std::string in = "Frame1";
    out.push_back(
        Row("Command1", -1, ElementKind::PushButton, in, {100, 90, 36, 31}).caption("C").spec());
    const Rect places[] = {
        {10, 20, 37, 50}, {55, 20, 37, 50}, {100, 20, 37, 50}, {10, 75, 37, 50}, {55, 75, 37, 50},
    };
    for (int design = 0; design < 5; ++design) {
        out.push_back(picture("Image1", design, in, places[design])
                          .stretched()
                          .picture("back_" + std::to_string(design))
                          .accessibleName("カードの裏 " + std::to_string(design + 1))
                          .spec());
    }
}

void checkIds(const WindowLayout& layout) {
    const ElementRow rows[] = {
        {game_window_ids::Picture5, "Picture5", -1}, {game_window_ids::Picture4, "Picture4", -1},
        {game_window_ids::Picture3, "Picture3", -1}, {game_window_ids::Picture1, "Picture1", -1},
        {game_window_ids::Frame1, "Frame1", -1},     {game_window_ids::Label11, "Label11", -1},
        {game_window_ids::Label10, "Label10", -1},   {game_window_ids::ura1, "ura1", 0},
        {game_window_ids::omote1, "omote1", 0},      {game_window_ids::Image7, "Image7", -1},
        {game_window_ids::Image6, "Image6", -1},     {game_window_ids::Image5, "Image5", -1},
        {game_window_ids::Label12, "Label12", -1},   {game_window_ids::Label14, "Label14", -1},
        {game_window_ids::Image16, "Image16", -1},   {game_window_ids::Label13, "Label13", -1},
        {game_window_ids::Image15, "Image15", -1},   {game_window_ids::Image14, "Image14", -1},
        {game_window_ids::Image13, "Image13", -1},   {game_window_ids::Label21, "Label21", -1},
        {game_window_ids::Label20, "Label20", -1},   {game_window_ids::Label19, "Label19", -1},
        {game_window_ids::Image12, "Image12", -1},   {game_window_ids::Image11, "Image11", -1},
        {game_window_ids::Image8, "Image8", -1},     {game_window_ids::Label18, "Label18", -1},
        {game_window_ids::Label17, "Label17", -1},   {game_window_ids::Label16, "Label16", -1},
        {game_window_ids::Label15, "Label15", -1},   {game_window_ids::Image9, "Image9", 0},
        {game_window_ids::Image10, "Image10", 0},    {game_window_ids::Label7, "Label7", -1},
        {game_window_ids::Image3, "Image3", 0},      {game_window_ids::Shape1, "Shape1", 1},
        {game_window_ids::Label1, "Label1", -1},     {game_window_ids::Label5, "Label5", -1},
        {game_window_ids::Label3, "Label3", -1},     {game_window_ids::Label6, "Label6", -1},
        {game_window_ids::Image2, "Image2", 0},      {game_window_ids::Label4, "Label4", -1},
        {game_window_ids::Label2, "Label2", -1},     {game_window_ids::Picture2, "Picture2", -1},
        {game_window_ids::Label9, "Label9", -1},     {game_window_ids::Label8, "Label8", -1},
        {game_window_ids::Image4, "Image4", -1},     {game_window_ids::Command1, "Command1", -1},
        {game_window_ids::Image1, "Image1", 0},
    };
    const NamedPlace timers[] = {
        {game_window_ids::Timer9, "Timer9"}, {game_window_ids::Timer7, "Timer7"},
        {game_window_ids::Timer6, "Timer6"}, {game_window_ids::Timer5, "Timer5"},
        {game_window_ids::Timer4, "Timer4"}, {game_window_ids::Timer3, "Timer3"},
        {game_window_ids::Timer2, "Timer2"}, {game_window_ids::Timer1, "Timer1"},
    };
    const NamedPlace menus[] = {
        {game_window_ids::設定に戻る, "設定に戻る"},
        {game_window_ids::カード選択, "カード選択"},
        {game_window_ids::終了, "終了"},
    };
    const NamedPlace imageLists[] = {
        {game_window_ids::ImageList2, "ImageList2"},
        {game_window_ids::ImageList1, "ImageList1"},
    };
    checkLayoutIds(layout, rows, timers, menus, imageLists);
}

WindowLayout buildLayout() {
    WindowLayout layout;
    layout.name = "トランプ";
    layout.caption = "ころぴか V_1.0";
    layout.icon = "icon";
    layout.background = kBlack;
    layout.designedClient = {647, 414};

    // Top-level elements first, then the children of each container; every container's own
    // children are listed front to back.
    addTopLevel(layout.elements);
    addResultPanel(layout.elements);
    addComputerPanel(layout.elements);
    addPlayerPanel(layout.elements);
    addDicePanel(layout.elements);
    addBackChooser(layout.elements);

    // Only the start button blink runs from creation on.
    layout.timers = {
        {"Timer9", durations::kDicePanelSlideStepMs, false},
        {"Timer7", durations::kComputerResolutionMs, false},
        {"Timer6", durations::kComputerStepMs, false},
        {"Timer5", durations::kPairSlideStepMs, false},
        {"Timer4", durations::kDiceRollStepMs, false},
        {"Timer3", durations::kFirstCardBlinkMs, false},
        {"Timer2", durations::kPlayerResolutionMs, false},
        {"Timer1", durations::kStartButtonBlinkMs, true},
    };

    layout.menus = {{"設定に戻る", "設定に戻る"}, {"カード選択", "カード選択"}, {"終了", "終了"}};

    std::vector<std::string> dice;
    for (int face = 1; face <= 6; ++face) {
        dice.push_back("dice_" + std::to_string(face));
    }
    layout.imageLists.push_back({"ImageList2", -1, {55, 55}, std::move(dice)});
    // One list of card faces per suit: 1 spades, 2 clubs, 3 hearts, 4 diamonds; ranks 1..13.
    for (int suit = 1; suit <= 4; ++suit) {
        std::vector<std::string> faces;
        for (int rank = 1; rank <= 13; ++rank) {
            faces.push_back("face_" + std::to_string(suit) + "_" + std::to_string(rank));
        }
        layout.imageLists.push_back({"ImageList1", suit, {55, 72}, std::move(faces)});
    }
    checkIds(layout);
    return layout;
}

}  // namespace

const WindowLayout& gameWindowLayout() {
    static const WindowLayout layout = buildLayout();
    return layout;
}

}  // namespace koropika
