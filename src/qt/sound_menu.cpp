#include "qt/sound_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <array>
#include <utility>

#include "qt/conversions.h"
#include "qt/window_view.h"
#include "shared/texts.h"

namespace koropika {

SoundMenu::SoundMenu(SoundChoice choice) : choice_(choice) {}

void SoundMenu::addTo(WindowView& view) {
    QMenu* menu = view.menuBar()->addMenu(QCoreApplication::translate("SoundMenu", "音"));

    QAction* soundOn = menu->addAction(QCoreApplication::translate("SoundMenu", "音を出す"));
    soundOn->setCheckable(true);
    soundOn->setChecked(choice_.on);
    soundOn->setShortcut(QKeySequence(Qt::Key_M));
    soundOn->setShortcutContext(Qt::WindowShortcut);
    const QPointer<WindowView> shownIn(&view);
    connect(soundOn, &QAction::toggled, this, [this, shownIn](bool on) {
        choice_.on = on;
        if (onSwitched) {
            onSwitched(on);
        }
        if (shownIn && shownIn->attached()) {
            shownIn->announced(
                shownIn->window(),
                fromQString(on ? QCoreApplication::translate("SoundMenu", "音: オン")
                               : QCoreApplication::translate("SoundMenu", "音: オフ")));
        }
    });

    menu->addSeparator();
    auto* steps = new QActionGroup(menu);
    static constexpr std::array<std::pair<Volume, const char*>, 3> kSteps = {{
        {Volume::Loud, TRANSLATABLE("SoundMenu", "大")},
        {Volume::Medium, TRANSLATABLE("SoundMenu", "中")},
        {Volume::Soft, TRANSLATABLE("SoundMenu", "小")},
    }};
    for (const auto& [volume, caption] : kSteps) {
        QAction* step = steps->addAction(QCoreApplication::translate("SoundMenu", caption));
        step->setCheckable(true);
        step->setChecked(choice_.volume == volume);
        menu->addAction(step);
        connect(step, &QAction::triggered, this, [this, volume] {
            choice_.volume = volume;
            if (onVolumeChosen) {
                onVolumeChosen(volume);
            }
        });
    }
}

}  // namespace koropika
