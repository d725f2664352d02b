#include "qt/records_window.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "support/test_size.h"

// Readable failures.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace koropika {
namespace {

using namespace std::chrono_literals;

RoundRecord round(const std::string& name, int level, int cards, std::optional<Winner> winner) {
    RoundRecord r;
    r.started = std::chrono::sys_days{std::chrono::year{2026} / 12 / 1} + 20h;
    r.ended = r.started + 3min;
    r.playerName = name;
    r.level = level;
    r.cardCount = cards;
    r.winner = winner;
    r.ending = winner ? Ending::Finished : Ending::Left;
    r.playerCount = winner == Winner::Player ? 16 : 10;
    r.computerCount = cards - r.playerCount;
    r.playerMoves = 20;
    return r;
}

// A records window over a store in a temporary data folder, with the shipped computer figures
// in a temporary program folder.
struct ShownRecords {
    QTemporaryDir dataFolder;
    QTemporaryDir programFolder;
    std::vector<std::string> log;
    records::RecordsStore store{dataFolder.path().toStdString(),
                                [this](const std::string& line) { log.push_back(line); }};
    std::unique_ptr<RecordsWindow> window;

    explicit ShownRecords(const std::vector<RoundRecord>& rounds,
                          const std::string& currentPlayer = "たろう") {
        QFile::copy(QStringLiteral(KOROPIKA_LEVELS_FILE), programFolder.filePath("levels.dat"));
        for (const auto& r : rounds) {
            EXPECT_TRUE(store.record(r));
        }
        window = std::make_unique<RecordsWindow>(store, currentPlayer, programFolder.path());
    }

