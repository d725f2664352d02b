// The records window's chart: for each level, the player's win rate with a bar of ±1 standard
// error, beside the computer's measured win rate against a player who never forgets.
#pragma once

#include <QWidget>
#include <array>
#include <optional>

namespace koropika {

class WinRateChart : public QWidget {
  public:
    struct Bar {
        double percent = 0;
        double error = 0;  // ±, in percentage points
    };
    // Index 0 is level 1. An empty bar is a level without figures.
    using Bars = std::array<std::optional<Bar>, 6>;

    explicit WinRateChart(QWidget* parent = nullptr);

    void setBars(const Bars& player, const Bars& computer);
    QSize sizeHint() const override { return {420, 260}; }
    QSize minimumSizeHint() const override { return {300, 200}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Bars player_{};
    Bars computer_{};
};

}  // namespace koropika
