// The ゲーム番号 menu of the game window and the dialog it opens: the number of the round on the
// table, and playing a round again by its number.
#pragma once

#include <QDialog>
#include <QObject>
#include <cstdint>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace koropika {

class WindowView;

// A small dialog, modal to the game window: the number of this round (read-only, selectable
// and copyable), a field for another number, and three buttons. この番号で遊ぶ (Enter) plays the
// typed number; a typed text that is not a number of a round is refused with a message in the
// dialog and nothing else happens. 同じカードでもう一度 plays this round's number again; 閉じる
// (Esc) closes the dialog. The dialog closes itself before it hands on a number to play.
class DealDialog final : public QDialog {
  public:
    DealDialog(std::uint64_t currentNumber, QWidget* parent);

    // The number the player chose to play.
    std::function<void(std::uint64_t number)> onPlay;

    QLineEdit* currentField() const { return current_; }
    QLineEdit* numberField() const { return typed_; }
    QLabel* problemLabel() const { return problem_; }
    QPushButton* playButton() const { return play_; }
    QPushButton* replayButton() const { return replay_; }
    QPushButton* closeButton() const { return close_; }

  private:
    void playTyped();
    void playNumber(std::uint64_t number);

    std::uint64_t currentNumber_;
    QLineEdit* current_;
    QLineEdit* typed_;
    QLabel* problem_;
    QPushButton* play_;
    QPushButton* replay_;
    QPushButton* close_;
};

// Added to the game window's menu bar each time that window is shown: ゲーム番号 (key N) opens
// the dialog over the round on the table.
class DealMenu final : public QObject {
  public:
    // `currentNumber` tells the number of the round on the table.
    explicit DealMenu(std::function<std::uint64_t()> currentNumber);

    void addTo(WindowView& view);

    // The player chose round `number`: the game window plays it from the start.
    std::function<void(std::uint64_t number)> onPlay;

  private:
    std::function<std::uint64_t()> currentNumber_;
};

}  // namespace koropika
