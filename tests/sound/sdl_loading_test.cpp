// Built without SDL linked in, as the program is: SDL is loaded when the output first opens, so
// the game's first window does not wait for it and its sound libraries.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "sound/sdl_sound_device.h"

namespace koropika {
namespace {

bool sdlLoaded() {
    void* library = dlopen("libSDL2-2.0.so.0", RTLD_LAZY | RTLD_NOLOAD);
    if (library == nullptr) {
        return false;
    }
    dlclose(library);  // only the count RTLD_NOLOAD added
    return true;
}

TEST(SdlLoadingTest, SdlIsLoadedAtTheFirstOpeningAndASoundPlaysThrough) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SdlSoundDevice sound;
    int played = 0;
    sound.onPlayed = [&played] { ++played; };
    EXPECT_FALSE(sdlLoaded());
    sound.playToEnd("/nonexistent/missing.wav");  // the beep, through SDL
    EXPECT_TRUE(sdlLoaded());
    EXPECT_EQ(played, 1);
}

}  // namespace
}  // namespace koropika
