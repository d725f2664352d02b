#include "art.h"

namespace koropika::art {

Pictures allPictures() {
    Pictures all;
    for (Pictures (*family)() : {cardFaces, diceFaces, cardBacks, resultButtons, shootingStar,
                                 startButtons, iconAndCursors, settingsBackgrounds}) {
        for (Picture& picture : family()) {
            all.push_back(std::move(picture));
        }
    }
    return all;
}

}  // namespace koropika::art
