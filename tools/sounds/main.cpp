// koropika_soundgen OUTPUT_DIR — writes the game's sound cues as WAV files into OUTPUT_DIR.
#include <exception>
#include <filesystem>
#include <iostream>

#include "cues.h"
#include "wav.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: koropika_soundgen OUTPUT_DIR\n";
        return 2;
    }
    try {
        const std::filesystem::path folder(argv[1]);
        std::filesystem::create_directories(folder);
        for (const koropika::sounds::Cue& cue : koropika::sounds::allCues()) {
            // A path built from a u8 string is UTF-8 on disk, so the kanji name stays intact.
            koropika::sounds::writeWav(folder / cue.fileName, cue.render());
        }
    } catch (const std::exception& e) {
        std::cerr << "koropika_soundgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
