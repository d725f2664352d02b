// The desktop of the real program: model windows on screen, message boxes, web pages.
#pragma once

#include <QMargins>
#include <QPointer>
#include <QString>
#include <QTranslator>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "qt/picture_store.h"
#include "qt/window_view.h"
#include "shared/language.h"
#include "ui/elements/desktop.h"

namespace koropika {

// The real desktop: each model window on screen is a WindowView, messages are Qt message
// boxes, web pages open in the system's browser. Needs a QApplication for its whole life.
//
// Lifetimes: the desktop outlives the windows it shows; a window destroyed while shown tells
// it through windowHidden, and endProgram() lets go of every window.
class QtDesktop final : public Desktop {
  public:
    // `programFolder` defaults to the folder of the executable; tests pass their own.
    explicit QtDesktop(QString programFolder = {});
    ~QtDesktop() override;
    QtDesktop(const QtDesktop&) = delete;
    QtDesktop& operator=(const QtDesktop&) = delete;

    // Reads fontconfig's configuration and font caches, and looks up the installed family behind
    // the standard font's usual name. Safe on any thread, also before the application object
    // exists: the program runs it beside Qt's connection to the display.
    static void prepareFonts();

    void windowShown(Window& window) override;
    void windowHidden(Window& window) override;
    void showMessage(Window& owner, const std::string& text) override;
    void ask(Window& owner, const Question& question, std::function<void(bool)> answered) override;
    void openWebPage(const std::string& address) override;
    std::string programFolder() const override;
    bool minimized(const Window& window) const override;
    std::optional<Rect> workArea() const override;
    void endProgram() override;
    Size measureText(const Font& font, const std::string& text) const override;
    void windowLoading(Window& window) override;
    std::string translate(const char* context, const char* words) const override;

    // The language the next window load takes up (the game's own Japanese until told).
    void setLanguage(Language language) { chosenLanguage_ = language; }
    // The language of the windows loaded now, and of the front end's own windows and menus.
    Language language() const { return language_; }

    // The view showing `window`, or nullptr when it is not on screen.
    WindowView* viewOf(const Window& window) const;
    PictureStore& pictures() { return pictures_; }

    // Runs for each new view before it is shown: menus of the front end's own go at the end of
    // its menu bar.
    std::function<void(WindowView&)> onViewMade;

  private:
    // Installs Qt's own translation for `language` and the game's translation files from the
    // program folder's translations/.
    void useLanguage(Language language);

    QString folder_;
    Language chosenLanguage_ = Language::Japanese;
    Language language_ = Language::Japanese;
    // Whether the translations of language_ are installed: done when the first window loads.
    bool languageInstalled_ = false;
    std::vector<std::unique_ptr<QTranslator>> translators_;
    PictureStore pictures_;
    std::optional<QMargins> knownFrame_;
    std::map<const Window*, QPointer<WindowView>> views_;
    // Views let go of but not yet deleted (deleteLater pending).
    std::vector<QPointer<WindowView>> retired_;
};

}  // namespace koropika
