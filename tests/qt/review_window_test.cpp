// First, before any Qt header defines `slots`, a name it uses for variables.
#include "support/engine_rounds.h"

#include "qt/review_window.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <cstdio>
#include <optional>

#include "qt/announcement_board.h"
#include "qt/records_window.h"

namespace koropika {
namespace {

using namespace std::chrono_literals;
using Turn = MoveLog::Turn;
constexpr auto P = MoveLog::Side::Player;
constexpr auto C = MoveLog::Side::Computer;

RoundRecord recorded(int cards, std::optional<std::vector<Turn>> moves) {
    RoundRecord r;
    r.started = std::chrono::sys_days{std::chrono::year{2026} / 12 / 1} + 20h;
    r.ended = r.started + 3min;
    r.playerName = "たろう";
    r.cardCount = cards;
    r.winner = Winner::Computer;
    r.dealNumber = 4242;
    r.moves = std::move(moves);
    return r;
}

// A records window over one stored round, its row chosen.
struct Records {
    QTemporaryDir dataFolder;
    QTemporaryDir programFolder;
    records::RecordsStore store{dataFolder.path().toStdString(), [](const std::string&) {}};
    std::unique_ptr<RecordsWindow> window;

    explicit Records(const RoundRecord& round) {
        QFile::link(QStringLiteral(KOROPIKA_PROGRAM_DIR "/images"),
                    programFolder.filePath("images"));
        EXPECT_TRUE(store.record(round));
        window = std::make_unique<RecordsWindow>(store, "たろう", programFolder.path());
        window->show();
        auto* recent = window->findChild<QTableView*>(QStringLiteral("最近の対戦"));
        recent->setCurrentIndex(recent->model()->index(0, 0));
    }
    QPushButton* reviewButton() const {
        for (auto* button : window->findChildren<QPushButton*>()) {
            if (button->accessibleName() == QStringLiteral("振り返る")) {
                return button;
            }
        }
        return nullptr;
    }
    ReviewWindow* review() const { return window->findChild<ReviewWindow*>(); }
};

// Six moves of 28 cards: the rank-3 pair at slots 1 and 3 is known when the player turns slot 5
// instead (missed), and the 6 at slot 4 when the player's second card is slot 6 (missed); the
// player's last move takes a known 2 (used).
std::vector<Turn> workedRound() {
    return {{P, 1, 3, 1},       {P, 2, 5, 2},       {C, 3, 3, 3},       {C, 4, 6, 4},
            {P, 5, 6, 1},       {P, 6, 2, 2},       {C, 1, 3, 1, true}, {C, 3, 3, 3, true},
            {C, 5, 6, 1, true}, {C, 4, 6, 4, true}, {P, 7, 2, 3},       {P, 6, 2, 2}};
}

// The windows in English while it lives.
struct InEnglish {
    QTranslator files[2];
    InEnglish() {
        for (int i = 0; i < 2; ++i) {
            EXPECT_TRUE(files[i].load(QStringLiteral(KOROPIKA_PROGRAM_DIR "/translations/%1_en.qm")
                                          .arg(i == 0 ? "front_end" : "windows")));
            QCoreApplication::installTranslator(&files[i]);
        }
    }
    ~InEnglish() {
        for (QTranslator& file : files) {
            QCoreApplication::removeTranslator(&file);
        }
    }
    InEnglish(const InEnglish&) = delete;
    InEnglish& operator=(const InEnglish&) = delete;
};

QString listCell(const ReviewWindow& review, int row, int column) {
    const QAbstractItemModel* model =
        review.findChild<QTableView*>(QStringLiteral("手の一覧"))->model();
    return model->data(model->index(row, column)).toString();
}

QColor colourAtSlotOneFrame(const ReviewWindow& review) {
    for (auto* widget : review.findChildren<QWidget*>()) {
        if (widget->accessibleName() == QStringLiteral("テーブル")) {
            const QImage image = widget->grab().toImage();
            return image.pixelColor((QPointF(6, 30) * image.devicePixelRatio()).toPoint());
        }
    }
    return {};
}

TEST(ReviewWindow, StepsThroughAWorkedRoundWithItsMissedPairsMarkedAndAnnounced) {
    Records records(recorded(28, workedRound()));
    ASSERT_TRUE(records.reviewButton()->isEnabled());
    records.reviewButton()->click();
    ReviewWindow* review = records.review();
    ASSERT_NE(review, nullptr);
    EXPECT_TRUE(review->isModal());
    EXPECT_EQ(review->findChild<QLabel*>(QStringLiteral("まとめ"))->text(),
              QStringLiteral("見逃したペア 2・記憶 33 %"));
    const QStringList labels{"", "でたらめ", "見逃したペア", "記憶から", "記憶から", ""};
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(listCell(*review, row, 5), labels[row]) << row;
    }
    EXPECT_EQ(listCell(*review, 3, 4), QStringLiteral("ペア"));
    EXPECT_EQ(listCell(*review, 2, 4), QString());

