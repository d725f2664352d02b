#pragma once

#include <QString>
#include <QWidget>

namespace koropika {

// Where a window's announcements reach screen readers: an element of the accessibility tree
// with the status bar role whose name is the last announcement, and a name change event for
// every new one. It takes no room and draws nothing.
class AnnouncementBoard final : public QWidget {
    Q_OBJECT

  public:
    explicit AnnouncementBoard(QWidget* parent);
    void announce(const QString& text);
    const QString& lastAnnouncement() const { return last_; }

  private:
    QString last_;
};

}  // namespace koropika
