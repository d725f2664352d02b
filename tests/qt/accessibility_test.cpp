#include <gtest/gtest.h>

#include <QAccessible>
#include <QPushButton>
#include <string>
#include <vector>

#include "qt/window_view.h"
#include "qt_test_support.h"

namespace koropika {
namespace {

using testing::LayoutBuilder;
using testing::runPendingEvents;
using testing::ShownWindow;

// Two overlapping cards, a heading, a note that ignores the mouse, a panel in front of a picture,
// a group box and a push button.
WindowLayout tableLayout() {
    LayoutBuilder b("table", {320, 240});
    // Listed first lies in front: card 2 covers the right part of card 1.
    auto& front = b.add("Card", ElementKind::Picture, {40, 40, 40, 50});
    front.index = 2;
    front.properties.accessibleName = "カード 2";
    auto& back = b.add("Card", ElementKind::Picture, {20, 40, 40, 50});
    back.index = 1;
    back.properties.accessibleName = "カード 1";
    b.add("Title", ElementKind::Label, {5, 5, 100, 16}).properties.caption = "見出し";
    b.add("Note", ElementKind::Label, {120, 5, 60, 16}).properties.caption = "メモ";
    b.add("Hidden", ElementKind::Picture, {5, 100, 20, 20}).properties.visible = false;
    b.add("Behind", ElementKind::Picture, {140, 90, 160, 120});
    b.add("Panel", ElementKind::Panel, {150, 100, 100, 80}).properties.caption = "サイコロ";
    b.add("Inner", ElementKind::Picture, {10, 10, 30, 30}, "Panel").properties.accessibleName =
        "内側";
    b.add("Group", ElementKind::GroupBox, {20, 150, 110, 80}).properties.caption = "グループ";
    b.add("Back", ElementKind::Picture, {10, 20, 30, 40}, "Group").properties.accessibleName =
        "カードの裏 1";
    b.add("Button", ElementKind::PushButton, {70, 45, 30, 25}, "Group").properties.caption = "C";
    return b.layout();
}

class CanvasAccessibility : public ::testing::Test {
  protected:
    void SetUp() override {
        QAccessible::setActive(true);
        w.window->show();
        Window& window = *w.window;
        for (Element* element : {&window.at("Card", 1), &window.at("Card", 2), &window.at("Title"),
                                 &window.at("Hidden"), &window.at("Behind"), &window.at("Panel"),
                                 &window.at("Inner"), &window.at("Back")}) {
            element->onClick = [](int) {};
        }
        window.at("Title").onMouseMove = [](int, const MouseEvent&) {};
    }
    void TearDown() override { QAccessible::setActive(false); }

    QWidget& client() { return *w.view().clientArea(); }
    QAccessibleInterface* canvasOf(QWidget& canvas) {
        return QAccessible::queryAccessibleInterface(&canvas);
    }
    QPoint onScreen(QWidget& canvas, QPoint local) { return canvas.mapToGlobal(local); }

    // The names of the element children of `canvas` (those without a widget), in order.
    static std::vector<std::string> elementNames(QAccessibleInterface* canvas) {
        std::vector<std::string> names;
        for (int i = 0; i < canvas->childCount(); ++i) {
            QAccessibleInterface* child = canvas->child(i);
            if (child != nullptr && child->object() == nullptr) {
                names.push_back(child->text(QAccessible::Name).toStdString());
                EXPECT_EQ(canvas->indexOfChild(child), i);
                EXPECT_EQ(child->parent(), canvas);
            }
        }
        return names;
    }

    static std::string nameAt(QAccessibleInterface* canvas, QPoint global) {
        QAccessibleInterface* hit = canvas->childAt(global.x(), global.y());
        return hit == nullptr ? "(none)" : hit->text(QAccessible::Name).toStdString();
    }

    ShownWindow w{tableLayout()};
};

TEST_F(CanvasAccessibility, ACanvasListsItsVisibleMouseElementsWithRoleNameAndScreenPlace) {
    QAccessibleInterface* canvas = canvasOf(client());
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->role(), QAccessible::Client);
    // Front to back; the note ignores the mouse and the hidden picture is not shown.
    EXPECT_EQ(elementNames(canvas),
              (std::vector<std::string>{"カード 2", "カード 1", "見出し", ""}));

