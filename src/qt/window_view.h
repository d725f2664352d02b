// The real top-level window that shows one model window, and what views share.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMargins>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "qt/picture_store.h"
#include "qt/window_placement.h"
#include "shared/language.h"
#include "ui/elements/window.h"

namespace koropika {

class AnnouncementBoard;
class KeyRouter;
class PointerRouter;

// What every view of one desktop shares.
struct ViewServices {
    PictureStore& pictures;
    // The window manager's frame as measured on a framed window, the first guess for the
    // next window; none until a window has been framed.
    std::optional<QMargins>& knownFrame;
    // The language of the window's texts, loaded before its view is made: it picks the faces.
    Language language = Language::Japanese;
};

// The top-level window that shows one model window while it is on screen: menu bar, client
// area and one widget per panel, group box and control. It hears every model change as the
// window's observer and passes the person's input back to the model.
//
// The view lives from the window's show to its unload. Model handlers may unload the window
// from inside any input callback of this view: detach() then cuts every tie to the model at
// once, and the owner deletes the view with deleteLater(), never directly, so the callback
// that is still running returns into a living object.
class WindowView final : public QMainWindow, public WindowObserver {
  public:
    WindowView(Window& window, ViewServices services);
    ~WindowView() override;

    Window& window() const { return window_; }
    bool attached() const { return *attached_; }
    // The window stands framed where the model wants it (or where the person moved it).
    bool placementSettled() const { return placement_.settled(); }
    // Runs `then` once the window has settled (at once when it has), or once the window manager
    // has been waited for as long as the view waits for it.
    void whenSettled(std::function<void()> then);
    // Stops observing the window and drawing its elements; safe to call more than once.
    void detach();

    // The widget of a panel, group box or control (nullptr for plain elements); the client
    // area for nullptr.
    QWidget* widgetOf(const Element* element) const;
    QWidget* clientArea() const { return clientArea_; }

    // WindowObserver
    void windowChanged(Window& window) override;
    void elementCreated(Element& element) override;
    void elementChanged(Element& element) override;
    void elementDestroying(Element& element) override;
    void elementOrderChanged(Element* container) override;
    void menuChanged(MenuItem& item) override;
    void focusChanged(Window& window) override;
    void announced(Window& window, const std::string& text) override;

    // What the window announced last, as screen readers read it.
    QString lastAnnouncement() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void buildMenuBar();
    void createWidget(Element& element);
    QWidget* makeButton(Element& element, QWidget* parent);
    QWidget* makeComboBox(Element& element, QWidget* parent);
    void applyProperties(const Element& element);
    void orderKeyboardFocus();
    void restack(const Element* container);
    void repaintContainerOf(const Element& element);
    void scheduleFrameCheck(int delayMs = 0);
    void runSettledCallbacks();
    void checkFrame();
    // Gives Qt's focus to the control that has the model's focus, or to the client area when a
    // drawn element has it, so keys reach the model; tells screen readers where the focus is.
    void followModelFocus();
    // A control the person clicked into takes the model's focus too.
    void qtFocusMoved(QWidget* now);

    Window& window_;
    ViewServices services_;
    std::shared_ptr<bool> attached_;
    QWidget* clientArea_ = nullptr;
    PointerRouter* router_ = nullptr;
    KeyRouter* keys_ = nullptr;
    AnnouncementBoard* board_ = nullptr;
    WindowPlacement placement_;
    std::unordered_map<const Element*, QWidget*> widgets_;
    std::vector<std::pair<QAction*, MenuItem*>> menuActions_;
    // The combo box whose typed text is being handed to the model: the box already shows it.
    const Element* typingInto_ = nullptr;
    bool frameCheckPending_ = false;
    int frameChecksWithoutEvent_ = 0;  // checks run by the timer alone, bounded
    std::vector<std::function<void()>> onSettled_;
};

}  // namespace koropika
