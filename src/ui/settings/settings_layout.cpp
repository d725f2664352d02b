#include "ui/settings/settings_layout.h"

#include "ui/settings/settings_window.h"

#include <string>
#include <utility>

#include "shared/texts.h"
#include "ui/elements/desktop.h"
#include "ui/elements/layout_row.h"
#include "ui/elements/palette.h"

namespace koropika {

namespace {

constexpr Colour kLevelPurple = Colour::fromRgb(0x800080);
constexpr Colour kLinkBlue = Colour::fromRgb(0xC0C0FF);
constexpr bool kBold = true;

// A label drawn straight on its background, sized to its text.
Row textOnBackground(std::string name, std::string container, Rect rect, std::string caption,
                     const char* face, double points, Colour colour) {
    return label(std::move(name), std::move(container), rect)
        .caption(std::move(caption))
        .face(face)
        .font(points)
        .text(colour)
        .transparent()
        .sizedToText();
}

// "カード数 N枚": releasing the mouse on it starts a game with that many cards.
Row cardCountLabel(const Window& w, std::string name, int top, int cards) {
    const std::string caption =
        fillText(w.desktop().translate("SettingsWindow", "カード数 %1枚"), {std::to_string(cards)});
    return textOnBackground(std::move(name), "Picture1", {135, top, 138, 21}, caption, kHeavyGothic,
                            15.75, kBlue)
        .cursorA();
}

WindowLayout buildLayout() {
    WindowLayout layout;
    layout.name = "設定";
    layout.caption = "ころぴか V_1.0";
    layout.icon = "icon";
    layout.background = kTableGreen;
    layout.designedClient = {284, 212};
    return layout;
}

}  // namespace

const WindowLayout& settingsWindowLayout() {
    static const WindowLayout layout = buildLayout();
    return layout;
}

SettingsWindowElements::SettingsWindowElements(Window& w)
    : Picture1(w.add(panel("Picture1", "", {0, 0, 286, 213}).singleBorder().innerUnitTwips())),
      Label6(w.add(
          textOnBackground("Label6", "", {45, 250, 181, 11},
                           w.desktop().translate("SettingsWindow", "無断転載・再配布を禁じます。"),
                           kProportionalGothic, 9, Colour::highlightText())
              .fixedSize())),
      Label5(w.add(textOnBackground("Label5", "", {75, 220, 151, 19}, "ころぴか V_1.0",
                                    kProportionalMincho, 14.25, kPink)
                       .font(14.25, kBold)
                       .italic())),
      Image11(w.add(picture("Image11", -1, "", {35, 215, 32, 32}).picture("icon"))),
      Label4(w.add(textOnBackground("Label4", "", {10, 270, 265, 13},
                                    //: The link's text; Japanese shows the address itself.
                                    w.desktop().translate("SettingsWindow",
                                                          "https://ja.wikipedia.org/wiki/神経衰弱"),
                                    kProportionalGothic, 9.75, kLinkBlue)
                       .underlined()
                       .cursorA())),
      Combo2(w.add(
          Row("Combo2", -1, ElementKind::DropDownList, "Picture1", {20, 100, 101, 24})
              .caption(w.desktop().translate("SettingsWindow",
                                             "レベル1からだんだん強くなり、6で最強になります"))
              .text(kLevelPurple)
              .font(12, kBold)
              .italic()
              .cursorA()
              .tabIndex(1)
              .accessibleName(w.desktop().translate("SettingsWindow", "コンピュータのレベル")))),
      Combo1(
          w.add(Row("Combo1", -1, ElementKind::ComboBox, "Picture1", {20, 35, 146, 24})
                    .font(12)
                    .accessibleName(w.desktop().translate("SettingsWindow", "プレーヤーの名前")))),
      // In the free space below the level list, left of the card counts: the choice of a second
      // player, and the second player's name below it while it is chosen.
      Combo3(w.add(
          Row("Combo3", -1, ElementKind::ComboBox, "Picture1", {20, 148, 108, 24})
              .font(12)
              .hidden()
              .accessibleName(w.desktop().translate("SettingsWindow", "2人目のプレーヤーの名前")))),
      Label2(w.add(textOnBackground("Label2", "Picture1", {15, 128, 115, 13}, "",
                                    kProportionalGothic, 9.75, kTableGreen)
                       .font(9.75, kBold)
                       .cursorA())),
      Label10(w.add(cardCountLabel(w, "Label10", 170, 52))),
      Label9(w.add(cardCountLabel(w, "Label9", 140, 40))),
      Label8(w.add(cardCountLabel(w, "Label8", 110, 28))),
      Label7(w.add(textOnBackground("Label7", "Picture1", {5, 180, 101, 16},
                                    w.desktop().translate("SettingsWindow", "バージョン情報"),
                                    kProportionalGothic, 9.75, kTableGreen)
                       .font(9.75, kBold)
                       .underlined()
                       .fixedSize()
                       .centred()
                       .cursorA())),
      Label3(w.add(textOnBackground("Label3", "Picture1", {15, 80, 125, 13},
                                    w.desktop().translate("SettingsWindow", "コンピュータのレベル"),
                                    kProportionalGothic, 9.75, kTableGreen)
                       .font(9.75, kBold))),
      Label1(w.add(textOnBackground("Label1", "Picture1", {15, 15, 215, 13},
                                    w.desktop().translate("SettingsWindow",
                                                          "プレーヤーの名前を入力してください"),
                                    kProportionalGothic, 9.75, kTableGreen)
                       .font(9.75, kBold))),
      ImageList1(w.add(ImageListSpec{
          "ImageList1", -1, {300, 230}, {"settings_bg_1", "settings_bg_2", "settings_bg_3"}})) {}

}  // namespace koropika
