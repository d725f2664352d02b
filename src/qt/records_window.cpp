#include "qt/records_window.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <optional>

#include "qt/opponents_table.h"
#include "qt/records_chart.h"
#include "qt/records_tables.h"
#include "qt/review_window.h"

namespace koropika {

using records::RoundStats;

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Said in place of a review for a round recorded without its moves.
QString noMovesText() {
    return QCoreApplication::translate("RecordsWindow",
                                       "この対戦は手の記録がないため、振り返ることができません。");
}

// The index in kCardCounts with the most finished rounds; the first of equals.
int mostPlayedCardCount(const records::PlayerStats& stats) {
    std::array<int, records::kCardCounts.size()> finished{};
    for (std::size_t column = 0; column < finished.size(); ++column) {
        for (int level = 1; level <= 6; ++level) {
            finished[column] += stats.at(level, records::kCardCounts[column]).finished();
        }
    }
    return int(std::max_element(finished.begin(), finished.end()) - finished.begin());
}

// `objectName` finds the table in tests; `accessibleName` is what a screen reader says.
QTableView* makeTable(QAbstractItemModel* model, const QString& objectName,
                      const QString& accessibleName, QWidget* parent) {
    auto* table = new QTableView(parent);
    table->setModel(model);
    table->setAccessibleName(accessibleName);
    table->setObjectName(objectName);
    // Tab leaves the table; the arrows move inside it.
    table->setTabKeyNavigation(false);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The stretched last column never gets narrower than it was when stretching began: from the
    // narrowest width it fills only the room the others leave, down to its own contents.
    table->horizontalHeader()->setDefaultSectionSize(
        table->horizontalHeader()->minimumSectionSize());
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

}  // namespace

RecordsWindow::RecordsWindow(records::RecordsStore& store, const std::string& currentPlayer,
                             const QString& programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window),
      store_(store),
      currentPlayer_(fromUtf8(currentPlayer)),
      programFolder_(programFolder),
      computerFigures_(records::readComputerFigures(
          (programFolder + QLatin1Char('/') + QLatin1String(records::kComputerFiguresFile))
              .toStdString())) {
    setWindowTitle(QCoreApplication::translate("RecordsWindow", "記録"));
    setAccessibleName(windowTitle());

    players_ = new QComboBox(this);
    players_->setObjectName(QStringLiteral("プレーヤー"));
    players_->setAccessibleName(QCoreApplication::translate("RecordsWindow", "プレーヤー"));
    auto* playersLabel =
        new QLabel(QCoreApplication::translate("RecordsWindow", "プレーヤー(&P)"), this);
    playersLabel->setBuddy(players_);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("状態"));
    status_->setAccessibleName(QCoreApplication::translate("RecordsWindow", "状態"));
    status_->setWordWrap(true);
    // A message never widens the window; it takes the height it needs in the bottom row, so
    // that the tables above stay where they are.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    status_->hide();

    levelModel_ = new LevelTableModel(this);
    const QString levelsHeading =
        QCoreApplication::translate("RecordsWindow", "レベルとカード数ごとの成績");
    levelTable_ =
        makeTable(levelModel_, QStringLiteral("レベルとカード数ごとの成績"), levelsHeading, this);

    chartCards_ = new QComboBox(this);
    chartCards_->setObjectName(QStringLiteral("グラフのカード数"));
    chartCards_->setAccessibleName(
        QCoreApplication::translate("RecordsWindow", "グラフのカード数"));
    for (const int cards : records::kCardCounts) {
        chartCards_->addItem(
            QCoreApplication::translate("RecordsWindow", "カード数 %1枚").arg(cards), cards);
    }
    auto* chartCardsLabel =
        new QLabel(QCoreApplication::translate("RecordsWindow", "グラフ(&G)"), this);
    chartCardsLabel->setBuddy(chartCards_);
    chart_ = new WinRateChart(this);

    // Every level and card count in view without scrolling.
    levelTable_->setMinimumHeight(levelTable_->horizontalHeader()->sizeHint().height() +
                                  levelModel_->rowCount() *
                                      levelTable_->verticalHeader()->defaultSectionSize() +
                                  2 * levelTable_->frameWidth());

