#include "qt/user_choices.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <string>

namespace koropika {
namespace {

const SoundChoice kDefaults{true, Volume::Loud};

std::size_t linesIn(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(UserChoicesTest, TheSoundChoiceSurvivesARestartAndAFreshFileGivesTheDefaults) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("koropika/koropika.ini"));
    {
        ::testing::internal::CaptureStderr();
        UserChoices first(path);
        EXPECT_EQ(first.sound(), kDefaults);
        first.setVolume(Volume::Soft);
        first.setSoundOn(false);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    }
    EXPECT_EQ(UserChoices(path).sound(), (SoundChoice{false, Volume::Soft}));
    UserChoices(path).setVolume(Volume::Medium);
    EXPECT_EQ(UserChoices(path).sound(), (SoundChoice{false, Volume::Medium}));
}

TEST(UserChoicesTest, ADamagedOrUnreadableFileGivesTheDefaultsAndOneLineOnStandardError) {
    for (const QByteArray& damaged : {QByteArray("\x00\x01\xff[sound]\non=false\n", 20),
                                      QByteArray("[sound]\non=false\nvolume=loudest\n"),
                                      QByteArray("[sound]\non=maybe\nvolume=soft\n")}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("koropika.ini"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged);
        file.close();

        ::testing::internal::CaptureStderr();
        UserChoices choices(path);
        EXPECT_EQ(choices.sound(), kDefaults) << damaged.toStdString();
        EXPECT_EQ(linesIn(::testing::internal::GetCapturedStderr()), 1U) << damaged.toStdString();
        // The next change writes a whole, sound group: the damaged values are gone.
        choices.setVolume(Volume::Medium);
        EXPECT_EQ(UserChoices(path).sound(), (SoundChoice{true, Volume::Medium}));
    }
    // A folder where the file should be can be neither read nor written; the game goes on.
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("koropika.ini")));
    ::testing::internal::CaptureStderr();
    UserChoices choices(dir.filePath(QStringLiteral("koropika.ini")));
    EXPECT_EQ(choices.sound(), kDefaults);
    choices.setSoundOn(false);
    EXPECT_FALSE(choices.sound().on);  // for this run
    EXPECT_EQ(linesIn(::testing::internal::GetCapturedStderr()), 2U);
}

TEST(UserChoicesTest, TheLanguageChoiceIsKeptBesideTheSoundAndADamagedOneFollowsTheSystem) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("koropika.ini"));
    EXPECT_EQ(UserChoices(path).language(), LanguageChoice::System);
    UserChoices(path).setLanguage(LanguageChoice::English);
    UserChoices(path).setSoundOn(false);
    EXPECT_EQ(UserChoices(path).language(), LanguageChoice::English);
    UserChoices(path).setLanguage(LanguageChoice::Japanese);
    EXPECT_EQ(UserChoices(path).language(), LanguageChoice::Japanese);
    EXPECT_FALSE(UserChoices(path).sound().on);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[sound]\non=false\nvolume=soft\n[language]\nchoice=klingon\n");
    file.close();
    ::testing::internal::CaptureStderr();
    UserChoices damaged(path);
    EXPECT_EQ(damaged.language(), LanguageChoice::System);
    EXPECT_EQ(damaged.sound(), (SoundChoice{false, Volume::Soft}));
    EXPECT_EQ(linesIn(::testing::internal::GetCapturedStderr()), 1U);
}

TEST(UserChoicesTest, ThePaceIsKeptBesideTheOthersAndADamagedValueGivesTheDefaultPace) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("koropika.ini"));
    UserChoices(path).setLanguage(LanguageChoice::English);
    UserChoices(path).setPace(Pace{Speed::Slow, true, true});
    EXPECT_EQ(UserChoices(path).pace(), (Pace{Speed::Slow, true, true}));
    EXPECT_EQ(UserChoices(path).language(), LanguageChoice::English);
    for (const char* damaged : {"[pace]\nspeed=quick\n", "[pace]\nstep=yes\n"}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(damaged) > 0);
        file.close();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(UserChoices(path).pace(), Pace{}) << damaged;
        EXPECT_EQ(linesIn(::testing::internal::GetCapturedStderr()), 1U) << damaged;
    }
}

}  // namespace
}  // namespace koropika
