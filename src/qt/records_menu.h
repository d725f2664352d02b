// The 記録 menu of the game window: opens the records window over the round in play.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "qt/records_window.h"
#include "records/records_store.h"

namespace koropika {

class WindowView;

// Added to the game window's menu bar each time that window is shown: 記録 (key R) opens the
// records window for the current player, modal to the game window. The store the window reads
// is made the first time it opens, so nothing of the records is loaded before.
class RecordsMenu final : public QObject {
  public:
    using OpenStore = std::function<std::unique_ptr<records::RecordsStore>()>;

    // `openStore` makes the store the window reads; `programFolder` holds levels.dat.
    RecordsMenu(OpenStore openStore, QString programFolder);
    ~RecordsMenu() override;

    void addTo(WindowView& view);

    // The name of the player at the table, shown first.
    std::function<std::string()> currentPlayer;
    // Runs before every opening, so the window shows the rounds just ended.
    std::function<void()> beforeOpening;
    // The window came on screen / went away: the game holds its timers in between.
    std::function<void()> onOpened;
    std::function<void()> onClosed;
    // The player chose to play a listed round's number again.
    std::function<void(std::uint64_t number)> onPlay;

  private:
    void open(WindowView& view);

    OpenStore openStore_;
    QString programFolder_;
    std::unique_ptr<records::RecordsStore> store_;
    QPointer<RecordsWindow> window_;
};

}  // namespace koropika
