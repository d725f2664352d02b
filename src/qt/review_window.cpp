#include "qt/review_window.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "qt/announcement_board.h"
#include "qt/picture_store.h"
#include "shared/card_words.h"

namespace koropika {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The card words' texts, looked up in the program's translations.
std::string translateText(const char* context, const char* japanese) {
    return QCoreApplication::translate(context, japanese).toStdString();
}

constexpr int kMargin = 8;  // around the cards

// A key without Shift, Control or Alt (the arrows of a keypad count as plain).
bool plain(const QKeyEvent& key) {
    return (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

}  // namespace

// The table as it lay at one move, in the game's card pictures: the move's cards face up, the
// seen cards face down with their card written under them, the taken ones faint, and the slots
// of a pair the player could have known framed.
class ReviewTable : public QWidget {
  public:
    ReviewTable(PictureStore& pictures, const TableGeometry& geometry, QWidget* parent)
        : QWidget(parent), pictures_(pictures), geometry_(geometry) {
        setFixedSize(2 * kMargin + geometry.gridColumns * (geometry.cardWidth + 8) - 8,
                     2 * kMargin + geometry.gridRows * (geometry.cardHeight + 12) - 12);
    }

    void setTable(TableAtMove table, std::uint64_t knownSlots) {
        table_ = std::move(table);
        knownSlots_ = knownSlots;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.fillRect(rect(), QColor(0x1f, 0x5f, 0x3a));
        for (int slot = 1; slot < int(table_.lies.size()); ++slot) {
            paintSlot(painter, slot);
        }
    }

  private:
    void paintSlot(QPainter& painter, int slot) {
        const SlotPlace place = slotPlace(geometry_, slot);
        const QRect area(place.left - 15 + kMargin, place.top - 35 + kMargin, geometry_.cardWidth,
                         geometry_.cardHeight);
        const TableAtMove::Lies lies = table_.lies[std::size_t(slot)];
        const Card card = table_.cardAt[std::size_t(slot)];
        const bool faceShown = lies == TableAtMove::Lies::Up || lies == TableAtMove::Lies::Taken;
        const QPixmap& picture = pictures_.picture(faceShown ? "face_" + std::to_string(card.suit) +
                                                                   "_" + std::to_string(card.rank)
                                                             : std::string("back_0"));
        painter.setOpacity(lies == TableAtMove::Lies::Taken ? 0.25 : 1.0);
        if (picture.isNull()) {
            painter.fillRect(area, faceShown ? QColor(Qt::white) : QColor(0x30, 0x40, 0x90));
        } else {
            painter.drawPixmap(area, picture);
        }
        if (lies == TableAtMove::Lies::Seen || (faceShown && picture.isNull())) {
            // What the card is, on a band across its foot.
            const QRect band(area.left(), area.bottom() - painter.fontMetrics().height() - 1,
                             area.width(), painter.fontMetrics().height() + 2);
            painter.fillRect(band, QColor(0xff, 0xe0, 0x70));
            painter.setPen(Qt::black);
            painter.drawText(band, Qt::AlignCenter, shortName(card));
        }
        painter.setOpacity(1.0);
        if ((knownSlots_ >> slot & 1) != 0) {
            painter.setPen(QPen(QColor(0xff, 0x60, 0x20), 4));
            painter.drawRect(area.adjusted(-2, -2, 2, 2));
        }
    }

    static QString shortName(const Card& card) {
        static const char* const suits[] = {"?", "♠", "♣", "♥", "♦"};
        static const char* const ranks[] = {"?", "A", "2", "3",  "4", "5", "6",
                                            "7", "8", "9", "10", "J", "Q", "K"};
        return QString::fromUtf8(suits[std::clamp<int>(card.suit, 0, 4)]) +
               QString::fromUtf8(ranks[std::clamp<int>(card.rank, 0, 13)]);
    }

    PictureStore& pictures_;
    TableGeometry geometry_;
    TableAtMove table_;
    std::uint64_t knownSlots_ = 0;
};

ReviewWindow::ReviewWindow(const RoundRecord& round, const QString& programFolder, QWidget* parent)
    : QDialog(parent),
      round_(round),
      turns_(round.moves.value_or(std::vector<MoveLog::Turn>{})),
      moves_(recordedMoves(turns_)),
      worth_(flipWorth(turns_)),
      pictures_(std::make_unique<PictureStore>(programFolder)) {
    setWindowTitle(QCoreApplication::translate("ReviewWindow", "振り返り"));
    setAccessibleName(windowTitle());
    board_ = new AnnouncementBoard(this);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("まとめ"));
    const std::optional<double> memory = worth_.memoryPercent();
    // Without an opportunity there is no score: a dash stands in its place.
    summary_->setText(QCoreApplication::translate("ReviewWindow", "見逃したペア %1・記憶 %2")
                          .arg(worth_.missedPairs())
                          .arg(memory ? QCoreApplication::translate("ReviewWindow", "%1 %")
                                            .arg(QString::number(*memory, 'f', 0))
                                      : QStringLiteral("—")));
    summary_->setAccessibleName(QCoreApplication::translate("ReviewWindow", "見逃したペアと記憶"));
    // The name says what the line is; a screen reader reads its figures from the description.
    summary_->setAccessibleDescription(summary_->text());
    QFont big = summary_->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    summary_->setFont(big);

    playAgain_ = new QPushButton(
        QCoreApplication::translate("ReviewWindow", "この番号でもう一度(&R)"), this);
    playAgain_->setAccessibleName(
        QCoreApplication::translate("ReviewWindow", "この番号でもう一度"));
    playAgain_->setEnabled(round.dealNumber.has_value());
    playAgain_->setAutoDefault(false);
    close_ = new QPushButton(QCoreApplication::translate("ReviewWindow", "閉じる"), this);
    close_->setAccessibleName(close_->text());
    close_->setAutoDefault(false);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    connect(playAgain_, &QPushButton::clicked, this, [this] {
        close();
        emit playDealAgain(qint64(round_.dealNumber.value_or(0)));
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    auto* bottom = new QHBoxLayout;
    const std::optional<TableGeometry> geometry = tableGeometryFor(round.cardCount);
    if (moves_.empty() || !geometry) {
        auto* none = new QLabel(
            QCoreApplication::translate("ReviewWindow",
                                        "この対戦は手の記録がないため、振り返ることができません。"),
            this);
        none->setObjectName(QStringLiteral("手の記録なし"));
        none->setAccessibleName(none->text());
        layout->addWidget(none, 1);
        summary_->hide();
    } else {
        table_ = new ReviewTable(*pictures_, *geometry, this);
        table_->setAccessibleName(QCoreApplication::translate("ReviewWindow", "テーブル"));
        counts_ = new QLabel(this);
        counts_->setObjectName(QStringLiteral("取った枚数"));
        counts_->setAccessibleName(QCoreApplication::translate("ReviewWindow", "取った枚数"));
        list_ = new QTableWidget(this);
        list_->setObjectName(QStringLiteral("手の一覧"));
        list_->setAccessibleName(QCoreApplication::translate("ReviewWindow", "手の一覧"));
        list_->installEventFilter(this);
        fillList();
        previous_ = new QPushButton(QCoreApplication::translate("ReviewWindow", "前へ"), this);
        previous_->setAccessibleName(previous_->text());
        next_ = new QPushButton(QCoreApplication::translate("ReviewWindow", "次へ"), this);
        next_->setAccessibleName(next_->text());
        for (QPushButton* button : {previous_, next_}) {
            button->setAutoDefault(false);
        }
        connect(previous_, &QPushButton::clicked, this, [this] { showMove(shown_ - 1); });
        connect(next_, &QPushButton::clicked, this, [this] { showMove(shown_ + 1); });

        auto* tableColumn = new QVBoxLayout;
        tableColumn->addWidget(table_);
        tableColumn->addWidget(counts_);
        tableColumn->addStretch(1);
        auto* middle = new QHBoxLayout;
        middle->addLayout(tableColumn);
        middle->addWidget(list_, 1);
        layout->addLayout(middle, 1);
        bottom->addWidget(previous_);
        bottom->addWidget(next_);
    }
    bottom->addWidget(playAgain_);
    bottom->addStretch(1);
    bottom->addWidget(close_);
    layout->addLayout(bottom);
    if (list_ != nullptr) {
        showMove(0);
        list_->setFocus();
    }
}

ReviewWindow::~ReviewWindow() = default;

void ReviewWindow::fillList() {
    list_->setColumnCount(6);
    list_->setHorizontalHeaderLabels({QCoreApplication::translate("ReviewWindow", "手"),
                                      QCoreApplication::translate("ReviewWindow", "番"),
                                      QCoreApplication::translate("ReviewWindow", "1 枚目"),
                                      QCoreApplication::translate("ReviewWindow", "2 枚目"),
                                      QCoreApplication::translate("ReviewWindow", "ペア"),
                                      QCoreApplication::translate("ReviewWindow", "評価")});
    list_->setRowCount(int(moves_.size()));
    list_->verticalHeader()->hide();
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setTabKeyNavigation(false);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    for (int row = 0; row < list_->rowCount(); ++row) {
        const RecordedMove& move = moves_[std::size_t(row)];
        const QStringList cells{
            QString::number(row + 1),
            sideName(move.side),
            cardText(move.firstTurn, Place::InList),
            move.turnCount > 1 ? cardText(move.firstTurn + 1, Place::InList) : QString(),
            move.pair ? QCoreApplication::translate("ReviewWindow", "ペア") : QString(),
            labelText(row, Place::InList)};
        for (int column = 0; column < int(cells.size()); ++column) {
            list_->setItem(row, column, new QTableWidgetItem(cells[column]));
        }
    }
    list_->resizeColumnsToContents();
    list_->horizontalHeader()->setStretchLastSection(true);
    int width = 2 * list_->frameWidth() + 24;  // room for the scroll bar
    for (int column = 0; column < list_->columnCount(); ++column) {
        width += list_->columnWidth(column);
    }
    list_->setMinimumWidth(width);
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && current.row() != shown_) {
                    showMove(current.row());
                }
            });
}

