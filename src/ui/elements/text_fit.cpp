#include "ui/elements/text_fit.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "shared/texts.h"
#include "ui/elements/desktop.h"
#include "ui/elements/element.h"

namespace koropika {

namespace {

constexpr const char* kEllipsis = "…";
// Text is measured in whole pixels and may be drawn up to half a pixel wider; a shortened line
// keeps a pixel spare, so that it is never wrapped at a word break and its end lost.
constexpr int kSparePixels = 1;

}  // namespace

std::string nameLine(const Desktop& desktop, const Element& label, const std::string& name,
                     const std::string& pattern) {
    const auto width = [&](const std::string& line) {
        return desktop.measureText(label.font(), line).width;
    };
    std::string line = fillText(pattern, {name});
    if (name.empty() || width(line) <= label.width()) {
        return line;
    }
    // Where a head of the name may end: before each character of UTF-8.
    std::vector<std::size_t> ends;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if ((static_cast<unsigned char>(name[i]) & 0xC0) != 0x80) {
            ends.push_back(i);
        }
    }
    const auto shortened = [&](std::size_t characters) {
        std::string head = name.substr(0, ends[characters]);
        head.erase(head.find_last_not_of(' ') + 1);
        return fillText(pattern, {head + kEllipsis});
    };
    // The longest head whose line fits, found by halving. Every character is at least a pixel
    // wide, so no head longer than the label's width in pixels can fit.
    std::size_t fits = 0;
    std::size_t tooLong = std::min(ends.size(), static_cast<std::size_t>(label.width()) + 1);
    while (tooLong - fits > 1) {
        const std::size_t middle = fits + (tooLong - fits) / 2;
        if (width(shortened(middle)) <= label.width() - kSparePixels) {
            fits = middle;
        } else {
            tooLong = middle;
        }
    }
    return shortened(fits);
}

void makeRoomForOneLine(const Desktop& desktop, Element& label) {
    const int lineHeight = desktop.measureText(label.font(), label.caption()).height;
    label.setHeight(std::max(label.height(), lineHeight));
}

}  // namespace koropika
