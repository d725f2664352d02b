#include "ui/game_window/game_window_layout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "support/recording_desktop.h"
#include "ui/elements/virtual_event_loop.h"
#include "ui/elements/window.h"
#include "ui/game_window/game_window_elements.h"

namespace koropika {
namespace {

// "Name" or "Name(index)", as the game's code writes it.
std::string label(const Element& e) {
    return e.index() < 0 ? e.name() : e.name() + "(" + std::to_string(e.index()) + ")";
}

std::vector<std::string> labels(const std::vector<Element*>& elements) {
    std::vector<std::string> out;
    for (const Element* e : elements) {
        out.push_back(label(*e));
    }
    return out;
}

// The game window as its set-up builds it, before any of the game's own load step runs.
class GameWindowLayoutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window.onLoad = [this] { ui.emplace(window); };
        window.load();
    }

    VirtualEventLoop loop;
    testing::RecordingDesktop desktop;
    Window window{gameWindowLayout(), loop, desktop};
    std::optional<GameWindowElements> ui;
};

TEST_F(GameWindowLayoutTest, EveryElementTheGameAddressesLiesInItsContainer) {
    const std::map<std::string, std::vector<std::string>> addressed = {
        {"",
         {"Picture5", "Picture4", "Picture3", "Picture1", "Frame1", "Label10", "Label11", "Label12",
          "omote1(0)", "ura1(0)", "Image5", "Image6", "Image7"}},
        {"Picture5",
         {"Label13", "Label15", "Label16", "Label17", "Label18", "Label19", "Label20", "Label21",
          "Image8", "Image11", "Image12", "Image13", "Image14", "Image9(0)", "Image10(0)"}},
        {"Picture4", {"Label3", "Image3(0)", "Image3(1)", "Shape1(1)", "Shape1(6)"}},
        {"Picture3", {"Label2", "Image2(0)", "Image2(1)"}},
        {"Picture1", {"Picture2", "Label8", "Label9", "Image4"}},
        {"Frame1", {"Command1", "Image1(0)", "Image1(4)"}},
    };
    std::map<std::string, std::string> containerOf;
    for (const Element* e : window.elements()) {
        EXPECT_TRUE(
            containerOf.emplace(label(*e), e->container() ? e->container()->name() : "").second)
            << label(*e) << " is listed twice";
    }
    for (const auto& [container, names] : addressed) {
        for (const std::string& name : names) {
            ASSERT_TRUE(containerOf.count(name)) << name;
            EXPECT_EQ(containerOf[name], container) << name;
        }
    }
    EXPECT_FALSE(containerOf.count("Shape1(0)")) << "the level markers have no template";
    EXPECT_FALSE(containerOf.count("Image1(5)")) << "five back designs, 0 to 4";
}

TEST_F(GameWindowLayoutTest, ElementsOfEachContainerStandFrontToBackAsDesigned) {
    EXPECT_EQ(labels(window.topLevel()).front(), "Picture5");
    EXPECT_EQ(labels(window.topLevel()).back(), "Label12") << "the side strip lies behind all";
    EXPECT_EQ(labels(window.at("Picture5").children()).front(), "Label14");
    EXPECT_EQ(labels(window.at("Picture5").children()).back(), "Image10(0)");
    EXPECT_EQ(labels(window.at("Picture1").children()),
              (std::vector<std::string>{"Picture2", "Label9", "Label8", "Image4"}));
    EXPECT_EQ(labels(window.at("Frame1").children()),
              (std::vector<std::string>{"Command1", "Image1(0)", "Image1(1)", "Image1(2)",
                                        "Image1(3)", "Image1(4)"}));
}

TEST_F(GameWindowLayoutTest, OnlyTheStartButtonBlinkRunsFromCreation) {
    const std::vector<std::pair<std::string, int>> intervals = {
        {"Timer1", 500}, {"Timer2", 1000}, {"Timer3", 300},  {"Timer4", 100},
        {"Timer5", 100}, {"Timer6", 1000}, {"Timer7", 1000}, {"Timer9", 50},
    };
    for (const auto& [name, ms] : intervals) {
        EXPECT_EQ(window.timer(name).interval(), ms) << name;
        EXPECT_EQ(window.timer(name).running(), name == "Timer1") << name;
    }
    EXPECT_EQ(window.timers().size(), intervals.size());
    // Besides the window's own wait to measure the labels its designed client area leaves out
    // (the game's load step sizes the window over them).
    EXPECT_EQ(loop.runningTimers(), 1u + window.pendingDelays());
}

TEST_F(GameWindowLayoutTest, MenusAndImageListsAreInPlace) {
    std::vector<std::string> menus;
    for (const auto& item : window.menus()) {
        EXPECT_EQ(item->caption(), item->name());
        EXPECT_TRUE(item->enabled());
        menus.push_back(item->name());
    }
    EXPECT_EQ(menus, (std::vector<std::string>{"設定に戻る", "カード選択", "終了"}));

    const ImageList& dice = window.imageList("ImageList2");
    EXPECT_EQ(dice.pictureSize(), (Size{55, 55}));
    EXPECT_EQ(dice.count(), 6);
    EXPECT_EQ(dice.picture(6), "dice_6");
    for (int suit = 1; suit <= 4; ++suit) {
        const ImageList& faces = window.imageList("ImageList1", suit);
        EXPECT_EQ(faces.pictureSize(), (Size{55, 72}));
        EXPECT_EQ(faces.count(), 13);
        EXPECT_EQ(faces.picture(1), "face_" + std::to_string(suit) + "_1");
        EXPECT_EQ(faces.picture(13), "face_" + std::to_string(suit) + "_13");
    }
    EXPECT_THROW(window.imageList("ImageList1"), std::out_of_range) << "suits count from 1";
}

