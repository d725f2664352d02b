#include "qt/language_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <array>
#include <utility>

#include "qt/window_view.h"

namespace koropika {

LanguageMenu::LanguageMenu(LanguageChoice choice) : choice_(choice) {}

void LanguageMenu::addTo(WindowView& view) {
    QMenu* menu = view.menuBar()->addMenu(QStringLiteral("言語 / Language"));
    auto* choices = new QActionGroup(menu);
    static constexpr std::array<std::pair<LanguageChoice, const char*>, 3> kChoices = {{
        {LanguageChoice::System, "System"},
        {LanguageChoice::Japanese, "日本語"},
        {LanguageChoice::English, "English"},
    }};
    for (const auto& [choice, caption] : kChoices) {
        QAction* item = choices->addAction(QString::fromUtf8(caption));
        item->setCheckable(true);
        item->setChecked(choice_ == choice);
        menu->addAction(item);
        connect(item, &QAction::triggered, this, [this, choice] {
            choice_ = choice;
            if (onChosen) {
                onChosen(choice);
            }
        });
    }
    menu->addSeparator();
    menu->addAction(QStringLiteral("次に開くウィンドウから / From the next window"))
        ->setEnabled(false);
}

}  // namespace koropika
