#include "art.h"

namespace koropika::art {

Pictures allPictures(int scale) {
    Pictures all;
    for (Pictures (*family)(int) : {cardFaces, diceFaces, cardBacks, resultButtons, shootingStar,
                                    startButtons, iconAndCursors, settingsBackgrounds}) {
        for (Picture& picture : family(scale)) {
            all.push_back(std::move(picture));
        }
    }
    return all;
}

}  // namespace koropika::art