    QAccessibleInterface* card = canvas->child(canvas->childCount() - 3);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->text(QAccessible::Name), QStringLiteral("カード 1"));
    EXPECT_EQ(card->role(), QAccessible::Button);
    EXPECT_EQ(card->rect(), QRect(onScreen(client(), {20, 40}), QSize(40, 50)));
    EXPECT_FALSE(card->state().disabled);
    w.window->at("Card", 1).setEnabled(false);
    EXPECT_TRUE(card->state().disabled);

    QAccessibleInterface* title = canvas->child(canvas->childCount() - 2);
    EXPECT_EQ(title->role(), QAccessible::StaticText);

    // A card the window hides leaves the list, and what was made for it is no longer valid.
    const int before = canvas->childCount();
    w.window->at("Card", 1).setVisible(false);
    EXPECT_FALSE(card->isValid());
    EXPECT_EQ(canvas->childCount(), before - 1);
    EXPECT_EQ(elementNames(canvas), (std::vector<std::string>{"カード 2", "見出し", ""}));
}

TEST_F(CanvasAccessibility, PanelsGroupBoxesAndButtonsCarryTheirNamesAndChildren) {
    QAccessibleInterface* panel = canvasOf(w.widgetOf("Panel"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->text(QAccessible::Name), QStringLiteral("サイコロ"));
    EXPECT_EQ(panel->role(), QAccessible::Button) << "the panel reacts to clicks";
    EXPECT_EQ(elementNames(panel), std::vector<std::string>{"内側"});

    QAccessibleInterface* group = canvasOf(w.widgetOf("Group"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->role(), QAccessible::Grouping);
    EXPECT_EQ(group->text(QAccessible::Name), QStringLiteral("グループ"));
    EXPECT_EQ(elementNames(group), std::vector<std::string>{"カードの裏 1"});

    QWidget& button = w.widgetOf("Button");
    EXPECT_EQ(button.accessibleName(), QStringLiteral("C"));
    w.window->at("Button").setAccessibleName("閉じる");
    EXPECT_EQ(button.accessibleName(), QStringLiteral("閉じる"));
    EXPECT_EQ(canvasOf(button)->text(QAccessible::Name), QStringLiteral("閉じる"));
}

TEST_F(CanvasAccessibility, ChildAtFindsWhatThePointerWouldHitFrontToBack) {
    QAccessibleInterface* canvas = canvasOf(client());
    ASSERT_NE(canvas, nullptr);
    // Card 2's centre; card 1's centre lies under card 2, its left edge is its own.
    EXPECT_EQ(nameAt(canvas, onScreen(client(), {60, 65})), "カード 2");
    EXPECT_EQ(nameAt(canvas, onScreen(client(), {40, 65})), "カード 2");
    EXPECT_EQ(nameAt(canvas, onScreen(client(), {25, 65})), "カード 1");
    EXPECT_EQ(nameAt(canvas, onScreen(client(), {10, 10})), "見出し");
    EXPECT_EQ(nameAt(canvas, onScreen(client(), {130, 10})), "(none)") << "the note";
    EXPECT_EQ(nameAt(canvas, onScreen(client(), {300, 20})), "(none)") << "the background";

    // The panel lies in front of the picture behind it; inside it, its own children.
    QAccessibleInterface* hit =
        canvas->childAt(onScreen(client(), {200, 170}).x(), onScreen(client(), {200, 170}).y());
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->object(), &w.widgetOf("Panel"));
    EXPECT_EQ(nameAt(hit, onScreen(client(), {175, 125})), "内側");
    EXPECT_EQ(nameAt(canvas, onScreen(client(), {145, 95})), "") << "the nameless picture";

    QAccessibleInterface* group = canvasOf(w.widgetOf("Group"));
    EXPECT_EQ(nameAt(group, onScreen(client(), {45, 190})), "カードの裏 1");
}

TEST_F(CanvasAccessibility, WhatWasMadeForTheElementsGoesWithTheWindow) {
    QAccessibleInterface* canvas = canvasOf(client());
    QAccessibleInterface* card =
        canvas->childAt(onScreen(client(), {60, 65}).x(), onScreen(client(), {60, 65}).y());
    ASSERT_NE(card, nullptr);
    const QAccessible::Id id = QAccessible::uniqueId(card);
    w.window->unload();
    runPendingEvents();
    EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
}

// What a person sees: a card's back over its face, a link below the client area, a hidden panel
// with a button picture, and the switched-off template of an element array.
WindowLayout sightLayout() {
    LayoutBuilder b("sight", {200, 120});
    auto& back = b.add("Back", ElementKind::Picture, {10, 10, 30, 40});
    back.properties.picture = "back";
    back.properties.accessibleName = "カード 1、裏";
    auto& face = b.add("Face", ElementKind::Picture, {10, 10, 30, 40});
    face.properties.picture = "face";
    face.properties.accessibleName = "カード 1、ハートの 3";
    b.add("Link", ElementKind::Label, {10, 150, 80, 16}).properties.accessibleName = "リンク";
    b.add("Result", ElementKind::Panel, {100, 10, 90, 60}).properties.visible = false;
    b.add("Again", ElementKind::Picture, {5, 5, 60, 20}, "Result").properties.accessibleName =
        "もう一度";
    auto& templ = b.add("Card", ElementKind::Picture, {150, 80, 20, 20});
    templ.index = 0;
    templ.properties.enabled = false;
    templ.properties.accessibleName = "カード";
    return b.layout();
}

class ElementsInSight : public ::testing::Test {
  protected:
    void SetUp() override {
        QAccessible::setActive(true);
        w.window->show();
    }
    void TearDown() override { QAccessible::setActive(false); }

    QAccessibleInterface* named(QWidget& canvas, const std::string& name) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&canvas);
        for (int i = 0; i < accessible->childCount(); ++i) {
            QAccessibleInterface* child = accessible->child(i);
            if (child->text(QAccessible::Name).toStdString() == name) {
                return child;
            }
        }
        return nullptr;
    }
    bool seen(QWidget& canvas, const std::string& name) {
        QAccessibleInterface* accessible = named(canvas, name);
        return accessible != nullptr && !accessible->state().invisible;
    }

    ShownWindow w{sightLayout()};
};

