#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <string>
#include <vector>

#include "qt/combo_sync.h"
#include "qt_test_support.h"

namespace koropika {
namespace {

using testing::hover;
using testing::LayoutBuilder;
using testing::runPendingEvents;
using testing::ShownWindow;

// Two labels side by side on the client area and one inside a panel.
WindowLayout mouseLayout() {
    LayoutBuilder b("mouse", {300, 200});
    b.add("Left", ElementKind::Label, {0, 0, 100, 50});
    b.add("Right", ElementKind::Label, {100, 0, 100, 50});
    auto& panel = b.add("Panel", ElementKind::Panel, {50, 100, 200, 80});
    panel.properties.backColour = Colour::fromRgb(0x400040);
    b.add("Inner", ElementKind::Label, {20, 10, 40, 40}, "Panel");
    return b.layout();
}

class MouseInput : public ::testing::Test {
  protected:
    void SetUp() override {
        w.window->show();
        for (const char* name : {"Left", "Right", "Inner"}) {
            Element& e = w.window->at(name);
            e.onMouseDown = [this, name](int, const MouseEvent& m) {
                log.push_back(std::string("down ") + name + " " + std::to_string(m.position.x) +
                              "," + std::to_string(m.position.y) + button(m));
            };
            e.onMouseUp = [this, name](int, const MouseEvent& m) {
                log.push_back(std::string("up ") + name + button(m));
            };
            e.onMouseMove = [this, name](int, const MouseEvent&) {
                log.push_back(std::string("move ") + name);
            };
            e.onClick = [this, name](int) { log.push_back(std::string("click ") + name); };
        }
    }

    static std::string button(const MouseEvent& m) {
        return m.button == MouseButton::Right ? " right" : "";
    }
    QWidget& client() { return *w.view().clientArea(); }

    ShownWindow w{mouseLayout()};
    std::vector<std::string> log;
};

TEST_F(MouseInput, PressAndReleaseReachTheElementUnderThePointerInItsOwnCoordinates) {
    QTest::mousePress(&client(), Qt::LeftButton, {}, QPoint(130, 20));
    QTest::mouseRelease(&client(), Qt::LeftButton, {}, QPoint(130, 20));
    EXPECT_EQ(log, (std::vector<std::string>{"down Right 30,20", "up Right", "click Right"}));
}

TEST_F(MouseInput, ElementsInsidePanelsGetTheMouseThroughThePanelsWidget) {
    QWidget& panel = w.widgetOf("Panel");
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(25, 15));
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(25, 15));
    EXPECT_EQ(log, (std::vector<std::string>{"down Inner 5,5", "up Inner", "click Inner"}));
}

