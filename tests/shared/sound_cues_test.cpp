#include "shared/sound_cues.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace koropika {
namespace {

// Plays nothing; remembers each path it was asked to play.
class PathRecorder final : public SoundDevice {
  public:
    void playToEnd(const std::string& path) override { played.push_back(path); }
    std::vector<std::string> played;
};

TEST(SoundCuesTest, EachCuePlaysItsOwnFileFromTheWavFolder) {
    SharedSettings settings;
    settings.appPath = "/opt/ころぴか";
    PathRecorder device;
    SoundCues cues(settings, device);

    cues.playClick();
    cues.playCancel();
    cues.playPinpon();
    cues.playClock();

    // 時計 spelled out as UTF-8 bytes, so the check does not depend on how the source is read.
    const std::vector<std::string> expected = {
        "/opt/ころぴか/wav/click.wav",
        "/opt/ころぴか/wav/cancel.wav",
        "/opt/ころぴか/wav/Pinpon.wav",
        "/opt/ころぴか/wav/\xE6\x99\x82\xE8\xA8\x88.wav",
    };
    EXPECT_EQ(device.played, expected);
}

TEST(SoundCuesTest, PathFollowsTheProgramFolderAsItIsAtEachCall) {
    SharedSettings settings;
    PathRecorder device;
    SoundCues cues(settings, device);

    settings.appPath = "/first";
    cues.playPinpon();
    settings.appPath = "/second/";  // a trailing separator is not doubled
    cues.playPinpon();
    cues.playPinpon();

    EXPECT_EQ(device.played,
              (std::vector<std::string>{"/first/wav/Pinpon.wav", "/second/wav/Pinpon.wav",
                                        "/second/wav/Pinpon.wav"}));
}

}  // namespace
}  // namespace koropika
