#include "ui/game_window/game_window.h"

#include <iostream>
#include <optional>
#include <utility>

#include "shared/window_position_file.h"
#include "ui/elements/palette.h"
#include "ui/elements/text_fit.h"
#include "ui/game_window/game_window_elements.h"
#include "ui/game_window/game_window_layout.h"

namespace koropika {

namespace {

constexpr int kWindowHeightTwips = 8400;
constexpr int kWindowWidthTwips = 11000;
constexpr int kDefaultCardBack = 4;
constexpr int kBlueCountersDesign = 2;
// The incoming card of a pile waits this far above its panel (twips).
constexpr double kPileStartTwips = -1200;
constexpr double kDicePromptPoints = 16;

double topTwips(const Element& element) {
    return element.top() * kTwipsPerPixel;
}

// To the nearest pixel, halves away from zero. The slide's positions are whole twips, whose
// pixels never fall on a half, so adding the half and cutting off is exact.
void setTopTwips(Element& element, double twips) {
    const double pixels = twips / kTwipsPerPixel;
    element.setTop(static_cast<int>(pixels < 0 ? pixels - 0.5 : pixels + 0.5));
}

}  // namespace

GameWindow::GameWindow(SharedSettings& settings, EventLoop& loop, Desktop& desktop,
                       SoundDevice& sound, Random& random,
                       std::function<std::uint64_t()> newDealNumber)
    : settings_(settings),
      loop_(loop),
      desktop_(desktop),
      sounds_(settings, sound),
      random_(random),
      stamps_(loop, std::move(newDealNumber)),
      words_(desktop.translator()),
      window_(gameWindowLayout(), loop, desktop) {
    window_.onLoad = [this] { startUpGameWindow(); };
    window_.onUnload = [this] { onGameWindowUnload(); };
    window_.onKey = [this](Key key) {
        return ((key == Key::Enter || key == Key::Space) && goOn()) || keys_.keyPressed(key);
    };
    window_.onGroundClick = [this] { goOn(); };
}

GameWindow::~GameWindow() = default;

void GameWindow::open(const GameSetup& setup) {
    setup_ = setup;
    window_.show();
}

void GameWindow::continueRound(const KeptRound& kept) {
    setup_ = GameSetup{kept.round.playerName, static_cast<std::int16_t>(kept.round.level),
                       static_cast<std::int16_t>(kept.round.cardCount), kept.round.opponentName};
    setNextDealNumber(static_cast<std::uint64_t>(kept.round.dealNumber.value_or(0)));
    toContinue_ = kept;
    window_.show();
}

void GameWindow::leaveForSettings() {
    // The flag keeps the unload from ending the run.
    leavingForSettings_ = true;
    engine_.abandon();
    window_.unload();
}

void GameWindow::playDeal(std::uint64_t number) {
    if (!window_.loaded()) {
        return;
    }
    setNextDealNumber(number);
    engine_.abandon();
    playAgain(false);
}

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
    ui.Timer2.onTick = [this] { tickOrWait(ui_->Timer2, &GameWindow::Timer2_Timer); };
    ui.Timer3.onTick = [this] { Timer3_Timer(); };
    ui.Timer4.onTick = [this] { Timer4_Timer(); };
    ui.Timer5.onTick = [this] { Timer5_Timer(); };
    ui.Timer6.onTick = [this] { tickOrWait(ui_->Timer6, &GameWindow::Timer6_Timer); };
    ui.Timer7.onTick = [this] { tickOrWait(ui_->Timer7, &GameWindow::Timer7_Timer); };
    ui.Timer9.onTick = [this] { Timer9_Timer(); };
}

