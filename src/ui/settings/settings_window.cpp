#include "ui/settings/settings_window.h"

#include <algorithm>
#include <iostream>

#include "shared/cp932.h"
#include "shared/texts.h"
#include "ui/elements/desktop.h"
#include "ui/elements/palette.h"
#include "ui/elements/text_fit.h"
#include "ui/settings/name_list_file.h"
#include "ui/settings/settings_keyboard.h"
#include "ui/settings/settings_layout.h"

namespace koropika {

namespace {

constexpr int kLevels = 6;

// "レベル 3": an entry of the level list.
std::string levelEntry(const Desktop& desktop, int level) {
    return fillText(desktop.translate("SettingsWindow", "レベル %1"), {std::to_string(level)});
}

}  // namespace

SettingsWindow::SettingsWindow(SharedSettings& settings, EventLoop& loop, Desktop& desktop)
    : settings_(settings), desktop_(desktop), window_(settingsWindowLayout(), loop, desktop) {
    window_.onLoad = [this] {
        ui_ = std::make_unique<SettingsWindowElements>(window_);
        wireHandlers();
        loadStep();
    };
    window_.onCloseBox = [this] { closeBoxClicked(); };
    window_.onKey = [this](Key key) { return ui_ && settingsWindowKey(window_, *ui_, key); };
    // The bindings go with the load, once the running handler has returned.
    window_.onUnload = [this] {
        window_.loop().post([retired = std::shared_ptr<SettingsWindowElements>(std::move(ui_))] {});
    };
}

void SettingsWindow::wireHandlers() {
    SettingsWindowElements& ui = *ui_;
    ui.Combo1.onClick = [this](int) { Combo1_Click(); };
    ui.Combo2.onClick = [this](int) { Combo2_Click(); };
    ui.Label7.onClick = [this](int) { Label7_Click(); };
    ui.Label4.onClick = [this](int) { Label4_Click(); };
    ui.Label2.onClick = [this](int) { Label2_Click(); };
    const std::pair<Element*, std::int16_t> cardCounts[] = {
        {&ui.Label8, 28}, {&ui.Label9, 40}, {&ui.Label10, 52}};
    for (const auto& [element, count] : cardCounts) {
        Element& label = *element;
        label.onMouseMove = [this, &label](int, const MouseEvent&) {
            cardCountLabel_MouseMove(label);
        };
        label.onMouseUp = [this, count = count](int, const MouseEvent&) {
            cardCountLabel_MouseUp(count);
        };
    }
}

void SettingsWindow::loadStep() {
    settings_.appPath = desktop_.programFolder();
    settingsLoaded = 0;
    window_.setHeightTwips(kCompactHeightTwips);
    showBackground(1);

    Element& names = ui_->Combo1;
    Element& levels = ui_->Combo2;
    Element& secondNames = ui_->Combo3;
    names.clearItems();
    levels.clearItems();
    secondNames.clearItems();
    FileStore& files = desktop_.files();
    const std::string dataFolder = files.dataFolderFor(settings_.appPath);
    if (auto stored = readNameList(files, dataFolder)) {
        settings_.playerNames.assign(1, std::string());
        for (std::string& name : *stored) {
            names.addItem(name);
            secondNames.addItem(name);
            settings_.playerNames.push_back(std::move(name));
        }
        settings_.playerNameCount = static_cast<std::int16_t>(settings_.playerNames.size() - 1);
        nameListUnreadable_ = false;
    } else {
        // There but not readable (no permission, a read error): writing the list over it at
        // the next start would lose every name in it.
        nameListUnreadable_ = files.exists(dataFolder, kNameListFileName);
    }

    if (settings_.level == 0) {
        settings_.level = 1;
    }
    for (int level = 1; level <= kLevels; ++level) {
        levels.addItem(levelEntry(desktop_, level));
    }
    levels.setSelectedIndex(settings_.level - 1);
    secondNames.setText(settings_.secondPlayerName);
    showOpponent();
    // The notice shows only in the version area, below the first window's client area.
    window_.measureWhenReached(ui_->Label6, [this] { makeRoomForOneLine(desktop_, ui_->Label6); });
    settingsLoaded = 1;
    window_.setFocusedElement(&names);
}

void SettingsWindow::showBackground(int picture) {
    ui_->Picture1.setPicture(ui_->ImageList1.picture(picture));
}

void SettingsWindow::Combo1_Click() {
    if (settingsLoaded == 1) {
        showBackground(2);
    }
}

void SettingsWindow::Combo2_Click() {
    settings_.level = static_cast<std::int16_t>(ui_->Combo2.selectedIndex() + 1);
    if (settingsLoaded == 1) {
        showBackground(3);
    }
}

void SettingsWindow::Label7_Click() {
    showBackground(1);
    window_.setHeightTwips(window_.heightTwips() == kCompactHeightTwips ? kExpandedHeightTwips
                                                                        : kCompactHeightTwips);
}

void SettingsWindow::Label4_Click() {
    desktop_.openWebPage(desktop_.translate("WebPage", kLinkAddress));
}

void SettingsWindow::cardCountLabel_MouseMove(Element& label) {
    resetCardCountColours();
    label.setTextColour(kWhite);
}

void SettingsWindow::resetCardCountColours() {
    for (Element* label : {&ui_->Label8, &ui_->Label9, &ui_->Label10}) {
        label->setTextColour(kBlue);
    }
}

void SettingsWindow::cardCountLabel_MouseUp(std::int16_t cardCount) {
    settings_.cardCount = cardCount;
    startGame();
}

void SettingsWindow::Label2_Click() {
    settings_.twoPlayers = !settings_.twoPlayers;
    showOpponent();
    if (settings_.twoPlayers) {
        window_.setFocusedElement(&ui_->Combo3);
    }
}

void SettingsWindow::showOpponent() {
    SettingsWindowElements& ui = *ui_;
    const bool two = settings_.twoPlayers;
    const std::string choice = desktop_.translate("SettingsWindow", kTwoPlayersChoice);
    ui.Label2.setCaption(
        fillText(desktop_.translate("SettingsWindow", two ? kMarkedOn : kMarkedOff), {choice}));
    ui.Label2.setAccessibleName(
        fillText(desktop_.translate("SettingsWindow", two ? kChoiceOn : kChoiceOff), {choice}));
    ui.Combo3.setVisible(two);
    // The computer's level waits, unchanged, for a game against the computer.
    ui.Combo2.setEnabled(!two);
}

void SettingsWindow::startGame() {
    const std::string name = ui_->Combo1.text();
    if (name.empty()) {
        desktop_.showMessage(window_, desktop_.translate("SettingsWindow", kEmptyNameMessage));
        return;
    }
    // name.txt is code page 932 with one name per line: a name it cannot hold is refused
    // before anything changes, as an empty one is.
    if (!isStorableName(name)) {
        desktop_.showMessage(window_, desktop_.translate("SettingsWindow", kUnstorableNameMessage));
        return;
    }
    const std::string second = settings_.twoPlayers ? ui_->Combo3.text() : std::string();
    if (settings_.twoPlayers) {
        if (const std::string refusal = secondNameRefusal(name, second); !refusal.empty()) {
            desktop_.showMessage(window_, desktop_.translate("SettingsWindow", refusal.c_str()));
            return;
        }
    }
    storeName(name);
    settings_.playerName = name;
    if (settings_.twoPlayers) {
        storeName(second);
        settings_.secondPlayerName = second;
    }
    if (onOpponentChosen) {
        onOpponentChosen(settings_);
    }
    window_.unload();
    if (showGameWindow) {
        showGameWindow(GameSetup{name, settings_.level, settings_.cardCount, second});
    }
}

std::string SettingsWindow::secondNameRefusal(const std::string& first,
                                              const std::string& second) const {
    if (second.empty()) {
        return kEmptySecondNameMessage;
    }
    if (!isStorableName(second)) {
        return kUnstorableNameMessage;
    }
    // As name.txt gives them back: two names it folds into one are one name.
    const auto stored = [](const std::string& name) {
        return cp932ToUtf8(utf8ToCp932(name).value_or(name));
    };
    return stored(first) == stored(second) ? kSameNamesMessage : "";
}

void SettingsWindow::storeName(const std::string& typed) {
    // Compared and stored as name.txt will give it back: code page 932 folds a few characters
    // (〜 becomes ～), and the folded name must match its own line at the next start.
    const std::string name = cp932ToUtf8(utf8ToCp932(typed).value_or(typed));
    auto& names = settings_.playerNames;
    if (names.empty()) {
        names.emplace_back();  // slot 0 stays unused
    }
    const auto stored = names.begin() + 1;
    const auto end = stored + settings_.playerNameCount;
    if (std::find(stored, end, name) == end) {
        // A full list still lets the game start; the name is just not remembered.
        if (settings_.playerNameCount < static_cast<std::int16_t>(kMaxStoredNames)) {
            names.resize(static_cast<std::size_t>(settings_.playerNameCount) + 1);
            names.push_back(name);
            ++settings_.playerNameCount;
        }
    }
    if (nameListUnreadable_) {
        std::cerr << "koropika: the player names were not saved: " << kNameListFileName
                  << " could not be read, so it is left as it is\n";
        return;
    }
    const std::vector<std::string> toWrite(names.begin() + 1,
                                           names.begin() + 1 + settings_.playerNameCount);
    FileStore& files = desktop_.files();
    const std::string failure =
        writeNameList(files, files.dataFolderFor(settings_.appPath), toWrite);
    if (!failure.empty()) {
        std::cerr << "koropika: the player names were not saved: " << failure << '\n';
    }
}

void SettingsWindow::showAfterGame(int level) {
    settings_.level = static_cast<std::int16_t>(level);
    window_.load();
    ui_->Combo1.setText(settings_.playerName);
    Element& levels = ui_->Combo2;
    if (levels.items().empty()) {
        levels.setText(std::string());
    } else {
        levels.setText(levelEntry(desktop_, std::clamp<int>(settings_.level, 1, kLevels)));
    }
    window_.show();
}

void SettingsWindow::closeBoxClicked() {
    // This window is on screen only while the game window is not, so closing it ends the run.
    window_.unload();
    desktop_.endProgram();
}

}  // namespace koropika