TEST_F(GameWindowLayoutTest, PictureSlotsHoldTheirPictures) {
    for (int design = 0; design < 5; ++design) {
        EXPECT_EQ(window.at("Image1", design).picture(), "back_" + std::to_string(design));
    }
    EXPECT_EQ(window.at("Image6").picture(), "start_hand");
    EXPECT_EQ(window.at("Image7").picture(), "start_plain");
    EXPECT_EQ(window.at("Image5").picture(), "start_pressed");
    EXPECT_EQ(window.at("Image13").picture(), "button_pressed");
    for (const char* button : {"Image8", "Image11", "Image12", "Image14"}) {
        EXPECT_EQ(window.at(button).picture(), "button_normal") << button;
    }
    for (const char* empty : {"Image4", "Picture2"}) {
        EXPECT_EQ(window.at(empty).picture(), "") << empty;
    }
    EXPECT_EQ(window.at("omote1", 0).picture(), "");
    EXPECT_EQ(window.at("Image2", 1).picture(), "");
}

TEST_F(GameWindowLayoutTest, LookDetailsTheLogicRelies) {
    // Only these labels follow the length of the text code gives them.
    const std::set<std::string> sized = {"Label1", "Label4", "Label5",  "Label6",  "Label7",
                                         "Label8", "Label9", "Label19", "Label20", "Label21"};
    for (const Element* e : window.elements()) {
        if (e->kind() == ElementKind::Label) {
            EXPECT_EQ(e->autoSize(), sized.count(e->name()) == 1) << e->name();
        }
    }
    // Cards and dice keep their hand hidden until code shows it; the result buttons show it.
    for (const char* b : {"Picture2", "Label8", "Label9", "Image4"}) {
        EXPECT_EQ(window.at(b).customPointer(), Pointer::CursorB) << b;
        EXPECT_EQ(window.at(b).pointer(), Pointer::Normal) << b;
    }
    EXPECT_EQ(window.at("omote1", 0).customPointer(), Pointer::CursorB);
    for (const char* a : {"Image8", "Image11", "Image12", "Label19", "Label20", "Label21"}) {
        EXPECT_EQ(window.at(a).pointer(), Pointer::CursorA) << a;
    }
    for (const char* twips : {"Picture1", "Picture2", "Picture3", "Picture4"}) {
        EXPECT_TRUE(window.at(twips).innerUnitTwips()) << twips;
    }
    EXPECT_FALSE(window.at("Picture5").innerUnitTwips()) << "the result panel places in pixels";
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(window.at("Shape1", i).rect(), (Rect{15 + 20 * (i - 1), 27, 19, 18}));
        EXPECT_FALSE(window.at("Shape1", i).visible());
    }
}

TEST_F(GameWindowLayoutTest, APressLandsOnTheTextInFrontOfItsButtonPicture) {
    const Rect label8 = window.at("Label8").windowRect();
    const Point onLabel8{label8.left + 10, label8.top + 10};
    ASSERT_TRUE(window.at("Image4").windowRect().contains(onLabel8));
    EXPECT_EQ(window.elementAt(onLabel8), &window.at("Label8"));

    // The result panel covers the table and the dice panel once it is shown.
    window.at("Picture5").setVisible(true);
    EXPECT_EQ(window.elementAt(onLabel8), &window.at("Picture5"));
    const Rect label19 = window.at("Label19").windowRect();
    const Point onLabel19{label19.left + 3, label19.top + 3};
    ASSERT_TRUE(window.at("Image8").windowRect().contains(onLabel19));
    EXPECT_EQ(window.elementAt(onLabel19), &window.at("Label19"));
}

TEST_F(GameWindowLayoutTest, EveryPictureKeyNamesAFileOfTheProgramFolder) {
    const std::filesystem::path images = std::filesystem::path(KOROPIKA_PROGRAM_DIR) / "images";
    if (!std::filesystem::is_directory(images)) {
        GTEST_SKIP() << images << " has not been built";
    }
    std::set<std::string> keys = {window.layout().icon};
    for (const Element* e : window.elements()) {
        if (!e->picture().empty()) {
            keys.insert(e->picture());
        }
    }
    for (const ImageList* list : {&ui->ImageList2, ui->ImageList1[1], ui->ImageList1[2],
                                  ui->ImageList1[3], ui->ImageList1[4]}) {
        for (int number = 1; number <= list->count(); ++number) {
            keys.insert(list->picture(number));
        }
    }
    // The icon, 5 backs, 3 start button, 2 result button and 1 star picture, 6 dice, 52 faces.
    EXPECT_EQ(keys.size(), 1u + 5 + 3 + 2 + 1 + 6 + 52);
    for (const std::string& key : keys) {
        EXPECT_TRUE(std::filesystem::is_regular_file(images / (key + ".png"))) << key;
    }
}

}  // namespace
}  // namespace koropika