QString ReviewWindow::cardText(int turn, Place place) const {
    const MoveLog::Turn& card = turns_[std::size_t(turn)];
    if (place == Place::InSentence) {
        return QCoreApplication::translate("ReviewWindow", "カード %1、%2", "in a sentence")
            .arg(card.slot)
            .arg(fromUtf8(cardInWords(translateText, card.suit, card.rank)));
    }
    return fromUtf8(faceUpCardName(translateText, card.slot, card.suit, card.rank));
}

QString ReviewWindow::labelText(int move, Place place) const {
    // A word in the list starts as a heading does; in a spoken step, as in the middle of a
    // sentence.
    const char* const where = place == Place::InSentence ? "in a sentence" : nullptr;
    const RecordedMove& played = moves_[std::size_t(move)];
    QStringList labels;
    for (int t = 0; t < played.turnCount; ++t) {
        QString label;
        switch (worth_.flips[std::size_t(played.firstTurn + t)].label) {
            case FlipLabel::MissedPair:
                label = QCoreApplication::translate("ReviewWindow", "見逃したペア", where);
                break;
            case FlipLabel::FromMemory:
                label = QCoreApplication::translate("ReviewWindow", "記憶から", where);
                break;
            case FlipLabel::AtRandom:
                label = QCoreApplication::translate("ReviewWindow", "でたらめ", where);
                break;
            case FlipLabel::NoOpportunity:
            case FlipLabel::Used:
                break;
        }
        if (!label.isEmpty() && !labels.contains(label)) {
            labels << label;
        }
    }
    return labels.join(QCoreApplication::translate("ReviewWindow", "・"));
}