void GameWindow::startUpGameWindow() {
    ui_ = std::make_unique<GameWindowElements>(window_);
    GameWindowElements& ui = *ui_;
    wireHandlers();
    keyWait_ = {};
    resultShown_ = false;
    stacksBuilt_ = false;
    resultButtonUsed_ = false;

    settings_.appPath = desktop_.programFolder();
    stamps_.deal(random_);
    window_.setHeightTwips(kWindowHeightTwips);
    window_.setWidthTwips(kWindowWidthTwips);
    ui.Picture1.setTop(-ui.Picture1.height());
    ui.Picture1.setLeft(10);
    ui.Label12.setBackColour(kTableGreen);
    cardBackIndex_ = kDefaultCardBack;
    leavingForSettings_ = false;
    ui.カード選択.setEnabled(true);
    backChoiceReady_ = false;
    readWindowPosition();
    ui.Picture5.setVisible(false);
    ui.Picture3.setVisible(true);
    ui.Picture4.setVisible(true);
    ui.Label10.setVisible(true);
    ui.Label11.setVisible(true);
    ui.Label10.setCaption(nameLine(desktop_, ui.Label10, setup_.playerName));
    ui.Label2.setCaption("0");
    ui.Label3.setCaption("0");
    // A second player takes the computer's panel, which then shows no level.
    engine_.seatSecondPlayer(twoPlayers());
    words_.seat(setup_.playerName, setup_.secondPlayerName);
    if (twoPlayers()) {
        ui.Label11.setCaption(nameLine(desktop_, ui.Label11, setup_.secondPlayerName));
        ui.Label11.setAccessibleName(setup_.secondPlayerName);  // whole, however it is shown
    }
    ui.Label1.setVisible(!twoPlayers());  // the markers' caption
    const int markers = twoPlayers() ? 0 : setup_.level;
    for (int marker = 1; marker <= markers && ui.Shape1.has(marker); ++marker) {
        ui.Shape1[marker].setVisible(true);
    }

    // The settings window offers only 28, 40 and 52; any other count plays the smallest table.
    const TableGeometry geometry =
        tableGeometryFor(setup_.cardCount).value_or(*tableGeometryFor(28));
    const int cardCount = geometry.perSuit * 4;
    setup_.cardCount = static_cast<std::int16_t>(cardCount);
    piles_ = {{{&ui.Image2[0], &ui.Image2[1]}, {&ui.Image3[0], &ui.Image3[1]}}};
    slots_[0] = {&ui.omote1[0], &ui.ura1[0]};  // the templates
    for (int slot = 1; slot <= cardCount; ++slot) {
        SlotElements& elements = slots_[static_cast<std::size_t>(slot)];
        elements.face = &ui.ura1.create(slot);
        elements.back = &ui.omote1.create(slot);
        elements.back->setAccessibleName(words_.faceDownCardName(slot));
    }
    layOutTable(geometry);
    dealCards(geometry);
    ui.omote1[0].setEnabled(false);
    applyCardBack(kDefaultCardBack);

    ui.Label8.setCaption(desktop_.translate("GameWindow", kDicePrompt));
    ui.Label9.setCaption(diceRuleLine());
    ui.Label8.setFontSize(kDicePromptPoints);
    ui.Picture2.setPicture(ui.ImageList2.picture(1));
    ui.Picture2.setCustomPointerShown(true);
    for (Element* part : {&ui.Image4, &ui.Label8, &ui.Label9}) {
        part->setCustomPointerShown(false);
    }
    diceClicks_ = 1;
    diceFace_ = 0;
    diceShown_.reset();
    ui.Image4.copyPicture(ui.Image6);
    ui.Image4.setVisible(true);
    ui.Picture3.setBackColour(kBlack);
    ui.Picture4.setBackColour(kBlack);
    ui.Timer9.setEnabled(true);
    keys_.windowLoaded(ui);
    roundKept_ = false;
    if (toContinue_) {
        takeUpKeptRound(*std::exchange(toContinue_, std::nullopt));
    }
    applyPace();
    settleMotion();
}