    template <typename T>
    T* find(const QString& name) const {
        return window->findChild<T*>(name);
    }
    QString cell(const QString& table, int row, int column) const {
        const QAbstractItemModel* model = find<QTableView>(table)->model();
        return model->data(model->index(row, column)).toString();
    }
    QPushButton* button(const QString& accessibleName) const {
        for (auto* button : window->findChildren<QPushButton*>()) {
            if (button->accessibleName() == accessibleName) {
                return button;
            }
        }
        return nullptr;
    }
};

const QString kLevels = QStringLiteral("レベルとカード数ごとの成績");
const QString kRecent = QStringLiteral("最近の対戦");

std::vector<RoundRecord> threeRoundsAtTwoLevels() {
    return {round("たろう", 2, 40, Winner::Player), round("たろう", 2, 40, Winner::Computer),
            round("たろう", 5, 28, std::nullopt), round("はなこ", 1, 52, Winner::Draw)};
}

TEST(RecordsWindow, ShowsTheCurrentPlayerFirstWithFiguresForEachLevelAndCardCount) {
    ShownRecords shown(threeRoundsAtTwoLevels());
    auto* players = shown.find<QComboBox>(QStringLiteral("プレーヤー"));
    ASSERT_EQ(players->count(), 2);
    EXPECT_EQ(players->itemText(0), QStringLiteral("たろう"));
    EXPECT_EQ(players->itemText(1), QStringLiteral("はなこ"));

    // Row 4 is level 2 with 40 cards: played, won, lost, drawn, left, win rate.
    EXPECT_EQ(shown.cell(kLevels, 4, 0), QStringLiteral("レベル 2"));
    EXPECT_EQ(shown.cell(kLevels, 4, 1), QStringLiteral("40枚"));
    EXPECT_EQ(shown.cell(kLevels, 4, 2), QStringLiteral("2"));
    EXPECT_EQ(shown.cell(kLevels, 4, 3), QStringLiteral("1"));
    EXPECT_EQ(shown.cell(kLevels, 4, 4), QStringLiteral("1"));
    EXPECT_EQ(shown.cell(kLevels, 4, 7), QStringLiteral("50.0 %"));
    // Level 5 with 28 cards: one left round, no win rate.
    EXPECT_EQ(shown.cell(kLevels, 12, 6), QStringLiteral("1"));
    EXPECT_EQ(shown.cell(kLevels, 12, 7), QStringLiteral("－"));

    EXPECT_EQ(shown.find<QTableView>(kRecent)->model()->rowCount(), 3);
    EXPECT_EQ(shown.cell(kRecent, 0, 5), QStringLiteral("中断"));
    EXPECT_EQ(shown.cell(kRecent, 2, 5), QStringLiteral("勝ち"));

    players->setCurrentIndex(1);
    EXPECT_EQ(shown.cell(kLevels, 2, 5), QStringLiteral("1"));
    EXPECT_EQ(shown.cell(kRecent, 0, 5), QStringLiteral("引き分け"));
}

// The chart beside the table: after one lost round and after twelve rounds at level 3 with 28
// cards, the player's rate with the rounds it rests on (and its error from ten rounds on),
// beside the rates of the player who never forgets and the one who turns cards at random there.
TEST(RecordsWindow, TheChartSetsThePlayersWinRateBesideTheScriptedPlayersAtTheSameLevel) {
    struct Case {
        int rounds;
        int won;
        QString yours;
        QString table;
        QString note;
    };
    for (const Case& c :
         {Case{1, 0, "0.0 % (1回中0勝)", "0.0 %", ""},
          Case{12, 5, "41.7 % ± 14.2 (12回中5勝)", "41.7 % ± 14.2", "± は 1 標準誤差です。"}}) {
        std::vector<RoundRecord> rounds;
        for (int i = 0; i < c.rounds; ++i) {
            rounds.push_back(round("たろう", 3, 28, i < c.won ? Winner::Player : Winner::Computer));
        }
        ShownRecords shown(rounds);
        shown.window->show();
        QApplication::processEvents();
        QWidget* chart = nullptr;
        for (QWidget* child : shown.window->findChildren<QWidget*>()) {
            if (child->accessibleName() == QStringLiteral("レベルごとの勝率のグラフ")) {
                chart = child;
            }
        }
        ASSERT_NE(chart, nullptr);
        EXPECT_TRUE(chart->accessibleDescription().contains(
            "レベル 3: あなた " + c.yours +
            "、忘れないプレーヤー 89.1 %、でたらめにめくるプレーヤー 0.1 %"))
            << chart->accessibleDescription().toStdString();
        const QAbstractItemModel* levels = shown.find<QTableView>(kLevels)->model();
        EXPECT_EQ(shown.cell(kLevels, 6, 7), c.table);
        EXPECT_EQ(levels->data(levels->index(6, 7), Qt::ToolTipRole).toString(), c.note);

        // The lost round's 0 % is a mark in the player's colour just above the axis.
        const QImage image = chart->grab().toImage();
        const qreal scale = image.devicePixelRatio();
        const int axis = chart->height() - 2 * chart->fontMetrics().height() - 9;
        int marked = 0;
        for (int y = int((axis - 3) * scale); y < int(axis * scale); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                marked += image.pixelColor(x, y) == QColor(40, 110, 200) ? 1 : 0;
            }
        }
        EXPECT_GT(marked, 0);
        // The pointer over level 3 shows its figures, and what the ± means.
        const QPoint level3(chart->width() / 2 - 10, axis - 5);
        QHelpEvent help(QEvent::ToolTip, level3, chart->mapToGlobal(level3));
        QApplication::sendEvent(chart, &help);
        EXPECT_TRUE(QToolTip::text().startsWith("レベル 3: あなた " + c.yours));
        EXPECT_EQ(QToolTip::text().endsWith(QStringLiteral("± は 1 標準誤差です。")),
                  !c.note.isEmpty());
        QToolTip::hideText();
        if (const QByteArray shots = qgetenv("KOROPIKA_RECORDS_SCREENSHOTS"); !shots.isEmpty()) {
            shown.window->grab().save(QString::fromLocal8Bit(shots) +
                                      QStringLiteral("/records-%1.png").arg(c.rounds));
        }
    }
}

TEST(RecordsWindow, ANewPlayerIsListedFirstWithEmptyFiguresAndNothingToDelete) {
    ShownRecords shown(threeRoundsAtTwoLevels(), "じろう");
    auto* players = shown.find<QComboBox>(QStringLiteral("プレーヤー"));
    ASSERT_EQ(players->count(), 3);
    EXPECT_EQ(players->itemText(0), QStringLiteral("じろう"));
    EXPECT_EQ(shown.cell(kLevels, 4, 2), QStringLiteral("0"));
    EXPECT_FALSE(shown.button(QStringLiteral("この記録を消す"))->isEnabled());
}

TEST(RecordsWindow, DeletingAsksFirstAndRemovesOnlyThatPlayersRounds) {
    ShownRecords shown(threeRoundsAtTwoLevels());
    shown.window->show();
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        shown.button(QStringLiteral("この記録を消す"))->click();
        auto* question = shown.find<QMessageBox>(QStringLiteral("消す確認"));
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(shown.store.statsFor("たろう")->overall.played, 3);
        question->button(answer)->click();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(shown.store.statsFor("たろう")->overall.played, 0);
    EXPECT_EQ(shown.store.statsFor("はなこ")->overall.played, 1);
    EXPECT_EQ(shown.cell(kLevels, 4, 2), QStringLiteral("0"));
    EXPECT_EQ(shown.find<QTableView>(kRecent)->model()->rowCount(), 0);
}

