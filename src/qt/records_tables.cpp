#include "qt/records_tables.h"

#include <QCoreApplication>
#include <QDateTime>

#include "qt/opponents_table.h"
#include "qt/records_chart.h"

namespace koropika {

using records::RoundStats;

namespace {

// The level table's columns, in order.
enum LevelColumn {
    kLevel,
    kCards,
    kPlayed,
    kWon,
    kLost,
    kDrawn,
    kLeft,
    kWinRate,
    kMemory,
    kLongestStreak,
    kCurrentStreak,
    kFewestMoves,
};

QString resultText(const RoundRecord& round) {
    if (round.ending == Ending::Left || !round.winner) {
        return QCoreApplication::translate("RecentRoundsModel", "中断");
    }
    switch (*round.winner) {
        case Winner::Player:
            return QCoreApplication::translate("RecentRoundsModel", "勝ち");
        case Winner::Computer:
            return QCoreApplication::translate("RecentRoundsModel", "負け");
        case Winner::Draw:
            return QCoreApplication::translate("RecentRoundsModel", "引き分け");
    }
    return {};
}

QString memoryScoreNote(const RoundStats& stats) {
    QString note = QCoreApplication::translate(
        "LevelTableModel",
        "完了した対戦で、覚えていればわかったペアを取れた割合の平均 (%1 対戦)。");
    note = note.arg(stats.scoredRounds);
    if (stats.scoredRounds >= kRoundsForError) {
        note +=
            QLatin1Char(' ') + QCoreApplication::translate("WinRateChart", "± は 1 標準誤差です。");
    }
    return note;
}

}  // namespace

QString memoryScoreText(const RoundStats& stats) {
    const std::optional<double> percent = stats.memoryPercent();
    if (!percent) {
        return QStringLiteral("—");
    }
    const QString mean = QString::number(*percent, 'f', 0);
    if (stats.scoredRounds < kRoundsForError) {
        return mean + QStringLiteral(" %");
    }
    return QStringLiteral("%1 ± %2 %")
        .arg(mean, QString::number(*stats.memoryPercentError(), 'f', 0));
}

QVariant HeaderedTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        return headers_.at(section);
    }
    return {};
}

LevelTableModel::LevelTableModel(QObject* parent)
    : HeaderedTableModel({QCoreApplication::translate("LevelTableModel", "レベル"),
                          QCoreApplication::translate("LevelTableModel", "カード数"),
                          QCoreApplication::translate("LevelTableModel", "対戦"),
                          QCoreApplication::translate("LevelTableModel", "勝ち"),
                          QCoreApplication::translate("LevelTableModel", "負け"),
                          QCoreApplication::translate("LevelTableModel", "引き分け"),
                          QCoreApplication::translate("LevelTableModel", "中断"),
                          QCoreApplication::translate("LevelTableModel", "勝率"),
                          QCoreApplication::translate("LevelTableModel", "記憶"),
                          QCoreApplication::translate("LevelTableModel", "最長連勝"),
                          QCoreApplication::translate("LevelTableModel", "いまの連勝"),
                          QCoreApplication::translate("LevelTableModel", "勝った最少手数")},
                         parent) {}

void LevelTableModel::setStats(const records::PlayerStats& stats) {
    beginResetModel();
    stats_ = stats;
    endResetModel();
}

QVariant LevelTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return index.column() < kPlayed ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                        : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    }
    const int level = index.row() / 3 + 1;
    const int cards = records::kCardCounts.at(std::size_t(index.row() % 3));
    const RoundStats& cell = stats_.at(level, cards);
    if (role == Qt::ToolTipRole && index.column() == kWinRate) {
        return winRateErrorNote(cell);
    }
    if (role == Qt::ToolTipRole && index.column() == kMemory) {
        return memoryScoreNote(cell);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (index.column()) {
        case kLevel:
            return QCoreApplication::translate("LevelTableModel", "レベル %1").arg(level);
        case kCards:
            return QCoreApplication::translate("LevelTableModel", "%1枚").arg(cards);
        case kPlayed:
            return cell.played;
        case kWon:
            return cell.won;
        case kLost:
            return cell.lost;
        case kDrawn:
            return cell.drawn;
        case kLeft:
            return cell.left;
        case kWinRate:
            return winRateText(cell);
        case kLongestStreak:
            return cell.longestStreak;
        case kCurrentStreak:
            return cell.currentStreak;
        case kFewestMoves:
            return cell.fewestMovesInWin ? QVariant(*cell.fewestMovesInWin)
                                         : QVariant(QStringLiteral("－"));
        case kMemory:
            return memoryScoreText(cell);
    }
    return {};
}

RecentRoundsModel::RecentRoundsModel(QObject* parent)
    : HeaderedTableModel({QCoreApplication::translate("RecentRoundsModel", "日時"),
                          QCoreApplication::translate("RecentRoundsModel", "レベル"),
                          QCoreApplication::translate("RecentRoundsModel", "カード数"),
                          QCoreApplication::translate("RecentRoundsModel", "あなたの札"),
                          QCoreApplication::translate("RecentRoundsModel", "コンピュータの札"),
                          QCoreApplication::translate("RecentRoundsModel", "結果"),
                          QCoreApplication::translate("RecentRoundsModel", "ゲーム番号")},
                         parent) {}

void RecentRoundsModel::setRounds(std::vector<RoundRecord> rounds) {
    beginResetModel();
    rounds_ = std::move(rounds);
    endResetModel();
}

QVariant RecentRoundsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) {
        return {};
    }
    const RoundRecord& round = rounds_.at(std::size_t(index.row()));
    switch (index.column()) {
        case 0:
            return QDateTime::fromSecsSinceEpoch(round.ended.time_since_epoch().count())
                .toLocalTime()
                // The format is the language's: a translation may order the fields.
                .toString(QCoreApplication::translate("RecentRoundsModel", "yyyy/MM/dd HH:mm"));
        case 1:  // a round of two players names the person in the computer's seat
            return round.opponentName.empty() ? QVariant(round.level)
                                              : QVariant(againstText(round.opponentName));
        case 2:
            return round.cardCount;
        case 3:
            return round.playerCount;
        case 4:
            return round.computerCount;
        case 5:
            return resultText(round);
        case 6:
            return round.dealNumber ? QVariant(qlonglong(*round.dealNumber)) : QVariant();
    }
    return {};
}

std::optional<std::int64_t> RecentRoundsModel::dealNumberAt(int row) const {
    if (row < 0 || row >= rowCount()) {
        return std::nullopt;
    }
    return rounds_.at(std::size_t(row)).dealNumber;
}

}  // namespace koropika
