#include "qt/opponents_table.h"

#include <QCoreApplication>

namespace koropika {

QString againstText(const std::string& opponent) {
    return QCoreApplication::translate("RecentRoundsModel", "対 %1")
        .arg(QString::fromUtf8(opponent.data(), qsizetype(opponent.size())));
}

OpponentsTableModel::OpponentsTableModel(QObject* parent)
    : HeaderedTableModel({QCoreApplication::translate("OpponentsTableModel", "相手"),
                          QCoreApplication::translate("OpponentsTableModel", "対戦"),
                          QCoreApplication::translate("OpponentsTableModel", "勝ち"),
                          QCoreApplication::translate("OpponentsTableModel", "負け"),
                          QCoreApplication::translate("OpponentsTableModel", "引き分け"),
                          QCoreApplication::translate("OpponentsTableModel", "中断")},
                         parent) {}

void OpponentsTableModel::setOpponents(Rows rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

QVariant OpponentsTableModel::data(const QModelIndex& index, int role) const {
    if (index.isValid() && role == Qt::TextAlignmentRole) {  // as the level table's
        return index.column() == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (!index.isValid() || role != Qt::DisplayRole) {
        return {};
    }
    const records::OpponentStats& row = rows_.at(std::size_t(index.row()));
    switch (index.column()) {
        case 0:
            return QString::fromUtf8(row.name.data(), qsizetype(row.name.size()));
        case 1:
            return row.stats.played;
        case 2:
            return row.stats.won;
        case 3:
            return row.stats.lost;
        case 4:
            return row.stats.drawn;
        case 5:
            return row.stats.left;
    }
    return {};
}

}  // namespace koropika
