// The 記録 menu of the game window: opens the records window over the round in play.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

#include "qt/records_window.h"
#include "records/records_store.h"

namespace koropika {

class WindowView;

// Added to the game window's menu bar each time that window is shown: 記録 (key R) opens the
// records window for the current player, modal to the game window.
class RecordsMenu final : public QObject {
  public:
    using Store = std::function<records::RecordsStore&()>;

    // `store` hands over the store the window reads, which outlives the menu; it is asked for
    // the first time the window opens. `programFolder` holds levels.dat.
    RecordsMenu(Store store, QString programFolder);
    ~RecordsMenu() override;

    void addTo(WindowView& view);

    // The name of the player at the table, shown first.
    std::function<std::string()> currentPlayer;
    // Whether a round has just ended (its result is shown): the window opens with it chosen.
    std::function<bool()> roundJustEnded;
    // The window came on screen / went away: the game holds its timers in between.
    std::function<void()> onOpened;
    std::function<void()> onClosed;
    // The player chose to play a listed round's number again.
    std::function<void(std::uint64_t number)> onPlay;

  private:
    void open(WindowView& view);

    Store store_;
    QString programFolder_;
    QPointer<RecordsWindow> window_;
};

}  // namespace koropika
