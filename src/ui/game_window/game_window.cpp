#include "ui/game_window/game_window.h"

#include <charconv>
#include <cmath>
#include <iostream>
#include <utility>

#include "game/computer.h"
#include "shared/data_folder.h"
#include "shared/window_position_file.h"
#include "ui/elements/palette.h"
#include "ui/game_window/announcements.h"
#include "ui/game_window/game_window_elements.h"
#include "ui/game_window/game_window_layout.h"

namespace koropika {

namespace {

constexpr int kWindowHeightTwips = 8400;
constexpr int kWindowWidthTwips = 11000;
constexpr int kDefaultCardBack = 4;
constexpr int kBlueCountersDesign = 2;
constexpr int kTopLevel = 6;
// The incoming card of a pile waits this far above its panel (twips).
constexpr double kPileStartTwips = -1200;
constexpr int kDiceRollMs = 100;
constexpr int kGameOverBlinkMs = 500;
constexpr double kStartCaptionPoints = 30;
constexpr double kDicePromptPoints = 16;

double topTwips(const Element& element) {
    return element.top() * kTwipsPerPixel;
}

void setTopTwips(Element& element, double twips) {
    element.setTop(static_cast<int>(std::lround(twips / kTwipsPerPixel)));
}

int numberIn(const std::string& text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

GameWindow::GameWindow(SharedSettings& settings, EventLoop& loop, Desktop& desktop,
                       SoundDevice& sound, Random& random, std::function<std::uint64_t()> clockSeed)
    : settings_(settings),
      loop_(loop),
      desktop_(desktop),
      sounds_(settings, sound),
      random_(random),
      clockSeed_(std::move(clockSeed)),
      window_(gameWindowLayout(), loop, desktop) {
    window_.onLoad = [this] { startUpGameWindow(); };
    window_.onUnload = [this] { onGameWindowUnload(); };
    window_.onKey = [this](Key key) { return keys_.keyPressed(key); };
}

GameWindow::~GameWindow() = default;

// ---- Start-up --------------------------------------------------------------------------------

void GameWindow::wireHandlers() {
    GameWindowElements& ui = *ui_;
    ui.設定に戻る.onClick = [this] { 設定に戻る_Click(); };
    ui.カード選択.onClick = [this] { openCardBackChoice(); };
    ui.終了.onClick = [this] { onQuitMenu(); };
    ui.Command1.onClick = [this](int) { closeCardBackChoice(); };
    for (int design = 0; design <= 4; ++design) {
        ui.Image1[design].onClick = [this](int index) { applyCardBack(index); };
    }
    ui.Picture2.onClick = [this](int) { onDiceClick(); };
    for (Element* part : {&ui.Image4, &ui.Label8, &ui.Label9}) {
        part->onMouseDown = [this](int, const MouseEvent&) { startButton_MouseDown(); };
        part->onMouseUp = [this](int, const MouseEvent&) { startButton_MouseUp(); };
    }
    // Members created later copy the handlers of member 0.
    ui.omote1[0].onClick = [this](int index) { omote1_Click(index); };
    ui.omote1[0].onMouseMove = [this](int index, const MouseEvent&) { omote1_MouseMove(index); };
    const std::pair<Element*, Element*> buttons[] = {
        {&ui.Image8, &ui.Image8},   {&ui.Label19, &ui.Image8},  {&ui.Image11, &ui.Image11},
        {&ui.Label20, &ui.Image11}, {&ui.Image12, &ui.Image12}, {&ui.Label21, &ui.Image12}};
    for (const auto& [part, button] : buttons) {
        Element* face = button;
        part->onMouseDown = [this, face](int, const MouseEvent&) { resultButton_MouseDown(*face); };
        part->onMouseUp = [this, face](int, const MouseEvent&) { resultButton_MouseUp(*face); };
    }
    ui.Timer1.onTick = [this] { Timer1_Timer(); };
    ui.Timer2.onTick = [this] { Timer2_Timer(); };
    ui.Timer3.onTick = [this] { Timer3_Timer(); };
    ui.Timer4.onTick = [this] { Timer4_Timer(); };
    ui.Timer5.onTick = [this] { Timer5_Timer(); };
    ui.Timer6.onTick = [this] { Timer6_Timer(); };
    ui.Timer7.onTick = [this] { Timer7_Timer(); };
    ui.Timer9.onTick = [this] { Timer9_Timer(); };
}

void GameWindow::startUpGameWindow() {
    ui_ = std::make_unique<GameWindowElements>(window_);
    GameWindowElements& ui = *ui_;
    wireHandlers();
    resultShown_ = false;
    stacksBuilt_ = false;
    resultButtonUsed_ = false;
    moveLog.clear();

    settings_.appPath = desktop_.programFolder();
    random_.seed(clockSeed_());
    window_.setHeightTwips(kWindowHeightTwips);
    window_.setWidthTwips(kWindowWidthTwips);
    ui.Picture1.setTop(-ui.Picture1.height());
    ui.Picture1.setLeft(10);
    ui.Label12.setBackColour(kTableGreen);
    settings_.cardBackIndex = kDefaultCardBack;
    backToSettings = 0;
    ui.カード選択.setEnabled(true);
    backChoiceReady = 0;
    readWindowPosition();
    ui.Picture5.setVisible(false);
    ui.Picture3.setVisible(true);
    ui.Picture4.setVisible(true);
    ui.Label10.setVisible(true);
    ui.Label11.setVisible(true);
    ui.Label10.setCaption(settings_.playerName);
    ui.Label2.setCaption("0");
    ui.Label3.setCaption("0");
    for (int marker = 1; marker <= settings_.level && ui.Shape1.has(marker); ++marker) {
        ui.Shape1[marker].setVisible(true);
    }

    // The settings window offers only 28, 40 and 52; any other count plays the smallest table.
    const TableGeometry geometry =
        tableGeometryFor(settings_.cardCount).value_or(*tableGeometryFor(28));
    const int cardCount = geometry.perSuit * 4;
    settings_.cardCount = static_cast<std::int16_t>(cardCount);
    round.cardsLeft = static_cast<std::int16_t>(cardCount);
    cardWidth = geometry.cardWidth;
    cardHeight = geometry.cardHeight;
    gridColumns = geometry.gridColumns;
    gridRows = geometry.gridRows;
    for (int slot = 1; slot <= cardCount; ++slot) {
        ui.ura1.create(slot);
        ui.omote1.create(slot).setAccessibleName(faceDownCardName(slot));
    }
    layOutTable(geometry);
    dealCards(geometry);
    ui.omote1[0].setEnabled(false);
    round.flippedThisTurn = 0;
    applyCardBack(kDefaultCardBack);

    ui.Label8.setCaption(kDicePrompt);
    ui.Label9.setCaption(kDiceRule);
    ui.Label8.setFontSize(kDicePromptPoints);
    ui.Picture2.setPicture(ui.ImageList2.picture(1));
    ui.Picture2.setCustomPointerShown(true);
    for (Element* part : {&ui.Image4, &ui.Label8, &ui.Label9}) {
        part->setCustomPointerShown(false);
    }
    diceClicks = 1;
    diceFace = 0;
    round.gamePhase = 0;
    ui.Image4.copyPicture(ui.Image6);
    ui.Image4.setVisible(true);
    ui.Picture3.setBackColour(kBlack);
    ui.Picture4.setBackColour(kBlack);
    ui.Timer9.setEnabled(true);
    keys_.windowLoaded();
}

void GameWindow::layOutTable(const TableGeometry& geometry) {
    for (int slot = 1; slot <= settings_.cardCount; ++slot) {
        Element& back = ui_->omote1[slot];
        const SlotPlace place = slotPlace(geometry, slot);
        back.setStretch(true);
        back.move({place.left, place.top, geometry.cardWidth, geometry.cardHeight});
        back.bringToFront();
    }
}

void GameWindow::dealCards(const TableGeometry& geometry) {
    GameWindowElements& ui = *ui_;
    const Deal deal = koropika::dealCards(settings_.cardCount, random_);
    for (int k = 1; k <= settings_.cardCount; ++k) {
        const int slot = deal.slotOfCard[static_cast<std::size_t>(k)];
        const Card& card = deal.cardAt[static_cast<std::size_t>(slot)];
        Element& face = ui.ura1[slot];
        face.setPicture(ui.ImageList1[static_cast<std::size_t>(card.suit)]->picture(card.rank));
        face.setTag(std::to_string(card.rank));
        face.setAccessibleName(faceUpCardName(slot, card));
        ui.omote1[slot].setTag(std::to_string(card.rank));
        face.setTop(ui.omote1[slot].top());
        face.setLeft(ui.omote1[slot].left());
        Element& sized = ui.ura1[k];
        sized.setWidth(geometry.cardWidth);
        sized.setHeight(geometry.cardHeight);
        sized.setStretch(true);
    }
    table = Table(deal);
}

void GameWindow::readWindowPosition() {
    const auto stored = readWindowPositionFile(dataFolderFor(settings_.appPath));
    if (!stored) {
        return;
    }
    // A damaged line keeps what the window had: its layout position, or back design 4.
    if (stored->topTwips) {
        settings_.windowTop = *stored->topTwips;
        window_.setTopTwips(settings_.windowTop);
    }
    if (stored->leftTwips) {
        settings_.windowLeft = *stored->leftTwips;
        window_.setLeftTwips(settings_.windowLeft);
    }
    if (stored->cardBackIndex) {
        settings_.cardBackIndex = *stored->cardBackIndex;
    }
}

void GameWindow::saveWindowPosition() {
    // A minimized window has no place worth keeping.
    if (desktop_.minimized(window_)) {
        return;
    }
    const std::string failure =
        writeWindowPositionFile(dataFolderFor(settings_.appPath), window_.topTwips(),
                                window_.leftTwips(), settings_.cardBackIndex);
    if (!failure.empty()) {
        std::cerr << "koropika: the window position was not saved: " << failure << '\n';
    }
}

void GameWindow::onGameWindowUnload() {
    saveWindowPosition();
    // The bindings go with the load; they are freed once the running handler has returned.
    loop_.post([retired = std::shared_ptr<GameWindowElements>(std::move(ui_))] {});
    if (backToSettings == 0) {
        desktop_.endProgram();
    }
}

void GameWindow::onQuitMenu() {
    saveWindowPosition();
    desktop_.endProgram();
}

void GameWindow::設定に戻る_Click() {
    if (onBackToSettingsMenu) {
        onBackToSettingsMenu();
    }
}

// ---- Card back choice ------------------------------------------------------------------------

void GameWindow::applyCardBack(int index) {
    GameWindowElements& ui = *ui_;
    if (backChoiceReady == 1) {
        settings_.cardBackIndex = static_cast<std::int16_t>(index);
    }
    const Element& design = ui.Image1[settings_.cardBackIndex];
    for (int slot = 1; slot <= settings_.cardCount; ++slot) {
        ui.omote1[slot].copyPicture(design);
    }
    for (ElementArray* pile : {&ui.Image2, &ui.Image3}) {
        (*pile)[0].copyPicture(design);
        (*pile)[1].copyPicture(design);
        setTopTwips((*pile)[0], kPileStartTwips);
    }
    pileStep[1] = (topTwips(ui.Image2[1]) - topTwips(ui.Image2[0])) / 5;
    pileStep[2] = (topTwips(ui.Image3[1]) - topTwips(ui.Image3[0])) / 5;
    ui.Frame1.setVisible(false);
    const Colour counters = index == kBlueCountersDesign ? kBlue : kWhite;
    ui.Label2.setTextColour(counters);
    ui.Label3.setTextColour(counters);
    backChoiceReady = 1;
}

void GameWindow::openCardBackChoice() {
    ui_->Frame1.setVisible(true);
}

void GameWindow::closeCardBackChoice() {
    ui_->Frame1.setVisible(false);
}

// ---- Dice ------------------------------------------------------------------------------------

void GameWindow::onDiceClick() {
    if (diceClicks <= 3) {
        ++diceClicks;  // stays at 4 however often the dice is clicked afterwards
    }
    if (diceClicks != 2) {
        return;  // the rolling steps take the second click; later ones change nothing
    }
    GameWindowElements& ui = *ui_;
    ui.Label8.setCaption(kDiceStopPrompt);
    ui.Timer4.setInterval(kDiceRollMs);
    ui.Timer4.setEnabled(true);
    ui.設定に戻る.setEnabled(false);
    window_.post([this] { rollStep(); });
}

void GameWindow::rollStep() {
    // Runs once the events waiting before it have been handled, so ticks and the stopping
    // click come between two plays of the clock.
    if (diceClicks > 2) {
        stopDice();
        return;
    }
    sounds_.playClock();
    window_.post([this] { rollStep(); });
}

void GameWindow::stopDice() {
    GameWindowElements& ui = *ui_;
    ui.Timer4.setEnabled(false);
    if (diceFace % 2 == 1) {
        ui.Label9.setCaption(kPlayerStarts);
        round.playerTurn = 1;
    } else {
        ui.Label9.setCaption(kComputerStarts);
        round.playerTurn = 0;
    }
    showTurnIndicator();
    ui.Label8.setCaption(kStartCaption);
    ui.Label8.setFontSize(kStartCaptionPoints);
    ui.Label9.setVisible(true);
    ui.Picture2.setCustomPointerShown(false);
    for (Element* part : {&ui.Image4, &ui.Label8, &ui.Label9}) {
        part->setCustomPointerShown(true);
    }
    ui.設定に戻る.setEnabled(true);
    round.gamePhase = 1;
    keys_.diceStopped();
}

void GameWindow::onDiceTick() {
    ++diceFace;
    ui_->Picture2.setPicture(ui_->ImageList2.picture(diceFace));
    if (diceFace == 6) {
        diceFace = 0;
    }
}

void GameWindow::showTurnIndicator() {
    ui_->Picture3.setBackColour(round.playerTurn != 0 ? kBlue : kBlack);
    ui_->Picture4.setBackColour(round.playerTurn != 0 ? kBlack : kBlue);
}

// ---- Start button ----------------------------------------------------------------------------

void GameWindow::Timer9_Timer() {
    GameWindowElements& ui = *ui_;
    ui.Picture1.setTop(ui.Picture1.top() + 20);
    if (ui.Picture1.top() > 0) {
        ui.Timer9.setEnabled(false);
        ui.Timer1.setEnabled(true);
    }
}

void GameWindow::Timer1_Timer() {
    GameWindowElements& ui = *ui_;
    if (startButtonBlink == 0) {
        startButtonBlink = 1;
        ui.Image4.copyPicture(ui.Image7);
    } else {
        startButtonBlink = 0;
        ui.Image4.copyPicture(ui.Image6);
    }
}

void GameWindow::startButton_MouseDown() {
    if (round.gamePhase == 0) {
        return;
    }
    ui_->Timer1.setEnabled(false);
    ui_->Image4.copyPicture(ui_->Image5);
    round.gamePhase = 2;
}

void GameWindow::startButton_MouseUp() {
    if (round.gamePhase != 0) {
        beginPlay();
    }
}

void GameWindow::beginPlay() {
    GameWindowElements& ui = *ui_;
    ui.Timer1.setEnabled(false);
    ui.Image4.copyPicture(ui.Image6);
    ui.Picture1.setVisible(false);
    round.gamePhase = 0;  // card clicks are refused while the cards appear
    revealCard(1);
}

void GameWindow::revealCard(int slot) {
    GameWindowElements& ui = *ui_;
    if (slot <= settings_.cardCount) {
        showBack(slot, true);
        window_.after(kRevealPauseMs, [this, slot] { revealCard(slot + 1); });
        return;
    }
    round.gamePhase = 2;
    ui.カード選択.setEnabled(false);
    if (round.playerTurn == 0) {
        ui.Timer6.setEnabled(true);
    }
    keys_.tableReady();
}

// ---- The player's move -----------------------------------------------------------------------

void GameWindow::omote1_Click(int index) {
    if (round.playerTurn == 0 || round.flippedThisTurn == 2 || round.resolvingPair == 1 ||
        round.gamePhase < 2 || (round.flippedThisTurn == 1 && index == round.firstSlot)) {
        return;
    }
    if (index < 1 || index > settings_.cardCount || !table.faceDown(index)) {
        return;  // only a face-down card's back can be clicked
    }
    GameWindowElements& ui = *ui_;
    sounds_.playClick();
    ++round.flippedThisTurn;
    // The turned card is drawn by the repaint its changes request; the move goes on at once.
    table.remember(index);
    moveLog.record(MoveLog::Side::Player, index, table.rank(index));
    if (round.flippedThisTurn == 1) {
        round.firstRank = static_cast<std::int16_t>(numberIn(rankText(index)));
        round.firstSlot = static_cast<std::int16_t>(index);
        showBack(round.firstSlot, false);
        showFace(round.firstSlot, true);
        round.blinkShowNext = 1;
        ui.Timer3.setEnabled(true);
        keys_.cardTurned(true, index);
        return;
    }
    ui.Timer3.setEnabled(false);
    showBack(index, false);
    showFace(round.firstSlot, true);
    showFace(index, true);
    round.secondRank = static_cast<std::int16_t>(numberIn(rankText(index)));
    round.resolvingPair = 1;
    round.secondSlot = static_cast<std::int16_t>(index);
    if (isPairRank(rankText(round.secondSlot), round.firstRank)) {
        addTwo(ui.Label2);
        round.cardsLeft = static_cast<std::int16_t>(round.cardsLeft - 2);
        sounds_.playPinpon();
        startPileSlide(ui.Image2[0]);
    }
    keys_.cardTurned(true, index);
    ui.Timer2.setEnabled(true);
}

void GameWindow::omote1_MouseMove(int index) {
    if (round.gamePhase == 2 && round.playerTurn != 0 && ui_->omote1.has(index)) {
        ui_->omote1[index].setCustomPointerShown(true);
    }
}

void GameWindow::Timer3_Timer() {
    if (round.blinkShowNext != 0) {
        showFace(round.firstSlot, true);
        round.blinkShowNext = 0;
    } else {
        showFace(round.firstSlot, false);
        round.blinkShowNext = 1;
    }
}

void GameWindow::Timer2_Timer() {
    GameWindowElements& ui = *ui_;
    if (isPairRank(rankText(round.secondSlot), round.firstRank)) {
        for (const int slot : {round.firstSlot, round.secondSlot}) {
            showBack(slot, false);
            showFace(slot, false);
        }
        if (round.cardsLeft == 0) {
            ui.Timer2.setEnabled(false);
            showResult();
        }
    } else {
        if (round.playerTurn == 0) {
            round.playerTurn = 1;
        } else {
            round.playerTurn = 0;
            ui.Timer6.setEnabled(true);
        }
        showTurnIndicator();
    }
    for (int slot = 1; slot <= settings_.cardCount; ++slot) {
        if (table.faceShown(slot)) {
            showBack(slot, true);
        }
    }
    ui.Timer2.setEnabled(false);
    round.resolvingPair = 0;
    round.flippedThisTurn = 0;
    keys_.moveResolved();
}

void GameWindow::Timer5_Timer() {
    GameWindowElements& ui = *ui_;
    ++pileTick;
    const bool players = round.playerTurn == 1;
    ElementArray& pile = players ? ui.Image2 : ui.Image3;
    Element& moving = pile[0];
    setTopTwips(moving, topTwips(moving) + pileStep[players ? 1 : 2]);
    if (pileTick == 5) {
        setTopTwips(moving, kPileStartTwips);  // the pair's second card follows
    }
    if (pileTick == 10) {
        moving.setTop(pile[1].top());
        ui.Timer5.setEnabled(false);
        pileTick = 0;
    }
}

// ---- The computer's move ---------------------------------------------------------------------

void GameWindow::Timer6_Timer() {
    ++round.flippedThisTurn;
    // With no card face down there is nothing to pick; the round's own rules never get here.
    if (round.flippedThisTurn == 3 || round.playerTurn == 1 || !table.anyFaceDown()) {
        ui_->Timer6.setEnabled(false);
        return;
    }
    sounds_.playCancel();
    if (round.flippedThisTurn == 1) {
        computerFirstCard();
    } else if (round.flippedThisTurn == 2) {
        computerSecondCard();
    }
}

void GameWindow::computerFirstCard() {
    ++computerPicks;
    computerPicksFromMemory += chooseFirstCard(table, round, settings_.level, random_) ? 1 : 0;
    round.firstRank = static_cast<std::int16_t>(numberIn(rankText(round.cpuFirstSlot)));
    round.firstSlot = round.cpuFirstSlot;
    round.flippedThisTurn = 1;
    moveLog.record(MoveLog::Side::Computer, round.firstSlot, table.rank(round.firstSlot));
    showBack(round.firstSlot, false);
    showFace(round.firstSlot, true);
    round.blinkShowNext = 1;
    ui_->Timer3.setEnabled(true);
    round.resolvingPair = 0;
    keys_.cardTurned(false, round.firstSlot);
}

void GameWindow::computerSecondCard() {
    GameWindowElements& ui = *ui_;
    ++computerPicks;
    computerPicksFromMemory += chooseSecondCard(table, round, settings_.level, random_) ? 1 : 0;
    if (round.cpuSecondSlot == round.firstSlot) {
        return;
    }
    moveLog.record(MoveLog::Side::Computer, round.cpuSecondSlot, table.rank(round.cpuSecondSlot));
    ui.Timer3.setEnabled(false);
    showBack(round.cpuSecondSlot, false);
    showFace(round.firstSlot, true);
    showFace(round.cpuSecondSlot, true);
    round.secondRank = static_cast<std::int16_t>(numberIn(rankText(round.cpuSecondSlot)));
    round.secondSlot = round.cpuSecondSlot;
    round.resolvingPair = 1;
    if (isPairRank(rankText(round.secondSlot), round.firstRank)) {
        addTwo(ui.Label3);
        round.cardsLeft = static_cast<std::int16_t>(round.cardsLeft - 2);
        sounds_.playPinpon();
        startPileSlide(ui.Image3[0]);
    }
    keys_.cardTurned(false, round.secondSlot);
    ui.Timer7.setEnabled(true);
    round.resolvingPair = 0;
}

void GameWindow::Timer7_Timer() {
    GameWindowElements& ui = *ui_;
    if (!isPairRank(rankText(round.secondSlot), round.firstRank)) {
        for (const int slot : {round.firstSlot, round.secondSlot}) {
            showBack(slot, true);
            showFace(slot, true);
        }
        ui.Timer6.setEnabled(false);
        round.playerTurn = round.playerTurn == 0 ? 1 : 0;
        showTurnIndicator();
    } else {
        for (const int slot : {round.firstSlot, round.secondSlot}) {
            showBack(slot, false);
            showFace(slot, false);
        }
        round.flippedThisTurn = 0;
        ui.Timer6.setEnabled(true);
        if (round.cardsLeft == 0) {
            ui.Timer6.setEnabled(false);
            ui.Timer7.setEnabled(false);
            showResult();
        }
    }
    round.resolvingPair = 0;
    ui.Timer7.setEnabled(false);
    round.flippedThisTurn = 0;
    keys_.moveResolved();
}

// ---- Round end -------------------------------------------------------------------------------

void GameWindow::showResult() {
    if (resultShown_) {
        return;  // a round ends once
    }
    resultShown_ = true;
    GameWindowElements& ui = *ui_;
    ui.Picture5.setWidth(700);
    ui.Picture5.setHeight(480);
    ui.Picture5.setBorder(Border::None);
    ui.Picture5.setLeft(15);
    ui.Picture5.setTop(50);
    ui.Picture5.setVisible(true);
    ui.Label12.setBackColour(kBlack);
    ui.Label13.setCaption(ui.Label10.caption());
    ui.Label15.setCaption(ui.Label2.caption() + " 枚");
    ui.Label16.setCaption(ui.Label3.caption() + " 枚");
    for (Element* hidden : {&ui.Picture3, &ui.Picture4, &ui.Label10, &ui.Label11}) {
        hidden->setVisible(false);
    }
    const int playerCards = numberIn(ui.Label2.caption());
    const int computerCards = numberIn(ui.Label3.caption());
    const int d = playerCards - computerCards;
    if (d == 0) {
        ui.Label17.setCaption(kDraw);
    } else if (d > 0) {
        ui.Label17.setCaption(ui.Label13.caption() + kPlayerWinsSuffix);
    } else {
        ui.Label17.setCaption(kComputerWins);
    }
    diceFace = 1;
    keys_.roundOver();
    buildResultStacks(playerCards, computerCards, 0);
}

void GameWindow::buildResultStacks(int playerPictures, int computerPictures, int placed) {
    GameWindowElements& ui = *ui_;
    if (placed >= playerPictures + computerPictures) {
        finishResult();
        return;
    }
    // The player's stack fans out from left 20 at top 120, then the computer's from left 350
    // at top 110, five pixels a picture.
    const bool players = placed < playerPictures;
    const int number = players ? placed + 1 : placed - playerPictures + 1;
    ElementArray& stack = players ? ui.Image9 : ui.Image10;
    Element& picture = stack.create(number);
    picture.copyPicture(ui.Image2[0]);
    picture.setTop(players ? 120 : 110);
    picture.setLeft((players ? 20 : 350) + 5 * (number - 1));
    picture.setStretch(false);
    picture.setVisible(true);
    picture.bringToFront();
    window_.after(kStackPausePerPictureMs, [this, playerPictures, computerPictures, placed] {
        buildResultStacks(playerPictures, computerPictures, placed + 1);
    });
}

void GameWindow::finishResult() {
    GameWindowElements& ui = *ui_;
    stacksBuilt_ = true;
    if (settings_.level >= kTopLevel) {
        ui.Label21.setVisible(false);
        ui.Image12.setVisible(false);
    } else {
        ui.Image12.setVisible(true);
        ui.Label21.setVisible(true);
        ui.Label21.setCaption("レベル " + std::to_string(settings_.level + 1) + " に挑戦する");
        ui.Image12.setAccessibleName(ui.Label21.caption());
    }
    ui.Timer4.setInterval(kGameOverBlinkMs);
    ui.Timer4.setEnabled(true);
}

void GameWindow::Timer4_Timer() {
    if (round.gamePhase == 0) {
        onDiceTick();
    } else if (round.gamePhase == 2) {
        if (diceFace == 1) {
            ui_->Label18.setVisible(true);
            diceFace = 0;
        } else {
            ui_->Label18.setVisible(false);
            diceFace = 1;
        }
    }
}

// ---- Result buttons --------------------------------------------------------------------------

void GameWindow::resultButton_MouseDown(Element& button) {
    button.copyPicture(ui_->Image13);
}

void GameWindow::resultButton_MouseUp(Element& button) {
    GameWindowElements& ui = *ui_;
    button.copyPicture(ui.Image14);
    // One release ends the window; a second one, or one before the round has ended, does
    // nothing. The level offer names a level only below the top one.
    if (resultButtonUsed_ || !resultShown_) {
        return;
    }
    if (&button == &ui.Image8) {
        resultButtonUsed_ = true;
        playAgain(false);
    } else if (&button == &ui.Image11) {
        resultButtonUsed_ = true;
        設定に戻る_Click();
    } else if (&button == &ui.Image12 && settings_.level < kTopLevel) {
        resultButtonUsed_ = true;
        playAgain(true);
    }
}

void GameWindow::playAgain(bool nextLevel) {
    if (nextLevel) {
        ++settings_.level;
    }
    backToSettings = 1;
    window_.unload();
    window_.show();
}

// ---- The table -------------------------------------------------------------------------------

void GameWindow::showBack(int slot, bool shown) {
    table.setBackShown(slot, shown);
    ui_->omote1[slot].setVisible(shown);
}

void GameWindow::showFace(int slot, bool shown) {
    table.setFaceShown(slot, shown);
    ui_->ura1[slot].setVisible(shown);
}

const std::string& GameWindow::rankText(int slot) const {
    return ui_->omote1[slot].tag();
}

void GameWindow::addTwo(Element& count) {
    count.setCaption(std::to_string(numberIn(count.caption()) + 2));
}

void GameWindow::startPileSlide(Element& incoming) {
    setTopTwips(incoming, kPileStartTwips);
    ui_->Timer5.setEnabled(true);
}

}  // namespace koropika