TEST_F(MouseInput, TheReleaseGoesToThePressedElementAfterTheMouseMovedAway) {
    QTest::mousePress(&client(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(&client(), QPoint(150, 10));
    QTest::mouseRelease(&client(), Qt::LeftButton, {}, QPoint(150, 10));
    EXPECT_EQ(log, (std::vector<std::string>{"down Left 10,10", "move Left", "up Left"}))
        << "no click: released elsewhere";
}

TEST_F(MouseInput, MovesWithoutAButtonReachTheElementUnderThePointer) {
    hover(client(), QPoint(150, 10));
    hover(client(), QPoint(10, 10));
    hover(client(), QPoint(10, 80));  // over nothing
    EXPECT_EQ(log, (std::vector<std::string>{"move Right", "move Left"}));
}

TEST_F(MouseInput, TheRightButtonReleaseReachesTheMouseUpHandlerWithoutAClick) {
    QTest::mousePress(&client(), Qt::RightButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&client(), Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(log, (std::vector<std::string>{"down Left 10,10 right", "up Left right"}));
}

TEST_F(MouseInput, AQuickSecondClickIsAClickLikeAnyOther) {
    // Through the window system, so that Qt itself makes the second click a double click.
    QWindow* handle = w.view().windowHandle();
    const QPoint where = client().mapTo(&w.view(), QPoint(10, 10));
    QTest::mouseDClick(handle, Qt::LeftButton, {}, where);
    const std::vector<std::string> clicks(2, "click Left");
    std::vector<std::string> seen;
    for (const auto& entry : log) {
        if (entry.starts_with("click")) {
            seen.push_back(entry);
        }
    }
    EXPECT_EQ(seen, clicks);
}

TEST_F(MouseInput, AHandlerThatUnloadsItsOwnWindowOnReleaseLeavesNothingDangling) {
    Window& window = *w.window;
    int loads = 0;
    window.onLoad = [&] { ++loads; };
    window.at("Left").onMouseUp = [&](int, const MouseEvent&) {
        window.unload();  // a new game: unload this window and show it again
        window.show();
    };
    QPointer<WindowView> old = &w.view();
    QTest::mousePress(&client(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(old->clientArea(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(loads, 1);
    EXPECT_NE(&w.view(), old.data());
    runPendingEvents();
    EXPECT_TRUE(old.isNull());
    int moves = 0;
    w.window->at("Left").onMouseMove = [&](int, const MouseEvent&) { ++moves; };
    hover(*w.view().clientArea(), QPoint(20, 20));
    EXPECT_EQ(moves, 1) << "the new view passes the mouse on";
}

TEST_F(MouseInput, TheCursorFollowsThePointerOfTheElementUnderTheMouse) {
    LayoutBuilder b("cursor", {200, 100});
    auto& hand = b.add("Hand", ElementKind::Label, {0, 0, 50, 50});
    hand.properties.pointer = Pointer::CursorA;
    hand.properties.customPointer = Pointer::CursorA;
    auto& button = b.add("Button", ElementKind::PushButton, {100, 0, 50, 30});
    button.properties.pointer = Pointer::CursorB;
    ShownWindow c(b.layout());
    c.folder.addPicture("cursor_a", 32, 32, QColor(255, 255, 255));
    c.window->show();
    QWidget& area = *c.view().clientArea();
    hover(area, QPoint(10, 10));
    EXPECT_EQ(area.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(area.cursor().hotSpot(), kCursorAHotspot);
    hover(area, QPoint(80, 80));
    EXPECT_EQ(area.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(c.widgetOf("Button").cursor().shape(), Qt::PointingHandCursor)
        << "cursor_b.png is missing: the system's hand stands in";
}

TEST(ControlInput, APushButtonClickIsTheModelsClick) {
    LayoutBuilder b("button", {200, 100});
    auto& spec = b.add("Command1", ElementKind::PushButton, {10, 10, 36, 31});
    spec.properties.caption = "C";
    ShownWindow w(b.layout());
    w.window->show();
    int clicks = 0;
    w.window->at("Command1").onClick = [&](int) { ++clicks; };
    auto& button = dynamic_cast<QPushButton&>(w.widgetOf("Command1"));
    EXPECT_EQ(button.text(), QStringLiteral("C"));
    EXPECT_EQ(button.geometry(), QRect(10, 10, 36, 31));
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    w.window->at("Command1").setEnabled(false);
    EXPECT_FALSE(button.isEnabled());
}

WindowLayout comboLayout() {
    LayoutBuilder b("combos", {300, 200});
    // Listed front to back as in the settings window: the level box in front of the name box.
    auto& level = b.add("Combo2", ElementKind::DropDownList, {20, 100, 101, 24});
    level.properties.caption = "レベル1からだんだん強くなり、6で最強になります";
    level.properties.textColour = Colour::fromRgb(0x800080);
    level.properties.font.bold = true;
    level.properties.items = {"レベル 1", "レベル 2"};
    auto& name = b.add("Combo1", ElementKind::ComboBox, {20, 35, 146, 24});
    name.properties.items = {"たろう", "花子"};
    return b.layout();
}

class ComboInput : public ::testing::Test {
  protected:
    void SetUp() override {
        w.window->show();
        w.window->at("Combo1").onClick = [this](int) { ++nameClicks; };
        w.window->at("Combo2").onClick = [this](int) { ++levelClicks; };
    }
    QComboBox& box(const std::string& name) { return dynamic_cast<QComboBox&>(w.widgetOf(name)); }

    ShownWindow w{comboLayout()};
    int nameClicks = 0;
    int levelClicks = 0;
};

TEST_F(ComboInput, TheNameBoxIsEditableAndTheLevelBoxIsAList) {
    EXPECT_TRUE(box("Combo1").isEditable());
    EXPECT_FALSE(box("Combo2").isEditable());
    EXPECT_EQ(box("Combo1").count(), 2);
    box("Combo2").setCurrentIndex(-1);
    EXPECT_EQ(box("Combo2").placeholderText(),
              QStringLiteral("レベル1からだんだん強くなり、6で最強になります"));
}

TEST_F(ComboInput, TheKeyboardFocusGoesFromTheBackmostControlToTheFrontmost) {
    // Combo2 is listed in front of Combo1, so Combo1 was added first and takes the focus first.
    std::vector<QWidget*> chain;
    for (QWidget* next = w.view().nextInFocusChain(); next != &w.view();
         next = next->nextInFocusChain()) {
        if (next == &box("Combo1") || next == &box("Combo2")) {
            chain.push_back(next);
        }
    }
    EXPECT_EQ(chain, (std::vector<QWidget*>{&box("Combo1"), &box("Combo2")}));
}

TEST_F(ComboInput, AViewDeletedWhileItsNameBoxHasTheFocusHearsNothingOfItsChildrenDying) {
    // The name box's children clear the application's focus as they are destroyed, after the
    // view's own destructor has run: in the sanitizer build a report of that reaching the
    // half-destroyed view ends the test.
    w.view().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.view()));
    box("Combo1").setFocus();
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    delete &w.view();
    EXPECT_EQ(QApplication::focusWidget(), nullptr);
}

TEST_F(ComboInput, PickingAnEntryIsTheModelsClick) {
    QComboBox& names = box("Combo1");
    names.setCurrentIndex(1);
    emit names.activated(1);
    EXPECT_EQ(nameClicks, 1);
    EXPECT_EQ(w.window->at("Combo1").selectedIndex(), 1);
    EXPECT_EQ(w.window->at("Combo1").text(), "花子");
}

TEST_F(ComboInput, LeavingTheNameBoxWithAStoredNameIsNoPickButAChoiceFromTheListIs) {
    w.view().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.view()));
    QComboBox& names = box("Combo1");
    w.window->at("Combo1").setText("花子");  // as after a return from the game window
    names.setFocus();
    ASSERT_TRUE(names.hasFocus());
    QTest::keyClick(&names, Qt::Key_Tab);
    EXPECT_TRUE(box("Combo2").hasFocus());
    EXPECT_EQ(nameClicks, 0) << "Tab out of the box";

    names.setFocus();
    QTest::keyClick(&names, Qt::Key_Return);
    EXPECT_EQ(nameClicks, 0) << "Return in the box";
    box("Combo2").showPopup();  // opening the other list takes the focus too
    box("Combo2").hidePopup();
    EXPECT_EQ(nameClicks, 0) << "opening the level list";
    EXPECT_EQ(w.window->at("Combo1").text(), "花子");

    names.setFocus();
    names.showPopup();
    QWidget* list = names.view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(nameClicks, 1) << "a choice from the open list";
    EXPECT_EQ(w.window->at("Combo1").selectedIndex(), 0);
    EXPECT_EQ(w.window->at("Combo1").text(), "たろう");
    QTest::keyClick(&names, Qt::Key_Down);
    EXPECT_EQ(nameClicks, 2) << "a choice with the arrow keys";
    EXPECT_EQ(levelClicks, 0);
}

TEST(NameBox, ItsLineEditTakesTheBoxsFontAndTheApplicationFontStaysAsItWas) {
    const QFont application = QApplication::font();
    QFont boxFont(QStringLiteral("IPAPGothic"));
    boxFont.setPixelSize(23);
    PickComboBox box(true, boxFont, nullptr);
    EXPECT_EQ(QApplication::font(), application);
    EXPECT_EQ(box.lineEdit()->font().pixelSize(), boxFont.pixelSize());
    EXPECT_EQ(box.lineEdit()->font().family(), boxFont.family());
}

TEST_F(ComboInput, TheOpenListShowsItsEntriesInTheBoxsColourAndFont) {
    QComboBox& levels = box("Combo2");
    EXPECT_EQ(levels.view()->palette().color(QPalette::Text), QColor(0x80, 0x00, 0x80));
    EXPECT_TRUE(levels.view()->font().bold());
    EXPECT_EQ(levels.view()->font(), levels.font());
}

TEST_F(ComboInput, TypingUpdatesTheModelsTextWithoutAClickOrDisturbingTheCursor) {
    QComboBox& names = box("Combo1");
    names.setFocus();
    names.lineEdit()->clear();
    QTest::keyClicks(names.lineEdit(), "Yamada");
    EXPECT_EQ(w.window->at("Combo1").text(), "Yamada");
    EXPECT_EQ(nameClicks, 0);
    names.lineEdit()->setCursorPosition(2);
    QTest::keyClicks(names.lineEdit(), "x");
    EXPECT_EQ(w.window->at("Combo1").text(), "Yaxmada");
    EXPECT_EQ(names.lineEdit()->cursorPosition(), 3);
}

TEST_F(ComboInput, TypedNamesAreNeitherCompletedNorCaseFoldedToAStoredOne) {
    w.window->at("Combo1").addItem("Bob");
    QComboBox& names = box("Combo1");
    names.setFocus();
    names.lineEdit()->clear();
    QTest::keyClicks(names.lineEdit(), "Bo");
    EXPECT_EQ(w.window->at("Combo1").text(), "Bo");
    names.lineEdit()->clear();
    QTest::keyClicks(names.lineEdit(), "bob");
    box("Combo2").setFocus();
    EXPECT_EQ(w.window->at("Combo1").text(), "bob");
    EXPECT_EQ(nameClicks, 0);
}

TEST_F(ComboInput, ModelChangesToTheEntriesAndSelectionShowInTheBox) {
    Element& level = w.window->at("Combo2");
    level.clearItems();
    for (int i = 1; i <= 6; ++i) {
        level.addItem("レベル " + std::to_string(i));
    }
    level.setSelectedIndex(2);
    QComboBox& levels = box("Combo2");
    ASSERT_EQ(levels.count(), 6);
    EXPECT_EQ(levels.itemText(5), QStringLiteral("レベル 6"));
    EXPECT_EQ(levels.currentIndex(), 2);
    EXPECT_EQ(levelClicks, 0) << "the model's own changes are no pick";

    Element& name = w.window->at("Combo1");
    name.setText("次郎");
    EXPECT_EQ(box("Combo1").currentText(), QStringLiteral("次郎"));
    name.clearItems();
    name.addItem("三郎");
    name.setSelectedIndex(0);
    EXPECT_EQ(box("Combo1").count(), 1);
    EXPECT_EQ(box("Combo1").currentText(), QStringLiteral("三郎"));
    EXPECT_EQ(nameClicks, 0);
}

TEST_F(ComboInput, APickHandlerThatUnloadsTheWindowIsSafe) {
    w.window->at("Combo2").addItem("レベル 1");
    w.window->at("Combo2").onClick = [this](int) { w.window->unload(); };
    QComboBox& levels = box("Combo2");
    emit levels.activated(0);
    EXPECT_FALSE(w.window->loaded());
    runPendingEvents();
}

}  // namespace
}  // namespace koropika
