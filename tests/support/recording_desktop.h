// RecordingDesktop: a desktop for tests that records what the windows ask of it.
#pragma once

#include <string>
#include <vector>

#include "ui/elements/desktop.h"

namespace koropika::testing {

// A desktop without a screen: it records what the windows ask of it.
class RecordingDesktop final : public Desktop {
  public:
    explicit RecordingDesktop(std::string programFolder = "/nonexistent")
        : folder_(std::move(programFolder)) {}

    void windowShown(Window& window) override;
    void windowHidden(Window& window) override;
    void showMessage(Window& owner, const std::string& text) override;
    // Keeps the question; a test answers it with answer().
    void ask(Window& owner, const Question& question, std::function<void(bool)> answered) override;
    void answer(bool first);
    void openWebPage(const std::string& address) override { webPages.push_back(address); }
    std::string programFolder() const override { return folder_; }
    bool minimized(const Window&) const override { return windowsMinimized; }
    std::optional<Rect> workArea() const override { return screenWorkArea; }
    void endProgram() override { ++endRequests; }
    // A fixed-pitch stand-in for font metrics: wide characters take a full em.
    Size measureText(const Font& font, const std::string& text) const override;
    FileStore& files() const override { return fileStore != nullptr ? *fileStore : diskFiles(); }

    // Windows on screen, in the order they were shown.
    std::vector<Window*> onScreen;
    std::vector<std::string> messages;
    std::vector<Question> questions;  // every question asked, in order
    Window* questionOwner = nullptr;
    std::vector<std::string> webPages;
    // Every text measured, in order.
    mutable std::vector<std::string> measuredTexts;
    int endRequests = 0;
    bool windowsMinimized = false;
    std::optional<Rect> screenWorkArea = Rect{0, 0, 1280, 1024};
    // Where the windows keep their files; null = the disk.
    FileStore* fileStore = nullptr;

  private:
    std::string folder_;
    std::function<void(bool)> answered_;
};

}  // namespace koropika::testing
