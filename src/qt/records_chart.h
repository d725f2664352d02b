// The records window's chart: for each level, the player's win rate beside the win rates of two
// scripted players at the same level and card count, one who never forgets a card and one who
// turns cards at random, as the computer was measured against them.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <optional>

#include "records/records_store.h"

namespace koropika {

// The player's win rate as the records window writes it: "33.3 %", and from
// kRoundsForError finished rounds on with its standard error, "41.7 % ± 14.2"; "－" before a
// round is finished.
inline constexpr int kRoundsForError = 10;
QString winRateText(const records::RoundStats& stats);
// What the ± of winRateText means, for a tooltip; empty where no ± is shown.
QString winRateErrorNote(const records::RoundStats& stats);

class WinRateChart : public QWidget {
  public:
    // Index 0 is level 1.
    using PlayerFigures = std::array<records::RoundStats, 6>;
    // Win rates in per cent; empty for a level without a figure.
    using Rates = std::array<std::optional<double>, 6>;

    explicit WinRateChart(QWidget* parent = nullptr);

    void setFigures(const PlayerFigures& player, const Rates& neverForgets, const Rates& random);
    QSize sizeHint() const override { return {420, 300}; }
    QSize minimumSizeHint() const override { return {300, 240}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    // Where the legend's captions and the plot go at the widget's size.
    struct Layout {
        std::array<QRect, 3> captions;
        QRect plot;
        double slot = 0;  // the width of one level's place along the bottom
    };
    Layout layout() const;
    // Every figure of one level in words, for a tooltip and the screen reader.
    QString describe(int level) const;

    PlayerFigures player_{};
    Rates neverForgets_{};
    Rates random_{};
};

}  // namespace koropika
