// The two widgets that draw a container's plain elements: the client area or a panel, and a
// group box. What they draw comes from a CanvasSource.
#pragma once

#include <QGroupBox>
#include <QWidget>
#include <memory>

#include "qt/picture_store.h"
#include "shared/language.h"
#include "ui/elements/window.h"

namespace koropika {

// What a canvas draws: the plain children of one container of a model window. The view clears
// `attached` when it lets go of the window, after which the elements may be freed at any time
// and the canvas draws nothing more from them.
struct CanvasSource {
    Window* window = nullptr;
    Element* container = nullptr;  // nullptr = the window's client area
    PictureStore* pictures = nullptr;
    std::shared_ptr<const bool> attached;
    Language language = Language::Japanese;  // of the window's texts

    bool live() const { return attached && *attached; }
    const std::vector<Element*>& children() const;
};

// The part both canvases share: the source of what they draw. Screen readers see the plain
// elements that react to the mouse as the canvas's children (see canvas_accessibility.h).
class DrawnElements {
  public:
    Element* container() const { return source_.container; }
    const CanvasSource& source() const { return source_; }

  protected:
    // Sets up the screen readers' view of `canvas`, which holds this part.
    DrawnElements(CanvasSource source, QWidget& canvas);
    ~DrawnElements() = default;

  private:
    CanvasSource source_;
};

// The client area of a window, or a panel: background (colour or picture), border, and the
// container's labels, pictures and shapes. Panels, group boxes and controls inside it are child
// widgets and so always lie in front of what the canvas draws.
class ContainerCanvas final : public QWidget, public DrawnElements {
    // Its own class name, so accessibility asks for the canvas's interface once it is built.
    Q_OBJECT

  public:
    ContainerCanvas(CanvasSource source, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A group box: the caption in its frame is Qt's, the plain children are drawn over it.
class GroupBoxCanvas final : public QGroupBox, public DrawnElements {
    Q_OBJECT

  public:
    GroupBoxCanvas(CanvasSource source, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace koropika
