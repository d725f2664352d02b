#include "ui/settings/settings_layout.h"

#include <string>
#include <utility>

namespace koropika {

namespace {

constexpr Colour kDarkGreen = Colour::fromRgb(0x1C6C0D);
constexpr Colour kCardCountBlue = Colour::fromRgb(0x0000FF);

Font font(const char* face, double points, bool bold = false, bool italic = false,
          bool underline = false) {
    return Font{face, points, bold, italic, underline};
}

ElementSpec transparentLabel(std::string name, std::string container, Rect rect,
                             std::string caption, Font labelFont, Colour colour) {
    ElementProperties p;
    p.rect = rect;
    p.caption = std::move(caption);
    p.font = std::move(labelFont);
    p.textColour = colour;
    p.transparent = true;
    p.autoSize = true;
    return {std::move(name), -1, ElementKind::Label, std::move(container), std::move(p)};
}

ElementSpec cardCountLabel(std::string name, int top, std::string caption) {
    ElementSpec spec =
        transparentLabel(std::move(name), "Picture1", {135, top, 138, 21}, std::move(caption),
                         font(kHeavyGothic, 15.75), kCardCountBlue);
    spec.properties.pointer = spec.properties.customPointer = Pointer::CursorA;
    return spec;
}

WindowLayout buildLayout() {
    WindowLayout layout;
    layout.name = "設定";
    layout.caption = "ころぴか V_1.0";
    layout.icon = "icon";
    layout.background = kDarkGreen;
    layout.designedClient = {284, 212};

    ElementProperties choiceArea;
    choiceArea.rect = {0, 0, 286, 213};
    choiceArea.border = Border::Single;
    choiceArea.innerUnitTwips = true;
    layout.elements.push_back({"Picture1", -1, ElementKind::Panel, "", choiceArea});

    layout.elements.push_back(
        transparentLabel("Label6", "", {45, 250, 181, 11}, "無断転載・再配布を禁じます。",
                         font(kProportionalGothic, 9), Colour::highlightText()));
    layout.elements.back().properties.autoSize = false;
    layout.elements.push_back(transparentLabel("Label5", "", {75, 220, 151, 19}, "ころぴか V_1.0",
                                               font(kProportionalMincho, 14.25, true, true),
                                               Colour::fromRgb(0xFFC0FF)));
    ElementProperties icon;
    icon.rect = {35, 215, 32, 32};
    icon.picture = "icon";
    layout.elements.push_back({"Image11", -1, ElementKind::Picture, "", icon});
    layout.elements.push_back(transparentLabel("Label4", "", {10, 270, 265, 13}, kLinkAddress,
                                               font(kProportionalGothic, 9.75, false, false, true),
                                               Colour::fromRgb(0xC0C0FF)));
    layout.elements.back().properties.pointer = Pointer::CursorA;
    layout.elements.back().properties.customPointer = Pointer::CursorA;

    ElementProperties level;
    level.rect = {20, 100, 101, 24};
    level.caption = "レベル1からだんだん強くなり、6で最強になります";
    level.textColour = Colour::fromRgb(0x800080);
    level.font = font(kProportionalGothic, 12, true, true);
    level.pointer = level.customPointer = Pointer::CursorA;
    level.tabIndex = 1;
    level.accessibleName = "コンピュータのレベル";
    layout.elements.push_back({"Combo2", -1, ElementKind::DropDownList, "Picture1", level});

    ElementProperties name;
    name.rect = {20, 35, 146, 24};
    name.font = font(kProportionalGothic, 12);
    name.accessibleName = "プレーヤーの名前";
    layout.elements.push_back({"Combo1", -1, ElementKind::ComboBox, "Picture1", name});

    layout.elements.push_back(cardCountLabel("Label10", 170, "カード数 52枚"));
    layout.elements.push_back(cardCountLabel("Label9", 140, "カード数 40枚"));
    layout.elements.push_back(cardCountLabel("Label8", 110, "カード数 28枚"));

    ElementSpec version =
        transparentLabel("Label7", "Picture1", {5, 180, 101, 16}, "バージョン情報",
                         font(kProportionalGothic, 9.75, true, false, true), kDarkGreen);
    version.properties.autoSize = false;
    version.properties.alignment = Alignment::Centre;
    version.properties.pointer = version.properties.customPointer = Pointer::CursorA;
    layout.elements.push_back(std::move(version));

    layout.elements.push_back(transparentLabel("Label3", "Picture1", {15, 80, 125, 13},
                                               "コンピュータのレベル",
                                               font(kProportionalGothic, 9.75, true), kDarkGreen));
    layout.elements.push_back(transparentLabel("Label1", "Picture1", {15, 15, 215, 13},
                                               "プレーヤーの名前を入力してください",
                                               font(kProportionalGothic, 9.75, true), kDarkGreen));

    layout.imageLists.push_back(
        {"ImageList1", -1, {300, 230}, {"settings_bg_1", "settings_bg_2", "settings_bg_3"}});
    return layout;
}

}  // namespace

const WindowLayout& settingsWindowLayout() {
    static const WindowLayout layout = buildLayout();
    return layout;
}

}  // namespace koropika