QString ReviewWindow::sideName(MoveLog::Side side, const char* place) const {
    const bool first = side == MoveLog::Side::Player;
    if (round_.opponentName.empty()) {
        return first ? QCoreApplication::translate("ReviewWindow", "あなた", place)
                     : QCoreApplication::translate("ReviewWindow", "コンピュータ", place);
    }
    return QString::fromStdString(first ? round_.playerName : round_.opponentName);
}

QString ReviewWindow::moveText(int move) const {
    const RecordedMove& played = moves_[std::size_t(move)];
    const QString who = sideName(played.side, "in a sentence");
    QStringList parts{
        QCoreApplication::translate("ReviewWindow", "%1 手目：%2").arg(move + 1).arg(who)};
    for (int t = 0; t < played.turnCount; ++t) {
        parts << cardText(played.firstTurn + t, Place::InSentence);
    }
    if (played.turnCount > 1) {
        parts << (played.pair ? QCoreApplication::translate("ReviewWindow", "ペア", "in a sentence")
                              : QCoreApplication::translate("ReviewWindow", "ペアではありません"));
    }
    if (const QString label = labelText(move, Place::InSentence); !label.isEmpty()) {
        parts << label;
    }
    return parts.join(QCoreApplication::translate("ReviewWindow", "、"));
}

