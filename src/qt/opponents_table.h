// The tables of the records window: a read-only table with fixed headers, and the player's
// rounds against each person at the same computer.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <string>
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

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
            return headers_.at(section);
        }
        return {};
    }

  private:
    QStringList headers_;
};

// "対 花子": a round's opponent where the computer's level would stand.
QString againstText(const std::string& opponent);

// One row for each person the player has played against: rounds played, won, lost, drawn and
// left, counted from the player's seat.
class OpponentsTableModel : public HeaderedTableModel {
  public:
    using Rows = std::vector<records::OpponentStats>;

    explicit OpponentsTableModel(QObject* parent);

    void setOpponents(Rows rows);
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(rows_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    Rows rows_;
};

}  // namespace koropika