// A player's name that a spreadsheet would read as a formula is exported after a '; the message
// saying where the file went leaves the tables where they were.
TEST(RecordsWindow, ExportWritesTheWholeHistoryWithNoNameReadAsAFormulaWithoutMovingTheTables) {
    std::vector<RoundRecord> rounds = threeRoundsAtTwoLevels();
    for (const std::string name : {"=1+2", "+A1", "-3,x", "@cmd", "\tB", "\r=C", "a=b"}) {
        rounds.push_back(round(name, 1, 28, Winner::Player));
    }
    ShownRecords shown(rounds);
    shown.window->show();
    QApplication::processEvents();
    const auto tablesAt = [&] {
        return QList<QRect>{shown.find<QTableView>(kLevels)->geometry(),
                            shown.find<QTableView>(kRecent)->geometry()};
    };
    const QList<QRect> before = tablesAt();
    shown.button(QStringLiteral("CSV に書き出す"))->click();
    auto* dialog = shown.find<QFileDialog>(QStringLiteral("書き出し先"));
    ASSERT_NE(dialog, nullptr);
    const QString path = shown.dataFolder.filePath("out.csv");
    emit dialog->fileSelected(path);
    dialog->reject();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString csv = QString::fromUtf8(file.readAll());
    EXPECT_EQ(csv.count(QStringLiteral("\r\n")), 12);
    for (const char* cell : {",はなこ,1,52,", ",'=1+2,1,", ",'+A1,1,", ",\"'-3,x\",1,", ",'@cmd,1,",
                             ",'\tB,1,", ",\"'\r=C\",1,", ",a=b,1,"}) {
        EXPECT_TRUE(csv.contains(QString::fromUtf8(cell))) << cell;
    }
    QApplication::processEvents();
    auto* status = shown.find<QLabel>(QStringLiteral("状態"));
    EXPECT_TRUE(status->isVisible());
    EXPECT_TRUE(status->text().endsWith(QStringLiteral("に書き出しました。")));
    EXPECT_EQ(tablesAt().front().top(), before.front().top());
    EXPECT_EQ(tablesAt().back().top(), before.back().top());
}

TEST(RecordsWindow, RecordsThatCannotBeReadAreSaidSo) {
    QTemporaryDir folder;
    records::RecordsStore store(folder.filePath("not-a-folder").toStdString() + "/x",
                                [](const std::string&) {});
    RecordsWindow window(store, "たろう", folder.path());
    auto* status = window.findChild<QLabel*>(QStringLiteral("状態"));
    EXPECT_FALSE(status->isHidden());
    EXPECT_EQ(status->text(), QStringLiteral("記録を読めません。"));
}

TEST(RecordsWindow, SaysWhenItOpensAndClosesForTheGameToHoldItsTimers) {
    ShownRecords shown({});
    int opened = 0;
    int closed = 0;
    QObject::connect(shown.window.get(), &RecordsWindow::opened, [&] { ++opened; });
    QObject::connect(shown.window.get(), &RecordsWindow::closed, [&] { ++closed; });
    shown.window->show();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(closed, 0);
    QTest::keyClick(shown.window.get(), Qt::Key_Escape);
    EXPECT_EQ(closed, 1);
    shown.window->show();
    shown.button(QStringLiteral("閉じる"))->click();
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(closed, 2);
}

TEST(RecordsWindow, ALastRoundWithANumberCanBePlayedAgainOnceTheWindowHasClosed) {
    std::vector<RoundRecord> rounds = threeRoundsAtTwoLevels();
    rounds[0].dealNumber = 123456789;  // listed last: the latest comes first
    rounds[2].dealNumber.reset();      // a round kept without its number
    ShownRecords shown(rounds);
    shown.window->show();
    QStringList order;
    QObject::connect(shown.window.get(), &RecordsWindow::closed, [&] { order << "closed"; });
    QObject::connect(shown.window.get(), &RecordsWindow::playDealAgain,
                     [&](qint64 number) { order << QString::number(number); });
    auto* recent = shown.find<QTableView>(kRecent);
    QPushButton* again = shown.button(QStringLiteral("この番号でもう一度"));
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->isEnabled()) << "nothing chosen yet";
    recent->setCurrentIndex(recent->model()->index(0, 0));
    EXPECT_FALSE(again->isEnabled()) << "the left round has no number";
    recent->setCurrentIndex(recent->model()->index(2, 0));
    EXPECT_EQ(shown.cell(kRecent, 2, 6), QStringLiteral("123456789"));
    ASSERT_TRUE(again->isEnabled());
    again->click();
    EXPECT_EQ(order, (QStringList{"closed", "123456789"}));
    EXPECT_FALSE(shown.window->isVisible());
}

