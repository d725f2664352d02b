#include "qt/sound_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <array>
#include <utility>

#include "qt/window_view.h"

namespace koropika {

SoundMenu::SoundMenu(SoundChoice choice) : choice_(choice) {}

void SoundMenu::addTo(WindowView& view) {
    QMenu* menu = view.menuBar()->addMenu(QStringLiteral("音"));

    QAction* soundOn = menu->addAction(QStringLiteral("音を出す"));
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
            shownIn->announced(shownIn->window(), on ? "音: オン" : "音: オフ");
        }
    });

    menu->addSeparator();
    auto* steps = new QActionGroup(menu);
    static constexpr std::array<std::pair<Volume, const char*>, 3> kSteps = {{
        {Volume::Loud, "大"},
        {Volume::Medium, "中"},
        {Volume::Soft, "小"},
    }};
    for (const auto& [volume, caption] : kSteps) {
        QAction* step = steps->addAction(QString::fromUtf8(caption));
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
