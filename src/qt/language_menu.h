// The 言語 / Language menu of the game window: the system's language, Japanese or English.
#pragma once

#include <QObject>
#include <functional>

#include "shared/language.h"

namespace koropika {

class WindowView;

// Added at the end of the game window's menu bar each time that window is shown. Its title and
// its items are each written in their own language, so that a player who cannot read the
// language shown finds them: System (the desktop's language), 日本語, English, one of them
// chosen. A choice is taken up by the next window that opens, which the menu's last, greyed
// line says.
class LanguageMenu final : public QObject {
  public:
    explicit LanguageMenu(LanguageChoice choice);

    void addTo(WindowView& view);
    LanguageChoice choice() const { return choice_; }

    // What the player chose, told after the menu has taken it.
    std::function<void(LanguageChoice)> onChosen;

  private:
    LanguageChoice choice_;
};

}  // namespace koropika