TEST(RecordsWindow, OpenedJustAfterARoundTheWindowHasThatRoundChosen) {
    ShownRecords shown(threeRoundsAtTwoLevels());
    shown.window->show();
    auto* recent = shown.find<QTableView>(kRecent);
    EXPECT_FALSE(recent->selectionModel()->hasSelection());
    shown.window->chooseLatestRound();
    EXPECT_EQ(recent->selectionModel()->currentIndex().row(), 0) << "the latest comes first";
    EXPECT_TRUE(recent->selectionModel()->isRowSelected(0, {}));
}

TEST(RecordsWindow, TabReachesEveryControlFromThePlayerListAndEachHasAName) {
    ShownRecords shown(threeRoundsAtTwoLevels());
    shown.window->show();
    QApplication::setActiveWindow(shown.window.get());
    QStringList reached;
    for (int i = 0; i < 7; ++i) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : shown.window.get(), Qt::Key_Tab);
        focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        EXPECT_FALSE(focus->accessibleName().isEmpty());
        reached << focus->accessibleName();
    }
    EXPECT_EQ(reached, (QStringList{"プレーヤー", "この記録を消す", "CSV に書き出す", kLevels,
                                    "グラフのカード数", kRecent, "閉じる"}));
    if (const QByteArray shot = qgetenv("KOROPIKA_RECORDS_SCREENSHOT"); !shot.isEmpty()) {
        shown.window->grab().save(QString::fromLocal8Bit(shot));
    }
}

// Each round is recorded on the user-interface thread as it ends, so a write must be quick on a
// long history, and the window must open quickly over it: 100 000 rounds in the full run. The
// first write of the store opens the file, as the first round of a run does, and the writes go on
// past the write-ahead log's checkpoints. The slowest write is such a checkpoint, whose two disk
// syncs wait on whatever else the disk is doing, so the worst allowed is twice the 20 ms aimed at:
// a busy machine does not fail the test. Prints the figures it measured.
TEST(RecordsWindow, RecordingIsCheapAndTheWindowOpensQuicklyOverALongHistory) {
    const int count = test::testSize(3000, 100000);
    const int measured = test::testSize(300, 2000);
    ShownRecords shown({});
    std::mt19937 random(27);
    const std::array<std::string, 4> names = {"たろう", "はなこ", "じろう", "Ann"};
    // Every round keeps as many moves as the longest rounds of 52 cards have.
    const std::vector<MoveLog::Turn> moves(230, MoveLog::Turn{Side::Computer, 52, 13, 4, true});
    const auto randomRound = [&](int i) {
        RoundRecord r = round(names[random() % 4], int(random() % 6) + 1,
                              records::kCardCounts[random() % 3], Winner(random() % 3));
        r.ended += std::chrono::minutes{i};
        r.moves = moves;
        return r;
    };
    for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(shown.store.record(randomRound(i)));
    }

    records::RecordsStore reopened(shown.dataFolder.path().toStdString());
    QElapsedTimer clock;
    std::vector<double> spentMs;
    for (int i = 0; i < measured; ++i) {
        const RoundRecord r = randomRound(count + i);
        clock.start();
        ASSERT_TRUE(reopened.record(r));
        spentMs.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    const double firstMs = spentMs.front();
    std::sort(spentMs.begin(), spentMs.end());
    const double medianMs = spentMs[spentMs.size() / 2];

    clock.start();
    RecordsWindow window(reopened, "たろう", shown.programFolder.path());
    window.show();
    QApplication::processEvents();
    const double openMs = double(clock.nsecsElapsed()) / 1e6;
    std::printf(
        "%d rounds recorded over %d: median %.3f ms, worst %.1f ms (the first, which opens the "
        "file: %.1f ms); the window opened in %.0f ms\n",
        measured, count, medianMs, spentMs.back(), firstMs, openMs);
    EXPECT_LE(medianMs, 5.0);
    EXPECT_LE(spentMs.back(), 40.0);
    EXPECT_LE(openMs, 300.0);
}

}  // namespace
}  // namespace koropika
