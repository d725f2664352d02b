#include "qt/announcement_board.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace koropika {

namespace {

class BoardAccessible final : public QAccessibleWidget {
  public:
    explicit BoardAccessible(AnnouncementBoard* board)
        : QAccessibleWidget(board, QAccessible::StatusBar) {}

    QString text(QAccessible::Text t) const override {
        const auto* board = static_cast<const AnnouncementBoard*>(widget());
        return t == QAccessible::Name || t == QAccessible::Description ? board->lastAnnouncement()
                                                                       : QString();
    }
};

QAccessibleInterface* boardFactory(const QString& /*className*/, QObject* object) {
    auto* board = qobject_cast<AnnouncementBoard*>(object);
    return board != nullptr ? new BoardAccessible(board) : nullptr;
}

}  // namespace

AnnouncementBoard::AnnouncementBoard(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(boardFactory);
        return true;
    }();
    (void)installed;
    setGeometry(0, 0, 0, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void AnnouncementBoard::announce(const QString& text) {
    last_ = text;
    if (QAccessible::isActive()) {
        QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&nameChanged);
    }
}

}  // namespace koropika
