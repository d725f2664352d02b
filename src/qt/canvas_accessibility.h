// What screen readers see of a canvas: the canvas itself and the plain elements it draws.
#pragma once

#include <QAccessibleWidget>
#include <QPointer>
#include <unordered_map>
#include <vector>

#include "qt/canvas.h"

namespace koropika {

// Screen readers see the labels, pictures and shapes a canvas draws as children of the canvas,
// next to its child widgets: the plain elements that react to the mouse, each with its role,
// name and place on the screen.
//
// Installs the accessibility factory for ContainerCanvas and GroupBoxCanvas (once for the
// program), and tells screen readers whenever `canvas` is shown, hidden or resized which of its
// plain elements came into sight or left it. Each canvas calls it as it is built.
void installCanvasAccessibility(QWidget& canvas);

// The visible plain children of the canvas's container that react to the mouse or have a name of
// their own, front to back; none once the view has let go of the window. The switched-off
// template of an element array (member 0) is left out: it stands for no card.
std::vector<Element*> accessibleElementsOf(const CanvasSource& source);

// The interface of a plain element of `canvas` while it is one of its accessible children, else
// nullptr.
QAccessibleInterface* accessibleInterfaceOf(QWidget* canvas, const Element* element);

class CanvasAccessible final : public QAccessibleWidget {
  public:
    CanvasAccessible(QWidget* canvas, const CanvasSource& source);

    QAccessible::Role role() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    // What the pointer would hit there, as the model's hit test finds it.
    QAccessibleInterface* childAt(int x, int y) const override;
    // A panel that reacts to the mouse (the dice) is pressed as a click on it.
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QAccessible::State state() const override;

    QAccessibleInterface* interfaceFor(const Element* element) const;

  protected:
    ~CanvasAccessible() override;

  private:
    QAccessibleInterface* interfaceOf(Element* element) const;

    const CanvasSource& source_;  // the canvas's own, which lives as long as the canvas
    // One interface per element asked for; dropped once the element is no longer a child.
    mutable std::unordered_map<const Element*, QAccessible::Id> ids_;
};

// One plain element of a canvas. It holds no reference the element's end could break: every
// call finds the element among the canvas's current children first.
class ElementAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    ElementAccessible(QWidget* canvas, const CanvasSource& source, const Element* element);

    const Element* element() const { return element_; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // An element that reacts to the mouse is pressed as a click on it.
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& /*actionName*/) const override { return {}; }

  private:
    // The element while it is still one of the canvas's accessible children, else nullptr.
    const Element* live() const;

    QPointer<QWidget> canvas_;
    const CanvasSource& source_;
    const Element* element_;
};

}  // namespace koropika
