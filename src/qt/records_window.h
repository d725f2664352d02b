// The records window: for one player at a time, the figures for each level and card count, a
// chart of the win rate per level beside those of the scripted players the computer was measured
// against, the last rounds (any of which can be played again by its number), and deleting one
// player's records and exporting the whole history as CSV. It reads a records store it does not
// own; the measured figures come from levels.dat in the program folder. The 記録 menu opens it
// over the game window.
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "records/computer_figures.h"
#include "records/records_store.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace koropika {

class LevelTableModel;
class OpponentsTableModel;
class RecentRoundsModel;
class WinRateChart;

class RecordsWindow : public QWidget {
    Q_OBJECT

  public:
    // How many of a player's rounds the list shows.
    static constexpr int kRecentRounds = 50;

    // `currentPlayer` is listed first and shown first, with or without a round.
    RecordsWindow(records::RecordsStore& store, const std::string& currentPlayer,
                  const QString& programFolder, QWidget* parent = nullptr);
    ~RecordsWindow() override;

    // Reads the store again: the player list and the shown player's figures.
    void reload();
    // Chooses the shown player's latest round in the list of recent ones, with the focus on it:
    // the round that has just ended.
    void chooseLatestRound();

  signals:
    // The window came on screen / went off it (closed or hidden); the game holds its timers in
    // between.
    void opened();
    void closed();
    // The player chose a listed round to play again by its number; the window has closed.
    void playDealAgain(qint64 number);

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void showPlayer(const QString& name);
    void showChart();
    void askToDelete();
    void deleteShownPlayer();
    void askWhereToExport();
    void exportTo(const QString& path);
    void sayCannotRead();
    // The number of the round selected in the list of last rounds, if it has one.
    std::optional<std::int64_t> selectedDealNumber() const;
    void playSelectedAgain();
    void playAgain(std::int64_t number);
    // Opens the review of the round selected in the list of last rounds, if it has its moves.
    void reviewSelected();
    void followSelection();

    records::RecordsStore& store_;
    QString currentPlayer_;
    QString programFolder_;
    std::vector<records::ComputerFigure> computerFigures_;
    records::PlayerStats stats_;

    QComboBox* players_;
    QLabel* status_;
    QTableView* levelTable_;
    LevelTableModel* levelModel_;
    QComboBox* chartCards_;
    WinRateChart* chart_;
    QTableView* recentTable_;
    RecentRoundsModel* recentModel_;
    QLabel* opponentsHeading_;
    QTableView* opponentsTable_;
    OpponentsTableModel* opponentsModel_;
    QPushButton* delete_;
    QPushButton* export_;
    QPushButton* playAgain_;
    QPushButton* review_;
    QPushButton* close_;
};

}  // namespace koropika
