#include "qt/deal_dialog.h"

#include <QAccessible>
#include <QAction>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>
#include <utility>

#include "qt/window_view.h"
#include "shared/deal_number.h"

namespace koropika {

DealDialog::DealDialog(std::uint64_t currentNumber, QWidget* parent)
    : QDialog(parent), currentNumber_(currentNumber) {
    setWindowTitle(QCoreApplication::translate("DealDialog", "ゲーム番号"));
    setAccessibleName(windowTitle());
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);

    current_ = new QLineEdit(QString::number(currentNumber), this);
    current_->setReadOnly(true);
    current_->setAccessibleName(QCoreApplication::translate("DealDialog", "このゲームの番号"));
    typed_ = new QLineEdit(this);
    typed_->setAccessibleName(QCoreApplication::translate("DealDialog", "遊ぶゲームの番号"));
    typed_->setPlaceholderText(QCoreApplication::translate("DealDialog", "1 から 999999999"));
    problem_ = new QLabel(this);
    problem_->setAccessibleName(QCoreApplication::translate("DealDialog", "入力の誤り"));
    problem_->setStyleSheet(QStringLiteral("color: #b00000;"));
    problem_->setWordWrap(true);
    problem_->hide();

    auto* form = new QFormLayout;
    form->addRow(QCoreApplication::translate("DealDialog", "このゲームの番号"), current_);
    form->addRow(QCoreApplication::translate("DealDialog", "番号を入力"), typed_);

    play_ = new QPushButton(QCoreApplication::translate("DealDialog", "この番号で遊ぶ"), this);
    replay_ =
        new QPushButton(QCoreApplication::translate("DealDialog", "同じカードでもう一度"), this);
    close_ = new QPushButton(QCoreApplication::translate("DealDialog", "閉じる"), this);
    play_->setDefault(true);
    for (QPushButton* button : {play_, replay_, close_}) {
        button->setAccessibleName(button->text());
    }
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(play_, QDialogButtonBox::AcceptRole);
    buttons->addButton(replay_, QDialogButtonBox::ActionRole);
    buttons->addButton(close_, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // a small dialog: nothing to enlarge
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
    setTabOrder(current_, typed_);
    setTabOrder(typed_, play_);
    setTabOrder(play_, replay_);
    setTabOrder(replay_, close_);
    typed_->setFocus();

    connect(play_, &QPushButton::clicked, this, [this] { playTyped(); });
    connect(replay_, &QPushButton::clicked, this, [this] { playNumber(currentNumber_); });
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
}

void DealDialog::playTyped() {
    const DealNumberReading reading = readDealNumber(typed_->text().toStdString());
    if (reading.number) {
        playNumber(*reading.number);
        return;
    }
    const QString problem =
        QCoreApplication::translate(kDealNumberTextContext, reading.problem.c_str());
    problem_->setText(problem);
    problem_->show();
    typed_->setAccessibleDescription(problem);
    typed_->setFocus();
    typed_->selectAll();
    QAccessibleEvent alert(problem_, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void DealDialog::playNumber(std::uint64_t number) {
    // Closed first: playing reloads the game window, which takes the dialog with it.
    const std::function<void(std::uint64_t)> play = onPlay;
    accept();
    if (play) {
        play(number);
    }
}

DealMenu::DealMenu(std::function<std::uint64_t()> currentNumber)
    : currentNumber_(std::move(currentNumber)) {}

void DealMenu::addTo(WindowView& view) {
    QAction* open =
        view.menuBar()->addAction(QCoreApplication::translate("DealMenu", "ゲーム番号"));
    open->setShortcut(QKeySequence(Qt::Key_N));
    open->setShortcutContext(Qt::WindowShortcut);
    const QPointer<WindowView> shownIn(&view);
    connect(open, &QAction::triggered, this, [this, shownIn] {
        if (!shownIn || !shownIn->attached()) {
            return;
        }
        auto* dialog = new DealDialog(currentNumber_(), shownIn.data());
        dialog->onPlay = [this](std::uint64_t number) {
            if (onPlay) {
                onPlay(number);
            }
        };
        dialog->open();
    });
}

}  // namespace koropika
