// Desktop: what a window asks of the screen and the system (showing, messages, web pages, text
// sizes, the language of its texts, the program folder and its files).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "shared/file_store.h"
#include "shared/texts.h"
#include "ui/elements/values.h"

namespace koropika {

class Window;

// What the windows need from the desktop they run on. The Qt front end is the real one; tests
// use a recording one.
class Desktop {
  public:
    virtual ~Desktop() = default;

    // A window went on screen, or off it (hidden or unloaded).
    virtual void windowShown(Window& window) = 0;
    virtual void windowHidden(Window& window) = 0;
    // An information box with one OK button over `owner`. It does not block: the caller's
    // handler runs to its end, and the owner takes no input until the box is closed.
    virtual void showMessage(Window& owner, const std::string& text) = 0;
    // A question with two answers over `owner`, modal to it and centred on it. `answered` is
    // told true for the first answer, the default (Enter), and false for the second, which
    // Escape and the box's close button give. Like a message, it does not block.
    struct Question {
        std::string text;
        std::string detail;  // a second line under the text
        std::string first;
        std::string second;
    };
    virtual void ask(Window& owner, const Question& question,
                     std::function<void(bool)> answered) = 0;
    virtual void openWebPage(const std::string& address) = 0;
    // The folder of the executable, without a trailing separator.
    virtual std::string programFolder() const = 0;
    // The part of the primary screen where windows go (without panels), in pixels; empty when
    // the desktop cannot tell. A window placed centred stands in the middle of it.
    virtual std::optional<Rect> workArea() const { return std::nullopt; }
    // Whether the window is minimized to the task bar, where its place means nothing.
    virtual bool minimized(const Window& /*window*/) const { return false; }
    // Ends the program at once; no further window events run.
    virtual void endProgram() = 0;
    // The size a label needs for its text in the given font.
    virtual Size measureText(const Font& font, const std::string& text) const = 0;
    // Where the windows keep their files: the disk, unless a headless run keeps them in memory.
    virtual FileStore& files() const { return diskFiles(); }

    // A window starts a load: the language chosen by now is the one its texts are looked up in.
    virtual void windowLoading(Window& /*window*/) {}
    // `words`, the game's own Japanese text, in the language of the windows (see shared/texts.h);
    // the words themselves where there is no translation.
    virtual std::string translate(const char* /*context*/, const char* words) const {
        return words;
    }
    // translate() as a function, for the parts that need no more of the desktop.
    Translate translator() const {
        return [this](const char* context, const char* words) { return translate(context, words); };
    }
};

}  // namespace koropika
