// The front end's own windows with the shipped English translation installed: every text is
// English, and at each window's default size every caption has the room it needs.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>

#include "qt/deal_dialog.h"
#include "qt/records_window.h"
#include "qt_test_support.h"

namespace koropika {
namespace {

using namespace std::chrono_literals;

class EnglishFrontEnd : public ::testing::Test {
  protected:
    // Both files, as the program installs them: the dialog also shows the round number's
    // messages, which are the windows' words.
    void SetUp() override {
        for (QTranslator& file : english_) {
            const QString name =
                &file == english_ ? QStringLiteral("front_end") : QStringLiteral("windows");
            ASSERT_TRUE(
                file.load(QStringLiteral(KOROPIKA_PROGRAM_DIR "/translations/%1_en.qm").arg(name)));
            QCoreApplication::installTranslator(&file);
        }
    }
    void TearDown() override {
        for (QTranslator& file : english_) {
            QCoreApplication::removeTranslator(&file);
        }
    }

  private:
    QTranslator english_[2];
};

bool hasJapanese(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return (c.unicode() >= 0x3000 && c.unicode() <= 0x9fff) ||
               (c.unicode() >= 0xff00 && c.unicode() <= 0xffef);
    });
}

// Every text shown in `window` is English, and no label, button, check box, list or column
// heading is narrower than its text needs. Labels that wrap their text are left out.
void expectEnglishAndUnclipped(const QWidget& window) {
    EXPECT_FALSE(hasJapanese(window.windowTitle())) << window.windowTitle().toStdString();
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->isVisible()) {
            EXPECT_FALSE(hasJapanese(label->text())) << label->text().toStdString();
            if (!label->wordWrap()) {
                EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
            }
        }
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->isVisible()) {
            EXPECT_FALSE(hasJapanese(button->text() + button->accessibleName()))
                << button->text().toStdString();
            EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
        }
    }
    for (const QComboBox* combo : window.findChildren<QComboBox*>()) {
        if (combo->isVisible()) {
            EXPECT_GE(combo->width(), combo->sizeHint().width())
                << combo->currentText().toStdString();
        }
    }
    for (const QTableView* table : window.findChildren<QTableView*>()) {
        if (!table->isVisible()) {
            continue;  // a table for rounds the player has not played
        }
        EXPECT_FALSE(hasJapanese(table->accessibleName()));
        const QHeaderView* header = table->horizontalHeader();
        EXPECT_LE(header->length(), table->viewport()->width()) << "a column is out of view";
        for (int column = 0; column < header->count(); ++column) {
            const QString heading =
                table->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
            EXPECT_FALSE(hasJapanese(heading)) << heading.toStdString();
            EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column))
                << heading.toStdString();
        }
    }
}

RoundRecord round(int level, std::optional<Winner> winner) {
    RoundRecord r;
    r.started = std::chrono::sys_days{std::chrono::year{2026} / 12 / 1} + 20h;
    r.ended = r.started + 3min;
    r.playerName = "Ann";
    r.level = level;
    r.cardCount = 40;
    r.winner = winner;
    r.ending = winner ? Ending::Finished : Ending::Left;
    r.playerCount = winner == Winner::Player ? 22 : 18;
    r.computerCount = 40 - r.playerCount;
    r.dealNumber = 4321;
    return r;
}

TEST_F(EnglishFrontEnd, TheRecordsWindowSpeaksEnglishAndFitsItsTexts) {
    QTemporaryDir dataFolder;
    QTemporaryDir programFolder;
    QFile::copy(QStringLiteral(KOROPIKA_PROGRAM_DIR "/levels.dat"),
                programFolder.filePath("levels.dat"));
    records::RecordsStore store(dataFolder.path().toStdString());
    ASSERT_TRUE(store.record(round(2, Winner::Player)));
    ASSERT_TRUE(store.record(round(2, std::nullopt)));
    RecordsWindow window(store, "Ann", programFolder.path());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    EXPECT_EQ(window.windowTitle(), QStringLiteral("Records"));
    const QAbstractItemModel* levels =
        window.findChild<QTableView*>(QStringLiteral("レベルとカード数ごとの成績"))->model();
    EXPECT_EQ(levels->headerData(11, Qt::Horizontal).toString(), QStringLiteral("Fewest\nmoves"));
    EXPECT_EQ(levels->data(levels->index(4, 0)).toString(), QStringLiteral("Level 2"));
    EXPECT_EQ(levels->data(levels->index(4, 1)).toString(), QStringLiteral("40 cards"));
    const QAbstractItemModel* recent =
        window.findChild<QTableView*>(QStringLiteral("最近の対戦"))->model();
    EXPECT_EQ(recent->data(recent->index(0, 5)).toString(), QStringLiteral("Quit"));
    EXPECT_EQ(recent->data(recent->index(1, 5)).toString(), QStringLiteral("Won"));
    EXPECT_TRUE(
        recent->data(recent->index(0, 0)).toString().startsWith(QStringLiteral("2026-12-0")));

    // The chart tells a screen reader its figures: the player's rate with the rounds it rests
    // on, beside the scripted players' at the same level and card count.
    const QWidget* chart = nullptr;
    for (const QWidget* child : window.findChildren<QWidget*>()) {
        if (child->accessibleName() == QStringLiteral("Chart of win rates by level")) {
            chart = child;
        }
    }
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->accessibleDescription().startsWith(
        QStringLiteral("Level 1: you none, player who never forgets 99.2 %, player at random "
                       "0.0 %. Level 2: you 100.0 % (1 of 1), player who never forgets 97.8 %")))
        << chart->accessibleDescription().toStdString();
    for (const char* caption : {"あなたの勝率 (縦線は ±1 標準誤差)",
                                "一度見たカードを忘れないプレーヤーの勝率 (同じレベルとカード数)",
                                "でたらめにめくるプレーヤーの勝率", "± は 1 標準誤差です。"}) {
        EXPECT_FALSE(hasJapanese(QCoreApplication::translate("WinRateChart", caption))) << caption;
    }
    expectEnglishAndUnclipped(window);
}

TEST_F(EnglishFrontEnd, TheDealDialogSpeaksEnglishAndFitsItsTexts) {
    QWidget owner;
    auto* dialog = new DealDialog(123456789, &owner);
    owner.show();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Game number"));
    EXPECT_EQ(dialog->replayButton()->text(), QStringLiteral("Same cards again"));
    EXPECT_EQ(dialog->numberField()->placeholderText(), QStringLiteral("1 to 999999999"));
    // Each message of a refused number, in English.
    for (const auto& [typed, problem] :
         {std::pair{"", "Please enter a number."}, std::pair{"12a", "Please enter digits only."},
          std::pair{"0", "The number must be from 1 to 999999999."}}) {
        dialog->numberField()->setText(QString::fromUtf8(typed));
        dialog->playButton()->click();
        EXPECT_EQ(dialog->problemLabel()->text(), QString::fromUtf8(problem)) << typed;
    }
    QApplication::processEvents();
    expectEnglishAndUnclipped(*dialog);
}

}  // namespace
}  // namespace koropika
