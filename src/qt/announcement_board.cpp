#include "qt/announcement_board.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <algorithm>

namespace koropika {

namespace {

class BoardAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit BoardAccessible(AnnouncementBoard* board)
        : QAccessibleWidget(board, QAccessible::StatusBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name || t == QAccessible::Description ? board().lastAnnouncement()
                                                                       : QString();
    }

    // QAccessibleTextInterface: the announcements so far, read only, without a caret.
    void selection(int /*selectionIndex*/, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int /*startOffset*/, int /*endOffset*/) override {}
    void removeSelection(int /*selectionIndex*/) override {}
    void setSelection(int /*selectionIndex*/, int /*startOffset*/, int /*endOffset*/) override {}
    int cursorPosition() const override { return characterCount(); }
    void setCursorPosition(int /*position*/) override {}
    QString text(int startOffset, int endOffset) const override {
        const QString& all = board().allAnnouncements();
        const int start = std::clamp(startOffset, 0, static_cast<int>(all.size()));
        const int end = std::clamp(endOffset, start, static_cast<int>(all.size()));
        return all.mid(start, end - start);
    }
    int characterCount() const override {
        return static_cast<int>(board().allAnnouncements().size());
    }
    QRect characterRect(int /*offset*/) const override { return {}; }
    int offsetAtPoint(const QPoint& /*point*/) const override { return -1; }
    void scrollToSubstring(int /*startIndex*/, int /*endIndex*/) override {}
    QString attributes(int /*offset*/, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

  private:
    const AnnouncementBoard& board() const {
        return *static_cast<const AnnouncementBoard*>(widget());
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
    const int position = static_cast<int>(all_.size());
    const QString line = text + QLatin1Char('\n');
    all_ += line;
    last_ = text;
    if (QAccessible::isActive()) {
        QAccessibleTextInsertEvent inserted(this, position, line);
        QAccessible::updateAccessibility(&inserted);
        QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&nameChanged);
    }
}

}  // namespace koropika
