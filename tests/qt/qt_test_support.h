#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "qt/qt_desktop.h"
#include "qt/qt_event_loop.h"
#include "ui/elements/layout.h"
#include "ui/elements/window.h"

namespace koropika::testing {

// Adds elements to a hand-made layout; the returned spec may be adjusted further.
class LayoutBuilder {
  public:
    LayoutBuilder(std::string caption, Size client);

    ElementSpec& add(std::string name, ElementKind kind, Rect rect, std::string container = {},
                     ElementProperties properties = {});
    void menu(std::string name) { layout_.menus.push_back({name, name}); }
    WindowLayout& layout() { return layout_; }

  private:
    WindowLayout layout_;
};

// A program folder with an images/ folder of plain test pictures.
class ProgramFolder {
  public:
    ProgramFolder();
    QString path() const { return dir_.path(); }
    // Writes images/<key>.png: `width` × `height`, left half `left`, right half `right`.
    void addPicture(const std::string& key, int width, int height, QColor left, QColor right);
    void addPicture(const std::string& key, int width, int height, QColor colour) {
        addPicture(key, width, height, colour, colour);
    }

  private:
    QTemporaryDir dir_;
};

// One model window shown on a QtDesktop under the offscreen platform.
struct ShownWindow {
    explicit ShownWindow(WindowLayout layoutToShow);
    ~ShownWindow();

    WindowView& view() const;
    QWidget& widgetOf(const std::string& name) const;
    // What the client area shows now.
    QImage grabClient() const;

    ProgramFolder folder;
    QtEventLoop loop;
    std::unique_ptr<QtDesktop> desktop;
    WindowLayout layout;
    std::unique_ptr<Window> window;
};

// A mouse move with no button held, delivered to `widget` as the window system would.
// (QTest moves the real cursor instead, which sends nothing when it is already there.)
void hover(QWidget& widget, QPoint position);

// Runs the events now pending, the deletions asked for with deleteLater() included.
void runPendingEvents();

bool near(QColor actual, QColor expected, int tolerance = 8);

}  // namespace koropika::testing