    auto* list = review->findChild<QTableView*>(QStringLiteral("手の一覧"));
    QTest::keyClick(list, Qt::Key_Left);
    EXPECT_EQ(review->shownMove(), 0) << "before the first move there is nothing";
    const QColor tableGreen = colourAtSlotOneFrame(*review);
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(review->shownMove(), 5);
    EXPECT_EQ(review->findChild<QLabel*>(QStringLiteral("取った枚数"))->text(),
              QStringLiteral("あなた 2 枚・コンピュータ 4 枚"));
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keyClick(list, Qt::Key_Right);
    QTest::keyClick(list, Qt::Key_Right);
    EXPECT_EQ(review->shownMove(), 2);
    EXPECT_EQ(list->currentIndex().row(), 2);
    EXPECT_EQ(review->findChild<AnnouncementBoard*>()->lastAnnouncement(),
              QStringLiteral("3 手目：あなた、カード 5、スペードの 6、カード 6、クラブの 2、"
                             "ペアではありません、見逃したペア"));
    // The missed pair's slots are framed on the table.
    EXPECT_NE(colourAtSlotOneFrame(*review), tableGreen);
    QTest::keyClick(list, Qt::Key_Right);
    EXPECT_EQ(colourAtSlotOneFrame(*review), tableGreen);
    review->close();