void GameWindow::takeUpKeptRound(const KeptRound& kept) {
    GameWindowElements& ui = *ui_;
    playBack(kept, engine_);
    diceShown_ = kept.round.diceFace;
    // Play is under way: no dice panel, no start button, no choice of card back.
    ui.Timer9.setEnabled(false);
    ui.Picture1.setVisible(false);
    ui.カード選択.setEnabled(false);
    // The back the round had, and its counters' colour as it was.
    cardBackIndex_ = static_cast<std::int16_t>(kept.cardBack);
    backChoiceReady_ = false;
    applyCardBack(kept.blueCounters ? kBlueCountersDesign : kDefaultCardBack);
    for (int slot = 1; slot <= setup_.cardCount; ++slot) {
        paintSlot(slot);
    }
    const int counts[] = {engine_.playerCards(), engine_.computerCards()};
    ui.Label2.setCaption(std::to_string(counts[0]));
    ui.Label3.setCaption(std::to_string(counts[1]));
    for (std::size_t side = 0; side < piles_.size(); ++side) {
        if (counts[side] > 0) {
            piles_[side].incoming->setTop(piles_[side].resting->top());
        }
    }
    const Side next = engine_.turn();
    showTurnIndicator(next);
    stamps_.playContinued(kept.round.firstMove, kept.round.started, kept.round.secondsPlayed);
    keepRound();  // as it stands now, without the move taken back
    if (next == Side::Computer) {
        ui.Timer6.setEnabled(true);
    }
    keys_.tableReady();
    announce([&] { return words_.continued(counts[0], counts[1], next); });
}

void GameWindow::layOutTable(const TableGeometry& geometry) {
    for (int slot = 1; slot <= setup_.cardCount; ++slot) {
        Element& back = *slots_[static_cast<std::size_t>(slot)].back;
        const SlotPlace place = slotPlace(geometry, slot);
        back.setStretch(true);
        back.move({place.left, place.top, geometry.cardWidth, geometry.cardHeight});
        back.bringToFront();
    }
}

void GameWindow::dealCards(const TableGeometry& geometry) {
    GameWindowElements& ui = *ui_;
    const Deal deal = engine_.deal(setup_.cardCount, setup_.level, random_);
    // Each face shows its card; both elements of a slot carry the rank as their tag.
    for (int slot = 1; slot <= setup_.cardCount; ++slot) {
        const Card& card = deal.cardAt[static_cast<std::size_t>(slot)];
        const SlotElements& elements = slots_[static_cast<std::size_t>(slot)];
        Element& face = *elements.face;
        Element& back = *elements.back;
        face.setPicture(ui.ImageList1[static_cast<std::size_t>(card.suit)]->picture(card.rank));
        const std::string tag = std::to_string(card.rank);
        face.setTag(tag);
        face.setAccessibleName(words_.faceUpCardName(slot, card));
        back.setTag(tag);
        face.move({back.left(), back.top(), geometry.cardWidth, geometry.cardHeight});
        face.setStretch(true);
    }
}

void GameWindow::readWindowPosition() {
    FileStore& files = desktop_.files();
    const StoredWindowPosition stored =
        readWindowPositionFile(files, files.dataFolderFor(settings_.appPath))
            .value_or(StoredWindowPosition{});
    // A missing value keeps what the window had: its layout position, or back design 4.
    if (stored.topTwips) {
        window_.setTopTwips(*stored.topTwips);
    }
    if (stored.leftTwips) {
        window_.setLeftTwips(*stored.leftTwips);
    }
    cardBackIndex_ = stored.cardBackIndex.value_or(cardBackIndex_);
}

void GameWindow::saveWindowPosition() {
    // A minimized window has no place worth keeping.
    if (desktop_.minimized(window_)) {
        return;
    }
    // Until the front end reports where the window stands, a window being centred is in the
    // middle of the screen, not at 0,0; without a screen to tell, nothing is worth storing.
    const std::optional<Point> place = window_.placeTwips(desktop_.workArea());
    if (!place) {
        return;
    }
    FileStore& files = desktop_.files();
    const std::string failure = writeWindowPositionFile(
        files, files.dataFolderFor(settings_.appPath), place->y, place->x, cardBackIndex_);
    if (!failure.empty()) {
        std::cerr << "koropika: the window position was not saved: " << failure << '\n';
    }
}

void GameWindow::onGameWindowUnload() {
    // 設定に戻る and a new round over it leave the round in play; the close box leaves it only
    // when it could not be kept for the next run.
    if (leavingForSettings_ || !roundKept_) {
        reportRoundEnd(true);
    }
    saveWindowPosition();
    // The bindings go with the load; they are freed once the running handler has returned.
    keys_.windowUnloading();
    keyWait_ = {};
    loop_.post([retired = std::shared_ptr<GameWindowElements>(std::move(ui_))] {});
    if (!leavingForSettings_) {
        desktop_.endProgram();
    }
}

