// The review of one recorded round: its table at any move, the list of its moves with what each
// card turned was worth, and the player's missed pairs and memory score. Opened from the records
// window, modal to it.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>
#include <vector>

#include "records/records_store.h"
#include "records/table_at_move.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace koropika {

class AnnouncementBoard;
class PictureStore;
class ReviewTable;

class ReviewWindow : public QDialog {
    Q_OBJECT

  public:
    // `programFolder` holds the card pictures.
    ReviewWindow(const RoundRecord& round, const QString& programFolder, QWidget* parent);
    ~ReviewWindow() override;

    // The move shown, 0-based; -1 for a round without moves.
    int shownMove() const { return shown_; }
    // Shows move `move`, kept within the round's moves, and announces it.
    void showMove(int move);

  signals:
    // The player chose to play this round's number again; the window has closed.
    void playDealAgain(qint64 number);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool step(int key);
    void fillList();
    QString moveText(int move) const;
    // Where a text stands: alone in a cell of the list, or within a spoken step.
    enum class Place { InList, InSentence };
    QString cardText(int turn, Place place) const;
    QString labelText(int move, Place place) const;

    // Who moved: you or the computer, or a player's name at a table of two players.
    QString sideName(MoveLog::Side side, const char* place = nullptr) const;
    RoundRecord round_;
    std::vector<MoveLog::Turn> turns_;
    std::vector<RecordedMove> moves_;
    FlipWorth worth_;
    int shown_ = -1;

    std::unique_ptr<PictureStore> pictures_;
    QLabel* summary_;
    ReviewTable* table_ = nullptr;
    QLabel* counts_ = nullptr;
    QTableWidget* list_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* playAgain_;
    QPushButton* close_;
    AnnouncementBoard* board_;
};

}  // namespace koropika
