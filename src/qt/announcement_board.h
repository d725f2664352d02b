// The widget through which a window's announcements reach screen readers.
#pragma once

#include <QString>
#include <QWidget>

namespace koropika {

// Where a window's announcements reach screen readers: an element of the accessibility tree
// with the status bar role. Its name is the last announcement, and its text every announcement
// so far, one a line; each new one comes as a text insertion, whose event carries the words
// themselves, so a reader never misses one that was quickly followed by the next. It takes no
// room and draws nothing.
class AnnouncementBoard final : public QWidget {
    Q_OBJECT

  public:
    explicit AnnouncementBoard(QWidget* parent);
    void announce(const QString& text);
    const QString& lastAnnouncement() const { return last_; }
    const QString& allAnnouncements() const { return all_; }

  private:
    QString last_;
    QString all_;
};

}  // namespace koropika
