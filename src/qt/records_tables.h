// The records window's tables: a player's figures for each level and card count, and their
// last rounds.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "records/records_store.h"

namespace koropika {

// A read-only table with fixed column headers; subclasses give the rows.
class HeaderedTableModel : public QAbstractTableModel {
  public:
    HeaderedTableModel(QStringList headers, QObject* parent)
        : QAbstractTableModel(parent), headers_(std::move(headers)) {}

    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(headers_.size());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QStringList headers_;
};

// One row for each level with each card count: the player's figures there.
class LevelTableModel : public HeaderedTableModel {
  public:
    explicit LevelTableModel(QObject* parent);

    void setStats(const records::PlayerStats& stats);
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 6 * int(records::kCardCounts.size());
    }
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    records::PlayerStats stats_;
};

// The player's last rounds, the latest first.
class RecentRoundsModel : public HeaderedTableModel {
  public:
    explicit RecentRoundsModel(QObject* parent);

    void setRounds(std::vector<RoundRecord> rounds);
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(rounds_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override;

    // The number of the round in `row`, if it was kept.
    std::optional<std::int64_t> dealNumberAt(int row) const;
    const RoundRecord* roundAt(int row) const {
        return row >= 0 && row < rowCount() ? &rounds_.at(std::size_t(row)) : nullptr;
    }

  private:
    std::vector<RoundRecord> rounds_;
};

// The mean memory score of a level's rounds as the level table writes it: "82 %", and from
// kRoundsForError scored rounds on with its standard error, "82 ± 3 %"; "—" without a scored
// round.
QString memoryScoreText(const records::RoundStats& stats);

}  // namespace koropika