void ReviewWindow::showMove(int move) {
    if (moves_.empty()) {
        return;
    }
    shown_ = std::clamp(move, 0, int(moves_.size()) - 1);
    const RecordedMove& played = moves_[std::size_t(shown_)];
    std::uint64_t known = 0;
    for (int t = 0; t < played.turnCount; ++t) {
        const FlipWorth::Flip& flip = worth_.flips[std::size_t(played.firstTurn + t)];
        known |= flip.label == FlipLabel::MissedPair ? flip.knownSlots : 0;
    }
    TableAtMove table = tableAtMove(round_.cardCount, turns_, shown_);
    counts_->setText(
        round_.opponentName.empty()
            ? QCoreApplication::translate("ReviewWindow", "あなた %1 枚・コンピュータ %2 枚")
                  .arg(table.playerCount)
                  .arg(table.computerCount)
            : QCoreApplication::translate("ReviewWindow", "%1 %2 枚・%3 %4 枚")
                  .arg(sideName(MoveLog::Side::Player))
                  .arg(table.playerCount)
                  .arg(sideName(MoveLog::Side::Computer))
                  .arg(table.computerCount));
    table_->setTable(std::move(table), known);
    const QString said = moveText(shown_);
    table_->setAccessibleDescription(said);
    {
        const QSignalBlocker quiet(list_->selectionModel());
        list_->selectRow(shown_);
    }
    list_->scrollTo(list_->model()->index(shown_, 0));
    previous_->setEnabled(shown_ > 0);
    next_->setEnabled(shown_ + 1 < int(moves_.size()));
    board_->announce(said);
}

bool ReviewWindow::step(int key) {
    switch (key) {
        case Qt::Key_Left:
            showMove(shown_ - 1);
            return true;
        case Qt::Key_Right:
            showMove(shown_ + 1);
            return true;
        case Qt::Key_Home:
            showMove(0);
            return true;
        case Qt::Key_End:
            showMove(int(moves_.size()) - 1);
            return true;
        default:
            return false;
    }
}

bool ReviewWindow::eventFilter(QObject* watched, QEvent* event) {
    // The list's own Left, Right, Home and End would move between its cells; here they step.
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (plain(*key) && step(key->key())) {
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ReviewWindow::keyPressEvent(QKeyEvent* event) {
    if (plain(*event) && !moves_.empty() && step(event->key())) {
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace koropika
