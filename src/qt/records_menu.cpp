#include "qt/records_menu.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenuBar>
#include <utility>

#include "qt/records_window.h"
#include "qt/window_view.h"

namespace koropika {

RecordsMenu::RecordsMenu(Store store, QString programFolder)
    : store_(std::move(store)), programFolder_(std::move(programFolder)) {}

RecordsMenu::~RecordsMenu() {
    delete window_.data();  // it reads the store, which may go right after the menu
}

void RecordsMenu::addTo(WindowView& view) {
    QAction* open = view.menuBar()->addAction(QCoreApplication::translate("RecordsMenu", "記録"));
    open->setShortcut(QKeySequence(Qt::Key_R));
    open->setShortcutContext(Qt::WindowShortcut);
    const QPointer<WindowView> shownIn(&view);
    connect(open, &QAction::triggered, this, [this, shownIn] {
        if (shownIn && shownIn->attached() && !window_) {
            this->open(*shownIn);
        }
    });
}

void RecordsMenu::open(WindowView& view) {
    auto* window = new RecordsWindow(store_(), currentPlayer ? currentPlayer() : std::string(),
                                     programFolder_, &view);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::WindowModal);
    connect(window, &RecordsWindow::opened, this, [this] {
        if (onOpened) {
            onOpened();
        }
    });
    connect(window, &RecordsWindow::closed, this, [this] {
        if (onClosed) {
            onClosed();
        }
    });
    connect(window, &RecordsWindow::playDealAgain, this, [this](qint64 number) {
        if (onPlay && number > 0) {
            onPlay(static_cast<std::uint64_t>(number));
        }
    });
    window_ = window;
    // Centred over the game window, as a dialog of it would be.
    window->move(view.frameGeometry().center() - window->rect().center());
    window->show();
    if (roundJustEnded && roundJustEnded()) {
        window->chooseLatestRound();
    }
}

}  // namespace koropika
