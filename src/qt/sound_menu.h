// The 音 menu of the game window: sound on or off, and the volume.
#pragma once

#include <QObject>
#include <functional>

#include "shared/sound_choice.h"

namespace koropika {

class WindowView;

// Added at the end of the game window's menu bar each time that window is shown: 音を出す, a
// check item that the key M also toggles in that window, and the volume in three steps (大, 中,
// 小), one of them chosen. The menu keeps the choice for the whole run, so every showing starts
// from it. Turning the sound on or off is announced to screen readers ("音: オン", "音: オフ").
class SoundMenu final : public QObject {
  public:
    explicit SoundMenu(SoundChoice choice);

    void addTo(WindowView& view);
    const SoundChoice& choice() const { return choice_; }

    // What the player chose, told after the menu has taken it.
    std::function<void(bool on)> onSwitched;
    std::function<void(Volume volume)> onVolumeChosen;

  private:
    SoundChoice choice_;
};

}  // namespace koropika