TEST_F(ElementsInSight, WhatIsInAHiddenPanelIsSeenOnlyWhileThePanelShows) {
    QWidget& panel = w.widgetOf("Result");
    ASSERT_NE(named(panel, "もう一度"), nullptr) << "listed, as Qt lists a hidden widget";
    EXPECT_FALSE(seen(panel, "もう一度"));

    w.window->at("Result").setVisible(true);
    EXPECT_TRUE(seen(panel, "もう一度"));
    w.window->at("Result").setVisible(false);
    EXPECT_FALSE(seen(panel, "もう一度"));
}

TEST_F(ElementsInSight, AFaceUnderItsBackAndALinkBelowTheClientAreaAreNotSeen) {
    QWidget& client = *w.view().clientArea();
    EXPECT_TRUE(seen(client, "カード 1、裏"));
    EXPECT_FALSE(seen(client, "カード 1、ハートの 3")) << "its back covers it";
    w.window->at("Back").setVisible(false);
    EXPECT_TRUE(seen(client, "カード 1、ハートの 3"));

    EXPECT_FALSE(seen(client, "リンク"));
    w.window->setHeightTwips(w.window->heightTwips() + 60 * kTwipsPerPixel);
    runPendingEvents();
    EXPECT_TRUE(seen(client, "リンク"));
}

TEST_F(ElementsInSight, TheSwitchedOffTemplateOfAnArrayIsNotShownToReaders) {
    EXPECT_EQ(named(*w.view().clientArea(), "カード"), nullptr);
}

}  // namespace
}  // namespace koropika
