// Shows a sample window with every kind of element, for a look at the drawing on a real X
// server: koropika_qt_sample [--centred] [programFolder] (made-up pictures when no folder is
// given).
// The program ends itself after a few seconds.

#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "qt/qt_desktop.h"
#include "qt/qt_event_loop.h"
#include "qt_test_support.h"

using namespace koropika;

namespace {

WindowLayout sampleLayout() {
    testing::LayoutBuilder b("ころぴか V_1.0", {647, 414});
    b.menu("設定に戻る");
    b.menu("カード選択");
    b.menu("終了");

    auto label = [&](std::string name, Rect r, std::string text, Colour colour, Font font,
                     std::string container = {}) -> ElementSpec& {
        ElementProperties p;
        p.caption = std::move(text);
        p.textColour = colour;
        p.transparent = true;
        p.font = font;
        return b.add(std::move(name), ElementKind::Label, r, std::move(container), p);
    };
    const Font gothic12{kProportionalGothic, 12, false, false, false};

    auto& dice = b.add("Picture1", ElementKind::Panel, {45, 85, 351, 100});
    dice.properties.backColour = Colour::fromRgb(0x400040);
    dice.properties.border = Border::Single;
    auto& die = b.add("Picture2", ElementKind::Panel, {70, 20, 55, 55}, "Picture1");
    die.properties.picture = "dice_3";
    die.properties.border = Border::Single;
    label("Label8", {153, 15, 190, 30}, "サイコロをクリック", Colour::fromRgb(0xFFFF00),
          {kProportionalGothic, 16, true, false, false}, "Picture1");
    label("Label9", {155, 65, 190, 16}, "１・３・５ ＝ あなたが先攻", Colour::fromRgb(0xFFFF00),
          gothic12, "Picture1");

    auto& frame = b.add("Frame1", ElementKind::GroupBox, {420, 250, 146, 131});
    frame.properties.caption = "カードを選択してください";
    frame.properties.backColour = Colour::fromRgb(0x1C6C0D);
    frame.properties.textColour = Colour::highlightText();
    auto& command = b.add("Command1", ElementKind::PushButton, {100, 90, 36, 31}, "Frame1");
    command.properties.caption = "C";
    for (int i = 0; i < 5; ++i) {
        auto& back = b.add("Image1", ElementKind::Picture,
                           {10 + 45 * (i % 3), i < 3 ? 20 : 75, 37, 50}, "Frame1");
        back.index = i;
        back.properties.picture = "back_" + std::to_string(i);
        back.properties.stretch = true;
    }

    auto& name = b.add("Combo1", ElementKind::ComboBox, {20, 230, 146, 24});
    name.properties.items = {"たろう", "花子"};
    name.properties.caption = "たろう";
    name.properties.selectedIndex = 0;
    name.properties.font = gothic12;
    auto& level = b.add("Combo2", ElementKind::DropDownList, {20, 270, 101, 24});
    level.properties.items = {"レベル 1", "レベル 2"};
    level.properties.caption = "レベル 2";
    level.properties.selectedIndex = 1;
    level.properties.textColour = Colour::fromRgb(0x800080);
    level.properties.font = {kProportionalGothic, 12, true, true, false};

    label("Heavy", {200, 230, 200, 24}, "カード数 52枚", Colour::fromRgb(0x0000FF),
          {kHeavyGothic, 15.75, false, false, false});
    label("Mincho", {200, 265, 200, 24}, "ころぴか V_1.0", Colour::fromRgb(0xFFC0FF),
          {kProportionalMincho, 14.25, true, true, false});
    label("Link", {200, 300, 200, 18}, "バージョン情報", Colour::fromRgb(0x1C6C0D),
          {kProportionalGothic, 9.75, true, false, true});
    auto& opaque = label("GameOver", {20, 320, 341, 51}, "GAME-OVER", Colour::highlightText(),
                         {kProportionalGothic, 36, true, false, false});
    opaque.properties.transparent = false;
    opaque.properties.backColour = Colour::fromRgb(0xC000C0);
    opaque.properties.alignment = Alignment::Centre;
    auto& wrapped = label("Wrapped", {420, 20, 120, 60}, "折り返しのある長い文章をここに書きます",
                          Colour::highlightText(), gothic12);
    wrapped.properties.transparent = false;
    wrapped.properties.backColour = Colour::fromRgb(0x404080);

    for (int i = 0; i < 4; ++i) {
        auto& marker = b.add("Shape1", ElementKind::Shape, {430 + 20 * i, 100, 19, 18});
        marker.index = i + 1;
        marker.properties.backColour = Colour::fromRgb(0xC00000);
        marker.properties.borderColour = Colour::fromRgb(0xFFC0FF);
    }
    auto& face = b.add("Face", ElementKind::Picture, {430, 130, 55, 72});
    face.properties.picture = "face_1_13";
    auto& stretched = b.add("Stretched", ElementKind::Picture, {500, 130, 31, 31});
    stretched.properties.picture = "face_1_13";
    stretched.properties.stretch = true;
    auto& strip = b.add("Label12", ElementKind::Label, {410, 0, 237, 414});
    strip.properties.backColour = Colour::fromRgb(0x1C6C0D);
    return b.layout();
}

void makePictures(testing::ProgramFolder& folder) {
    folder.addPicture("dice_3", 55, 55, QColor(0xE0, 0x40, 0x20), QColor(0xC0, 0x30, 0x10));
    folder.addPicture("face_1_13", 55, 72, QColor(255, 255, 255), QColor(0xE0, 0xE0, 0xF0));
    for (int i = 0; i < 5; ++i) {
        folder.addPicture("back_" + std::to_string(i), i % 2 == 0 ? 52 : 47, i % 2 == 0 ? 70 : 62,
                          QColor::fromHsv(70 * i, 200, 200), QColor::fromHsv(70 * i, 255, 120));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    const bool centred = args.removeAll(QStringLiteral("--centred")) > 0;
    testing::ProgramFolder madeUp;
    QString folder = madeUp.path();
    if (!args.isEmpty()) {
        folder = args.front();
    } else {
        makePictures(madeUp);
    }
    QtEventLoop loop;
    QtDesktop desktop(folder);
    const WindowLayout layout = sampleLayout();
    Window window(layout, loop, desktop);
    window.onLoad = [&window, centred] {
        window.setWidthTwips(11000);
        window.setHeightTwips(8400);
        if (!centred) {
            window.setLeftTwips(1500);
            window.setTopTwips(1500);
        }
    };
    window.show();
    // Where the model believes the window is, once the window manager has framed it.
    QTimer report;
    report.start(2000);
    QObject::connect(&report, &QTimer::timeout, [&] {
        std::printf("model position %d,%d twips, centred %d\n", window.leftTwips(),
                    window.topTwips(), window.centred() ? 1 : 0);
        std::fflush(stdout);
    });
    QTimer::singleShot(6000, [&] { desktop.endProgram(); });
    return QApplication::exec();
}
