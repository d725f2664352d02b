#include "support/recording_desktop.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace koropika::testing {

void RecordingDesktop::windowShown(Window& window) {
    onScreen.push_back(&window);
}

void RecordingDesktop::windowHidden(Window& window) {
    onScreen.erase(std::remove(onScreen.begin(), onScreen.end(), &window), onScreen.end());
}

void RecordingDesktop::showMessage(Window& /*owner*/, const std::string& text) {
    messages.push_back(text);
}

void RecordingDesktop::ask(Window& owner, const Question& question,
                           std::function<void(bool)> answered) {
    questions.push_back(question);
    questionOwner = &owner;
    answered_ = std::move(answered);
}

void RecordingDesktop::answer(bool first) {
    if (const auto answered = std::exchange(answered_, nullptr)) {
        answered(first);
    }
}

Size RecordingDesktop::measureText(const Font& font, const std::string& text) const {
    measuredTexts.push_back(text);
    const double em = font.points * 96.0 / 72.0;
    double width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        width += length == 1 ? em / 2 : em;
        i += length;
    }
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(em * 1.2))};
}

}  // namespace koropika::testing