    opponentsModel_ = new OpponentsTableModel(this);
    const QString opponentsHeading = QCoreApplication::translate("RecordsWindow", "人との対戦");
    opponentsTable_ =
        makeTable(opponentsModel_, QStringLiteral("人との対戦"), opponentsHeading, this);

    recentModel_ = new RecentRoundsModel(this);
    recentTable_ = makeTable(recentModel_, QStringLiteral("最近の対戦"),
                             QCoreApplication::translate("RecordsWindow", "最近の対戦"), this);

    delete_ =
        new QPushButton(QCoreApplication::translate("RecordsWindow", "この記録を消す(&D)"), this);
    delete_->setAccessibleName(QCoreApplication::translate("RecordsWindow", "この記録を消す"));
    export_ =
        new QPushButton(QCoreApplication::translate("RecordsWindow", "CSV に書き出す(&E)"), this);
    export_->setAccessibleName(QCoreApplication::translate("RecordsWindow", "CSV に書き出す"));
    playAgain_ = new QPushButton(
        QCoreApplication::translate("RecordsWindow", "この番号でもう一度(&R)"), this);
    playAgain_->setAccessibleName(
        QCoreApplication::translate("RecordsWindow", "この番号でもう一度"));
    playAgain_->setEnabled(false);
    review_ = new QPushButton(QCoreApplication::translate("RecordsWindow", "振り返る(&V)"), this);
    review_->setAccessibleName(QCoreApplication::translate("RecordsWindow", "振り返る"));
    review_->setEnabled(false);
    close_ = new QPushButton(QCoreApplication::translate("RecordsWindow", "閉じる"), this);
    close_->setAccessibleName(close_->text());

    auto* top = new QHBoxLayout;
    top->addWidget(playersLabel);
    top->addWidget(players_, 1);
    top->addStretch(2);
    top->addWidget(delete_);
    top->addWidget(export_);

    auto* chartTop = new QHBoxLayout;
    chartTop->addWidget(chartCardsLabel);
    chartTop->addWidget(chartCards_);
    chartTop->addStretch(1);
    auto* chartColumn = new QVBoxLayout;
    chartColumn->addLayout(chartTop);
    chartColumn->addWidget(chart_, 1);

    auto* middle = new QGridLayout;
    middle->addWidget(new QLabel(levelsHeading, this), 0, 0);
    middle->addWidget(levelTable_, 1, 0);
    opponentsHeading_ = new QLabel(opponentsHeading, this);
    middle->addWidget(opponentsHeading_, 2, 0);
    middle->addWidget(opponentsTable_, 3, 0);
    middle->addLayout(chartColumn, 0, 1, 4, 1);
    middle->setColumnStretch(0, 2);
    middle->setColumnStretch(1, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(review_);
    bottom->addWidget(playAgain_);
    bottom->addWidget(status_, 1);
    bottom->addStretch(0);  // the room the message leaves while it is hidden
    bottom->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 3);
    layout->addWidget(new QLabel(
        QCoreApplication::translate("RecordsWindow", "最近の %1 対戦").arg(kRecentRounds), this));
    layout->addWidget(recentTable_, 2);
    layout->addLayout(bottom);

    setTabOrder(players_, delete_);
    setTabOrder(delete_, export_);
    setTabOrder(export_, levelTable_);
    setTabOrder(levelTable_, opponentsTable_);
    setTabOrder(opponentsTable_, chartCards_);
    setTabOrder(chartCards_, recentTable_);
    setTabOrder(recentTable_, review_);
    setTabOrder(review_, playAgain_);
    setTabOrder(playAgain_, close_);
    resize(1040, 720);

