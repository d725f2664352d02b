// The player's own choices kept from one run to the next, over QSettings.
#pragma once

#include <QSettings>
#include <QString>

#include <string>

#include "shared/language.h"
#include "shared/pace.h"
#include "shared/sound_choice.h"

namespace koropika {

// The choices live in an INI file of the user's configuration folder
// ($XDG_CONFIG_HOME/koropika/koropika.ini), one group of keys for each kind of choice: [sound]
// holds `on` and `volume`, [language] holds `choice` (system, ja or en), [opponent] holds
// `two_players` (true or false) and `second_name`, the second player's name last used.
//
// The file is read once, when the object is made; a file that is damaged or cannot be read
// gives the defaults, said in one line on standard error. Each change is written at once; a
// file that cannot be written is said in one line on standard error, and the game goes on.
class UserChoices {
  public:
    // The user's own file.
    UserChoices();
    // The file at `path`.
    explicit UserChoices(const QString& path);
    UserChoices(const UserChoices&) = delete;
    UserChoices& operator=(const UserChoices&) = delete;

    const SoundChoice& sound() const { return sound_; }
    void setSoundOn(bool on);
    void setVolume(Volume volume);

    LanguageChoice language() const { return language_; }
    void setLanguage(LanguageChoice choice);

    // Whether a second person plays instead of the computer, and under which name.
    bool twoPlayers() const { return twoPlayers_; }
    const std::string& secondName() const { return secondName_; }
    void setOpponent(bool twoPlayers, const std::string& secondName);
    const Pace& pace() const { return pace_; }
    void setPace(const Pace& pace);

  private:
    void readSound();
    void writeSound();
    void readLanguage();
    void readOpponent();
    void readPace();
    // Writes what changed; says on standard error when the file cannot be written.
    void sync();

    QSettings settings_;
    SoundChoice sound_;
    LanguageChoice language_ = LanguageChoice::System;
    bool twoPlayers_ = false;
    std::string secondName_;
    Pace pace_;
};

}  // namespace koropika