void GameWindow::onQuitMenu() {
    if (!roundKept_) {
        reportRoundEnd(true);
    }
    saveWindowPosition();
    desktop_.endProgram();
}

void GameWindow::設定に戻る_Click() {
    if (onBackToSettingsMenu) {
        onBackToSettingsMenu();
    }
}

void GameWindow::reportRoundEnd(bool left) {
    const std::optional<RoundStamps::Played> played = stamps_.playEnded();
    roundKept_ = false;
    if (played && onRoundEnded) {
        onRoundEnded(roundAsItStands(*played, left));
    }
}

void GameWindow::keepRound() {
    const std::optional<RoundStamps::Played> played = stamps_.playSoFar();
    if (!played || !onRoundKept) {
        return;
    }
    KeptRound kept;
    kept.round = roundAsItStands(*played, true);
    kept.turns = std::move(*kept.round.moves);
    kept.round.moves.reset();
    kept.resolvedTurns = engine_.turnsResolved();
    kept.cardBack = cardBackIndex_;
    kept.blueCounters = countersBlue_;
    roundKept_ = onRoundKept(kept);
}

RoundRecord GameWindow::roundAsItStands(const RoundStamps::Played& played, bool left) const {
    RoundRecord round;
    round.started = played.started;
    round.ended = played.ended;
    round.playerName = setup_.playerName;
    round.opponentName = setup_.secondPlayerName;
    round.level = setup_.level;
    round.cardCount = setup_.cardCount;
    round.firstMove = played.first;
    round.playerCount = engine_.playerCards();
    round.computerCount = engine_.computerCards();
    round.ending = left ? Ending::Left : Ending::Finished;
    if (!left) {
        round.winner = engine_.result().winner;
    }
    int playerCardsTurned = 0;
    for (const MoveLog::Turn& turn : engine_.moveLog().turns()) {
        playerCardsTurned += turn.side == Side::Player ? 1 : 0;
    }
    round.playerMoves = playerCardsTurned / 2;
    round.secondsPlayed = played.seconds;
    round.dealNumber = static_cast<std::int64_t>(played.dealNumber);
    round.diceFace = diceShown_;
    round.moves = engine_.moveLog().turns();
    return round;
}

// ---- Card back choice ------------------------------------------------------------------------

void GameWindow::applyCardBack(int index) {
    GameWindowElements& ui = *ui_;
    if (backChoiceReady_) {
        cardBackIndex_ = static_cast<std::int16_t>(index);
    }
    const std::string& design = ui.Image1[cardBackIndex_].picture();
    for (int slot = 1; slot <= setup_.cardCount; ++slot) {
        slots_[static_cast<std::size_t>(slot)].back->setPicture(design);
    }
    for (PileElements& pile : piles_) {
        pile.incoming->setPicture(design);
        pile.resting->setPicture(design);
        setTopTwips(*pile.incoming, kPileStartTwips);
        pile.step = (topTwips(*pile.resting) - topTwips(*pile.incoming)) / 5;
    }
    ui.Frame1.setVisible(false);
    countersBlue_ = index == kBlueCountersDesign;
    const Colour counters = countersBlue_ ? kBlue : kWhite;
    ui.Label2.setTextColour(counters);
    ui.Label3.setTextColour(counters);
    backChoiceReady_ = true;
}

void GameWindow::openCardBackChoice() {
    ui_->Frame1.setVisible(true);
}

void GameWindow::closeCardBackChoice() {
    ui_->Frame1.setVisible(false);
}

// ---- The player's move -----------------------------------------------------------------------

void GameWindow::omote1_Click(int index) {
    if (goOn() || !engine_.playerMayTurn(index)) {
        return;
    }
    sounds_.playClick();
    // The turned card is drawn by the repaint its changes request; the move goes on at once.
    paintTurnedCard(engine_.turnPlayerCard(index));
}

void GameWindow::omote1_MouseMove(int index) {
    if (engine_.phase() == GamePhase::Play && (engine_.turn() == Side::Player || twoPlayers()) &&
        ui_->omote1.has(index)) {
        ui_->omote1[index].setCustomPointerShown(true);
    }
}