    connect(players_, &QComboBox::currentTextChanged, this, &RecordsWindow::showPlayer);
    connect(chartCards_, &QComboBox::currentIndexChanged, this, &RecordsWindow::showChart);
    connect(delete_, &QPushButton::clicked, this, &RecordsWindow::askToDelete);
    connect(export_, &QPushButton::clicked, this, &RecordsWindow::askWhereToExport);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    connect(playAgain_, &QPushButton::clicked, this, &RecordsWindow::playSelectedAgain);
    connect(review_, &QPushButton::clicked, this, &RecordsWindow::reviewSelected);
    // A double click or Enter on a round opens its review.
    connect(recentTable_, &QTableView::activated, this, &RecordsWindow::reviewSelected);
    // The model is reset at every player shown, which clears the selection: the buttons follow.
    connect(recentModel_, &QAbstractItemModel::modelReset, this, &RecordsWindow::followSelection);
    connect(recentTable_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &RecordsWindow::followSelection);

    reload();
}

RecordsWindow::~RecordsWindow() = default;

void RecordsWindow::chooseLatestRound() {
    if (recentModel_->rowCount() > 0) {
        recentTable_->selectionModel()->setCurrentIndex(
            recentModel_->index(0, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        recentTable_->setFocus();
    }
}

void RecordsWindow::reload() {
    status_->hide();
    const QString shown = players_->count() > 0 ? players_->currentText() : currentPlayer_;
    QStringList names{currentPlayer_};
    const auto stored = store_.playerNames();
    if (stored) {
        for (const std::string& name : *stored) {
            if (const QString text = fromUtf8(name); text != currentPlayer_) {
                names << text;
            }
        }
    }
    {
        const QSignalBlocker quiet(players_);
        players_->clear();
        players_->addItems(names);
        players_->setCurrentIndex(std::max(0, int(names.indexOf(shown))));
    }
    showPlayer(players_->currentText());
    if (!stored) {
        sayCannotRead();
    }
}

void RecordsWindow::showPlayer(const QString& name) {
    const std::string key = name.toStdString();
    const auto stats = store_.statsFor(key);
    const auto rounds = store_.lastRounds(key, kRecentRounds);
    stats_ = stats.value_or(records::PlayerStats{});
    levelModel_->setStats(stats_);
    // Rounds against people show only for a player who has played some.
    opponentsModel_->setOpponents(store_.opponentsOf(key).value_or(OpponentsTableModel::Rows{}));
    opponentsHeading_->setVisible(opponentsModel_->rowCount() > 0);
    opponentsTable_->setVisible(opponentsModel_->rowCount() > 0);
    recentModel_->setRounds(rounds.value_or(std::vector<RoundRecord>{}));
    delete_->setEnabled(stats && stats_.overall.played > 0);
    {
        // The chart opens on the card count the player has finished most rounds with.
        const QSignalBlocker quiet(chartCards_);
        chartCards_->setCurrentIndex(mostPlayedCardCount(stats_));
    }
    export_->setEnabled(store_.state() == records::RecordsStore::State::Ready);
    showChart();
    if (!stats || !rounds) {
        sayCannotRead();
    }
}

void RecordsWindow::showChart() {
    const int cards = chartCards_->currentData().toInt();
    WinRateChart::PlayerFigures player{};
    WinRateChart::Rates neverForgets{};
    WinRateChart::Rates random{};
    for (int level = 1; level <= 6; ++level) {
        const auto index = std::size_t(level - 1);
        player[index] = stats_.at(level, cards);
        for (auto [opponent, rates] : {std::pair{records::Opponent::NeverForgets, &neverForgets},
                                       std::pair{records::Opponent::Random, &random}}) {
            if (const auto figure = records::figureFor(computerFigures_, level, cards, opponent)) {
                (*rates)[index] = figure->opponentWinPercent();
            }
        }
    }
    chart_->setFigures(player, neverForgets, random);
}

std::optional<std::int64_t> RecordsWindow::selectedDealNumber() const {
    const QModelIndex current = recentTable_->selectionModel()->currentIndex();
    return current.isValid() ? recentModel_->dealNumberAt(current.row()) : std::nullopt;
}

void RecordsWindow::followSelection() {
    playAgain_->setEnabled(selectedDealNumber().has_value());
    const RoundRecord* round =
        recentModel_->roundAt(recentTable_->selectionModel()->currentIndex().row());
    review_->setEnabled(round != nullptr && round->moves && !round->moves->empty());
    // What was said of another round's moves is not said of this one.
    if (status_->text() == noMovesText()) {
        status_->hide();
        status_->clear();
    }
}

void RecordsWindow::playSelectedAgain() {
    if (const std::optional<std::int64_t> number = selectedDealNumber()) {
        playAgain(*number);
    }
}

void RecordsWindow::playAgain(std::int64_t number) {
    // The window goes first, so the game's timers go on before the new round loads.
    close();
    emit playDealAgain(qint64(number));
}

void RecordsWindow::reviewSelected() {
    const RoundRecord* round =
        recentModel_->roundAt(recentTable_->selectionModel()->currentIndex().row());
    if (round == nullptr) {
        return;
    }
    if (!round->moves || round->moves->empty()) {
        status_->setText(noMovesText());
        status_->show();
        return;
    }
    auto* review = new ReviewWindow(*round, programFolder_, this);
    review->setObjectName(QStringLiteral("振り返り"));
    review->setAttribute(Qt::WA_DeleteOnClose);
    review->setWindowModality(Qt::WindowModal);
    connect(review, &ReviewWindow::playDealAgain, this,
            [this](qint64 number) { playAgain(number); });
    review->open();
}

void RecordsWindow::sayCannotRead() {
    status_->setText(store_.state() == records::RecordsStore::State::NewerSchema
                         ? QCoreApplication::translate("RecordsWindow",
                                                       "記録は新しい版のゲームで書かれているため、"
                                                       "読むことも書き足すこともできません。")
                         : QCoreApplication::translate("RecordsWindow", "記録を読めません。"));
    status_->show();
}

void RecordsWindow::askToDelete() {
    const QString name = players_->currentText();
    auto* question =
        new QMessageBox(QMessageBox::Question, windowTitle(),
                        QCoreApplication::translate(
                            "RecordsWindow", "「%1」の記録をすべて消します。よろしいですか。")
                            .arg(name),
                        QMessageBox::Yes | QMessageBox::No, this);
    question->setObjectName(QStringLiteral("消す確認"));
    question->setDefaultButton(QMessageBox::No);
    question->setAttribute(Qt::WA_DeleteOnClose);
    connect(question, &QMessageBox::finished, this, [this, question, name](int) {
        if (question->clickedButton() == question->button(QMessageBox::Yes) &&
            players_->currentText() == name) {
            deleteShownPlayer();
        }
    });
    question->open();
}

void RecordsWindow::deleteShownPlayer() {
    if (!store_.deletePlayer(players_->currentText().toStdString())) {
        status_->setText(QCoreApplication::translate("RecordsWindow", "記録を消せませんでした。"));
        status_->show();
        return;
    }
    reload();
}

void RecordsWindow::askWhereToExport() {
    auto* dialog =
        new QFileDialog(this, QCoreApplication::translate("RecordsWindow", "CSV に書き出す"),
                        QString(), QCoreApplication::translate("RecordsWindow", "CSV (*.csv)"));
    dialog->setObjectName(QStringLiteral("書き出し先"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    dialog->selectFile(QStringLiteral("koropika-records.csv"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, &RecordsWindow::exportTo);
    dialog->open();
}

void RecordsWindow::exportTo(const QString& path) {
    const auto csv = store_.historyCsv();
    QSaveFile file(path);
    const bool written = csv && file.open(QIODevice::WriteOnly) &&
                         file.write(csv->data(), qint64(csv->size())) == qint64(csv->size()) &&
                         file.commit();
    status_->setText(
        (written ? QCoreApplication::translate("RecordsWindow", "%1 に書き出しました。")
                 : QCoreApplication::translate("RecordsWindow", "%1 に書き出せませんでした。"))
            .arg(path));
    status_->show();
}

void RecordsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The window itself holds the focus when it opens: the first Tab goes to the player list.
    if (!focusWidget()) {
        setFocus(Qt::OtherFocusReason);
    }
    if (!event->spontaneous()) {
        emit opened();
    }
}

void RecordsWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        emit closed();
    }
}

void RecordsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace koropika
