// Keyboard input from Qt to the model window: key names and the router that passes keys on.
#pragma once

#include <QMainWindow>
#include <QObject>
#include <memory>
#include <optional>

#include "ui/elements/window.h"

namespace koropika {

// The keys that move the focus and press elements, as the model names them (none for a key
// it does not use, or one held with Ctrl, Alt or Meta).
std::optional<Key> modelKey(int qtKey, Qt::KeyboardModifiers modifiers);

// Passes the keys pressed in one window view to its model window. Tab and Shift+Tab go to the
// model first, which may keep the focus order of native controls and drawn elements alike; the
// other keys go to it unless a native control (a combo box, the menu bar) has the focus and
// uses them itself. A key the model does not use goes on to Qt. F10 opens the menu bar. Installed
// on the application, since the focused widget of the window takes a key first.
class KeyRouter final : public QObject {
  public:
    KeyRouter(Window& window, QMainWindow& view, std::shared_ptr<const bool> attached);
    ~KeyRouter() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool controlHasFocus(QWidget* widget) const;
    void openMenuBar();

    Window& window_;
    QMainWindow& view_;
    std::shared_ptr<const bool> attached_;
};

}  // namespace koropika
