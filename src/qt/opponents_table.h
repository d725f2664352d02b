// The records window's table of the player's rounds against each person at the same computer.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "qt/records_tables.h"
#include "records/records_store.h"

namespace koropika {

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
