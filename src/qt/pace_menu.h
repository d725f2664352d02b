// The 速さ menu of the game window: the speed of play, the step-by-key mode and less motion.
#pragma once

#include <QObject>
#include <functional>

#include "shared/pace.h"

namespace koropika {

class WindowView;

// Added to the game window's menu bar each time that window is shown: the speed in three steps
// (ゆっくり, ふつう, はやく), one of them chosen, then two check items, キーで進める and
// 動きを減らす. The menu keeps the choice for the whole run, so every showing starts from it.
class PaceMenu final : public QObject {
  public:
    explicit PaceMenu(Pace pace);

    void addTo(WindowView& view);
    const Pace& pace() const { return pace_; }

    // The whole choice, told after the menu has taken a change of any part of it.
    std::function<void(const Pace&)> onChosen;

  private:
    void chosen();

    Pace pace_;
};

}  // namespace koropika
