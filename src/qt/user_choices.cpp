#include "qt/user_choices.h"

#include <iostream>
#include <optional>
#include <string>

namespace koropika {
namespace {

const QString kSoundOn = QStringLiteral("sound/on");
const QString kVolume = QStringLiteral("sound/volume");
const QString kLanguage = QStringLiteral("language/choice");
const QString kTwoPlayers = QStringLiteral("opponent/two_players");
const QString kSecondName = QStringLiteral("opponent/second_name");
const QString kSpeed = QStringLiteral("pace/speed");
const QString kStep = QStringLiteral("pace/step");
const QString kReduceMotion = QStringLiteral("pace/reduce_motion");

void report(const QSettings& settings, const char* what) {
    std::cerr << "koropika: " << settings.fileName().toStdString() << ' ' << what << '\n';
}

}  // namespace

UserChoices::UserChoices()
    : settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("koropika"),
                QStringLiteral("koropika")) {
    readSound();
    readLanguage();
    readOpponent();
    readPace();
}

UserChoices::UserChoices(const QString& path) : settings_(path, QSettings::IniFormat) {
    readSound();
    readLanguage();
    readOpponent();
    readPace();
}

void UserChoices::readSound() {
    // QSettings reads the file at the first look-up, and only then knows whether it could;
    // listing every key has it parse the whole file, damage outside the sound group included.
    settings_.allKeys();
    SoundChoice read;
    const QString on = settings_.value(kSoundOn, QStringLiteral("true")).toString();
    const QString volumeName =
        settings_.value(kVolume, QString::fromUtf8(storedName(read.volume))).toString();
    if (settings_.status() != QSettings::NoError) {
        report(settings_, "cannot be read: the sound is on and loud");
        return;
    }
    // A key not yet written keeps its default; one with a value the program never writes
    // means a damaged file.
    const std::optional<Volume> volume = volumeNamed(volumeName.toStdString());
    if ((on != QLatin1String("true") && on != QLatin1String("false")) || !volume) {
        report(settings_, "is damaged: the sound is on and loud");
        return;
    }
    read.on = on == QLatin1String("true");
    read.volume = *volume;
    sound_ = read;
}

void UserChoices::setSoundOn(bool on) {
    sound_.on = on;
    writeSound();
}

void UserChoices::setVolume(Volume volume) {
    sound_.volume = volume;
    writeSound();
}

// A file that cannot be read has been said already, by readSound.
void UserChoices::readLanguage() {
    const QString stored =
        settings_.value(kLanguage, QString::fromUtf8(storedName(language_))).toString();
    if (settings_.status() != QSettings::NoError) {
        return;
    }
    if (const auto choice = languageChoiceNamed(stored.toStdString())) {
        language_ = *choice;
    } else {
        report(settings_, "is damaged: the language follows the system");
    }
}

void UserChoices::setLanguage(LanguageChoice choice) {
    language_ = choice;
    settings_.setValue(kLanguage, QString::fromUtf8(storedName(choice)));
    sync();
}

// A file that cannot be read has been said already, by readSound.
void UserChoices::readOpponent() {
    const QString two = settings_.value(kTwoPlayers, QStringLiteral("false")).toString();
    const QString name = settings_.value(kSecondName, QString()).toString();
    if (settings_.status() != QSettings::NoError) {
        return;
    }
    if (two != QLatin1String("true") && two != QLatin1String("false")) {
        report(settings_, "is damaged: the computer plays");
        return;
    }
    twoPlayers_ = two == QLatin1String("true");
    secondName_ = name.toStdString();
}

void UserChoices::setOpponent(bool twoPlayers, const std::string& secondName) {
    if (twoPlayers == twoPlayers_ && secondName == secondName_) {
        return;
    }
    twoPlayers_ = twoPlayers;
    secondName_ = secondName;
    settings_.setValue(kTwoPlayers, twoPlayers);
    settings_.setValue(kSecondName, QString::fromStdString(secondName));
}

void UserChoices::readPace() {
    const Pace defaults;
    const auto flag = [this](const QString& key, bool fallback) -> std::optional<bool> {
        const QString stored =
            settings_.value(key, fallback ? QStringLiteral("true") : QStringLiteral("false"))
                .toString();
        if (stored != QLatin1String("true") && stored != QLatin1String("false")) {
            return std::nullopt;
        }
        return stored == QLatin1String("true");
    };
    const QString speedName =
        settings_.value(kSpeed, QString::fromUtf8(storedName(defaults.speed))).toString();
    const std::optional<bool> step = flag(kStep, defaults.stepByKey);
    const std::optional<bool> reduceMotion = flag(kReduceMotion, defaults.reduceMotion);
    if (settings_.status() != QSettings::NoError) {
        return;
    }
    const std::optional<Speed> speed = speedNamed(speedName.toStdString());
    if (!speed || !step || !reduceMotion) {
        report(settings_, "is damaged: the game plays at its normal pace");
        return;
    }
    pace_ = Pace{*speed, *step, *reduceMotion};
}

void UserChoices::setPace(const Pace& pace) {
    pace_ = pace;
    settings_.setValue(kSpeed, QString::fromUtf8(storedName(pace.speed)));
    settings_.setValue(kStep, pace.stepByKey);
    settings_.setValue(kReduceMotion, pace.reduceMotion);
    sync();
}

// Writes the whole group, so that a damaged value read from the file does not outlive the
// next change.
void UserChoices::writeSound() {
    settings_.setValue(kSoundOn, sound_.on);
    settings_.setValue(kVolume, QString::fromUtf8(storedName(sound_.volume)));
    sync();
}

void UserChoices::sync() {
    settings_.sync();
    // A format error found when the file was read stays in the status; the file has been
    // written all the same.
    if (settings_.status() == QSettings::AccessError) {
        report(settings_, "cannot be written: the choice holds for this run only");
    }
}

}  // namespace koropika
