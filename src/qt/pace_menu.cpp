#include "qt/pace_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <array>
#include <utility>

#include "qt/window_view.h"
#include "shared/texts.h"

namespace koropika {

PaceMenu::PaceMenu(Pace pace) : pace_(pace) {}

void PaceMenu::addTo(WindowView& view) {
    QMenu* menu = view.menuBar()->addMenu(QCoreApplication::translate("PaceMenu", "速さ"));
    auto* speeds = new QActionGroup(menu);
    static constexpr std::array<std::pair<Speed, const char*>, 3> kSpeeds = {{
        {Speed::Slow, TRANSLATABLE("PaceMenu", "ゆっくり")},
        {Speed::Normal, TRANSLATABLE("PaceMenu", "ふつう")},
        {Speed::Fast, TRANSLATABLE("PaceMenu", "はやく")},
    }};
    for (const auto& [speed, caption] : kSpeeds) {
        QAction* item = speeds->addAction(QCoreApplication::translate("PaceMenu", caption));
        item->setCheckable(true);
        item->setChecked(pace_.speed == speed);
        menu->addAction(item);
        connect(item, &QAction::triggered, this, [this, speed] {
            pace_.speed = speed;
            chosen();
        });
    }
    menu->addSeparator();
    const std::pair<bool Pace::*, const char*> switches[] = {
        {&Pace::stepByKey, TRANSLATABLE("PaceMenu", "キーで進める")},
        {&Pace::reduceMotion, TRANSLATABLE("PaceMenu", "動きを減らす")},
    };
    for (const auto& [part, caption] : switches) {
        QAction* item = menu->addAction(QCoreApplication::translate("PaceMenu", caption));
        item->setCheckable(true);
        item->setChecked(pace_.*part);
        connect(item, &QAction::toggled, this, [this, part](bool on) {
            pace_.*part = on;
            chosen();
        });
    }
}

void PaceMenu::chosen() {
    if (onChosen) {
        onChosen(pace_);
    }
}

}  // namespace koropika