void GameWindow::Timer3_Timer() {
    // Without motion the face stays shown.
    if (motion() || engine_.state().blinkShowNext) {
        paintSlot(engine_.blinkFirstCard().slot);
    }
}

void GameWindow::Timer2_Timer() {
    resolveMove(ui_->Timer2);
}

void GameWindow::Timer5_Timer() {
    ++pileTick_;
    const PileElements& pile = piles_[slidingPile_ == Side::Player ? 0 : 1];
    Element& moving = *pile.incoming;
    setTopTwips(moving, topTwips(moving) + pile.step);
    if (pileTick_ == 5) {
        setTopTwips(moving, kPileStartTwips);  // the pair's second card follows
    }
    if (pileTick_ == 10) {
        moving.setTop(pile.resting->top());
        ui_->Timer5.setEnabled(false);
        pileTick_ = 0;
    }
}

// ---- The computer's move ---------------------------------------------------------------------

void GameWindow::Timer6_Timer() {
    if (!engine_.computerStep()) {
        ui_->Timer6.setEnabled(false);
        return;
    }
    sounds_.playCancel();
    if (const std::optional<TurnedCard> card = engine_.turnComputerCard()) {
        paintTurnedCard(*card);
    }
}

void GameWindow::Timer7_Timer() {
    resolveMove(ui_->Timer7);
}

// ---- Both sides' moves -----------------------------------------------------------------------

void GameWindow::paintTurnedCard(const TurnedCard& card) {
    GameWindowElements& ui = *ui_;
    ui.Timer3.setEnabled(!card.second);  // the first card blinks until the second is up
    paintSlot(card.slot);
    const bool players = card.side == Side::Player;
    if (card.second) {
        paintSlot(card.firstSlot);
        if (card.pair) {
            Element& count = players ? ui.Label2 : ui.Label3;
            count.setCaption(std::to_string(players ? card.playerCards : card.computerCards));
            sounds_.playPinpon();
            startPileSlide(card.side);
        }
    }
    announce([&] { return words_.cardTurned(card); });
    if (card.second) {
        // Resolved a second later; a person's move, either player's, by the player's timer.
        (players || twoPlayers() ? ui.Timer2 : ui.Timer7).setEnabled(true);
    }
    keepRound();
}

void GameWindow::resolveMove(Timer& resolutionTimer) {
    GameWindowElements& ui = *ui_;
    const MoveOutcome outcome = engine_.resolveMove();
    // Taken cards leave the table; mismatched ones lie face down again, the face kept under the
    // back.
    paintSlot(outcome.firstSlot);
    paintSlot(outcome.secondSlot);
    if (!outcome.pairTaken) {
        // The turn has passed: the computer's timer runs exactly while it is the computer's.
        ui.Timer6.setEnabled(outcome.next == Side::Computer);
        showTurnIndicator(outcome.next);
    } else if (outcome.mover == Side::Computer) {
        ui.Timer6.setEnabled(true);  // the computer goes again
    }
    if (outcome.roundOver) {
        ui.Timer6.setEnabled(false);
        resolutionTimer.setEnabled(false);
        showResult();  // which tells the result
    } else {
        keepRound();
        keys_.moveResolved();
        announce([&] { return words_.turn(outcome.next); });
    }
    resolutionTimer.setEnabled(false);
}

// ---- The table -------------------------------------------------------------------------------

void GameWindow::paintSlot(int slot) {
    // Slots come from the engine, which keeps them on the table: 1..cardCount, or 0 (the
    // templates) for a move resolved before its cards were turned.
    const SlotElements& elements = slots_.at(static_cast<std::size_t>(slot));
    elements.back->setVisible(engine_.table().backShown(slot));
    elements.face->setVisible(engine_.table().faceShown(slot));
}

void GameWindow::startPileSlide(Side side) {
    slidingPile_ = side;
    setTopTwips(*piles_[side == Side::Player ? 0 : 1].incoming, kPileStartTwips);
    ui_->Timer5.setEnabled(true);
    settleMotion();
}

}  // namespace koropika