    // In English a spoken step is one sentence: its words after the first in lower case.
    const InEnglish english;
    ReviewWindow inEnglish(recorded(28, workedRound()), QString(), nullptr);
    inEnglish.showMove(2);
    EXPECT_EQ(inEnglish.findChild<AnnouncementBoard*>()->lastAnnouncement(),
              QStringLiteral("Move 3: you, card 5, six of spades, card 6, two of clubs, not a "
                             "pair, missed pair"));
    inEnglish.showMove(3);
    EXPECT_EQ(inEnglish.findChild<AnnouncementBoard*>()->lastAnnouncement(),
              QStringLiteral("Move 4: the computer, card 1, three of spades, card 3, three of "
                             "hearts, pair, from memory"));
    EXPECT_EQ(listCell(inEnglish, 3, 5), QStringLiteral("From memory"));
}

// The level table's memory column, beside the win rate: the mean of the finished rounds' memory
// scores, with its standard error from ten rounds on, "—" where no round had an opportunity.
TEST(ReviewWindow, TheLevelTableShowsTheMeanMemoryScoreOfTheFinishedRounds) {
    // The player takes the known 3s at both cards of the second move: 100 %.
    const std::vector<Turn> allUsed{{P, 1, 3, 1}, {P, 2, 5, 2}, {C, 3, 3, 3},
                                    {C, 4, 6, 4}, {P, 1, 3, 1}, {P, 3, 3, 3}};
    std::optional<InEnglish> english;
    if (qEnvironmentVariableIsSet("KOROPIKA_REVIEW_ENGLISH")) {
        english.emplace();
    }
    Records records(recorded(28, workedRound()));  // 33 %
    const auto memoryCell = [&](int row) {
        const QAbstractItemModel* model =
            records.window->findChild<QTableView*>(QStringLiteral("レベルとカード数ごとの成績"))
                ->model();
        return model->data(model->index(row, 8)).toString();
    };
    EXPECT_EQ(memoryCell(0), QStringLiteral("33 %"));
    EXPECT_EQ(memoryCell(1), QStringLiteral("—"));
    for (int i = 0; i < 9; ++i) {
        EXPECT_TRUE(records.store.record(recorded(28, i < 5 ? allUsed : workedRound())));
    }
    RoundRecord left = recorded(28, allUsed);
    left.ending = Ending::Left;
    left.winner.reset();
    EXPECT_TRUE(records.store.record(left));
    records.window->reload();
    // Five rounds of 33.3 % and five of 100 %: 66.7 ± 11.1.
    EXPECT_EQ(memoryCell(0), QStringLiteral("67 ± 11 %"));
    if (const QByteArray shot = qgetenv("KOROPIKA_LEVELS_SCREENSHOT"); !shot.isEmpty()) {
        records.window->grab().save(QString::fromLocal8Bit(shot));
    }

    // The sentence refusing a round without moves goes when another round is chosen.
    EXPECT_TRUE(records.store.record(recorded(28, std::nullopt)));
    records.window->reload();
    auto* recent = records.window->findChild<QTableView*>(QStringLiteral("最近の対戦"));
    recent->setCurrentIndex(recent->model()->index(0, 0));
    emit recent->activated(recent->currentIndex());
    auto* status = records.window->findChild<QLabel*>(QStringLiteral("状態"));
    EXPECT_FALSE(status->isHidden());
    recent->setCurrentIndex(recent->model()->index(1, 0));
    EXPECT_TRUE(status->isHidden());
}

TEST(ReviewWindow, ARoundRecordedWithoutMovesIsRefusedWithASentence) {
    Records records(recorded(40, std::nullopt));
    EXPECT_FALSE(records.reviewButton()->isEnabled());
    auto* recent = records.window->findChild<QTableView*>(QStringLiteral("最近の対戦"));
    emit recent->activated(recent->currentIndex());  // a double click or Enter
    EXPECT_EQ(records.review(), nullptr);
    EXPECT_TRUE(records.window->findChild<QLabel*>(QStringLiteral("状態"))
                    ->text()
                    .contains(QStringLiteral("手の記録がない")));
    // Opened directly, the review says the same and steps nowhere.
    ReviewWindow review(recorded(40, std::vector<Turn>{}), QString(), nullptr);
    QTest::keyClick(&review, Qt::Key_End);
    EXPECT_EQ(review.shownMove(), -1);
    EXPECT_NE(review.findChild<QLabel*>(QStringLiteral("手の記録なし")), nullptr);
}

TEST(ReviewWindow, ASeededRoundOf52CardsOpensAndPaintsQuicklyAndPlaysItsNumberAgain) {
    RoundEngine engine;
    SeededRandom random(20261209);
    testing::playEngineRound(engine, 52, 3, random, 4, testing::drivenPlayer(7));
    const std::vector<Turn> turns = engine.moveLog().turns();
    std::optional<InEnglish> english;
    if (qEnvironmentVariableIsSet("KOROPIKA_REVIEW_ENGLISH")) {
        english.emplace();
    }
    Records records(recorded(52, turns));
    QElapsedTimer clock;
    clock.start();
    records.reviewButton()->click();
    ReviewWindow* review = records.review();
    ASSERT_NE(review, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(review));
    review->repaint();
    const qint64 ms = clock.elapsed();
    std::printf("review of a 52-card round (%zu moves) painted %lld ms after the button\n",
                (turns.size() + 1) / 2, static_cast<long long>(ms));
    EXPECT_LT(ms, 500);
    EXPECT_EQ(review->findChild<QTableView*>(QStringLiteral("手の一覧"))->model()->rowCount(),
              int((turns.size() + 1) / 2));
    if (const QByteArray shot = qgetenv("KOROPIKA_REVIEW_SCREENSHOT"); !shot.isEmpty()) {
        review->showMove(6);  // a missed pair
        review->grab().save(QString::fromLocal8Bit(shot));
    }
    qint64 played = 0;
    QObject::connect(records.window.get(), &RecordsWindow::playDealAgain,
                     [&](qint64 number) { played = number; });
    for (auto* button : review->findChildren<QPushButton*>()) {
        if (button->accessibleName() ==
            QCoreApplication::translate("ReviewWindow", "この番号でもう一度")) {
            button->click();
        }
    }
    EXPECT_EQ(played, 4242);
    EXPECT_FALSE(records.window->isVisible());
}

}  // namespace
}  // namespace koropika
