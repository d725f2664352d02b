#include "qt/qt_desktop.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPixmapCache>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <optional>

#include "qt/conversions.h"
#include "qt_test_support.h"

namespace koropika {
namespace {

using testing::LayoutBuilder;
using testing::runPendingEvents;
using testing::ShownWindow;

WindowLayout settingsLike() {
    LayoutBuilder b("ころぴか V_1.0", {284, 212});
    b.add("Label1", ElementKind::Label, {15, 15, 215, 13});
    return b.layout();
}

TEST(QtDesktop, AMessageIsAWindowModalBoxWithOneButtonThatDoesNotBlockTheCaller) {
    ShownWindow w(settingsLike());
    w.window->show();
    w.desktop->showMessage(*w.window, "プレーヤーの名前が入力されていません。");
    // Reaching this line is the point: the call came back while the box is open.
    const auto boxes = w.view().findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 1);
    QMessageBox* box = boxes.front();
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), QStringLiteral("プレーヤーの名前が入力されていません。"));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("ころぴか V_1.0"));
    EXPECT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->windowModality(), Qt::WindowModal);

    const QPointer<QMessageBox> guard(box);
    box->button(QMessageBox::Ok)->click();
    runPendingEvents();
    EXPECT_TRUE(guard.isNull()) << "the box is freed once closed";
    EXPECT_TRUE(w.window->loaded()) << "closing the box keeps the program running";
}

TEST(QtDesktop, AQuestionIsCentredOnItsOwnerEnterTakesTheFirstAnswerEscapeTheSecond) {
    for (const bool enter : {true, false}) {
        ShownWindow w(settingsLike());
        w.window->show();
        std::optional<bool> answer;
        w.desktop->ask(*w.window,
                       {"前回のゲームの続きから遊びますか？", "はなこ　レベル 6・52 枚",
                        "続きから遊ぶ", "新しく始める"},
                       [&](bool first) { answer = first; });
        QMessageBox* box = nullptr;
        for (int wait = 0; wait < 500 && box == nullptr; ++wait) {
            runPendingEvents();
            const auto boxes = w.view().findChildren<QMessageBox*>();
            box = !boxes.empty() && boxes.front()->isVisible() ? boxes.front() : nullptr;
            QThread::msleep(10);
        }
        ASSERT_NE(box, nullptr) << "the box comes up once its owner stands in its place";
        EXPECT_EQ(box->text(), QStringLiteral("前回のゲームの続きから遊びますか？"));
        EXPECT_EQ(box->informativeText(), QStringLiteral("はなこ　レベル 6・52 枚"));
        EXPECT_EQ(box->windowModality(), Qt::WindowModal);
        EXPECT_EQ(box->defaultButton()->text(), QStringLiteral("続きから遊ぶ"));
        EXPECT_LE((box->geometry().center() - w.view().geometry().center()).manhattanLength(), 2);
        QTest::keyClick(box, enter ? Qt::Key_Return : Qt::Key_Escape);
        runPendingEvents();
        EXPECT_EQ(answer, enter);
    }
}

TEST(QtDesktop, EndProgramLeavesTheEventLoopAndHidesTheWindows) {
    ShownWindow w(settingsLike());
    w.window->show();
    QTimer::singleShot(0, [&] { w.desktop->endProgram(); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(w.view().isVisible());
    EXPECT_EQ(w.window->observer(), nullptr) << "the window may now be destroyed while shown";
}

TEST(QtDesktop, TheStylesDrawingsGoWithTheWindowThatIsUnloaded) {
    LayoutBuilder b("combo", {200, 100});
    b.add("Combo1", ElementKind::ComboBox, {20, 35, 146, 24});
    ShownWindow w(b.layout());
    w.window->show();
    runPendingEvents();
    QPixmap drawing(16, 16);
    drawing.fill(Qt::red);
    const QPixmapCache::Key key = QPixmapCache::insert(drawing);
    ASSERT_TRUE(QPixmapCache::find(key, &drawing));
    w.window->unload();
    runPendingEvents();
    EXPECT_FALSE(QPixmapCache::find(key, &drawing))
        << "the shared pixmap cache keeps drawings made for widgets that are gone";
}

TEST(QtDesktop, TheProgramFolderIsTheExecutablesFolderUnlessGiven) {
    EXPECT_EQ(QtDesktop().programFolder(), QCoreApplication::applicationDirPath().toStdString());
    EXPECT_EQ(QtDesktop("/tmp/game/").programFolder(), "/tmp/game");
}

TEST(QtDesktop, LabelsSizedToTheirTextUseTheRealFontMetrics) {
    LayoutBuilder b("auto", {200, 100});
    auto& label = b.add("Label8", ElementKind::Label, {135, 110, 138, 21});
    label.properties.autoSize = true;
    label.properties.font = Font{kHeavyGothic, 15.75, false, false, false};
    ShownWindow w(b.layout());
    w.window->show();
    Element& element = w.window->at("Label8");
    element.setCaption("カード数 28枚");
    const QFontMetrics metrics(toQFont(element.font(), Language::Japanese));
    EXPECT_EQ(element.width(), metrics.horizontalAdvance(QStringLiteral("カード数 28枚")));
    EXPECT_EQ(element.height(), metrics.lineSpacing());
}

// Qt's own words as its widgets show them: a question's Yes, the save dialog's field name
// and button, the first item of a text field's menu.
QStringList qtWords() {
    QMessageBox question(QMessageBox::Question, {}, {}, QMessageBox::Yes | QMessageBox::No);
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QLineEdit field;
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    return {question.button(QMessageBox::Yes)->text(), dialog.labelText(QFileDialog::FileName),
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->text(),
            menu->actions().front()->text().section(QLatin1Char('\t'), 0, 0)};
}

TEST(QtDesktop, QtsOwnDialogsSpeakTheWindowsLanguageAndFollowThePlayersChoice) {
    const QStringList japanese{"はい(&Y)", "ファイル名(&N):", "保存(&S)", "元に戻す(&U)"};
    const QStringList english{"&Yes", "File &name:", "&Save", "&Undo"};
    ShownWindow w(settingsLike());
    w.window->show();
    EXPECT_EQ(qtWords(), japanese);
    for (const auto& [language, words] :
         {std::pair{Language::English, english}, std::pair{Language::Japanese, japanese}}) {
        w.desktop->setLanguage(language);
        EXPECT_EQ(qtWords(), (language == Language::English ? japanese : english))
            << "taken up by the next window, not before";
        w.window->unload();
        w.window->show();
        EXPECT_EQ(qtWords(), words);
    }
    w.window->unload();
    w.desktop.reset();
    EXPECT_EQ(qtWords(), english) << "the desktop takes its translations with it";
}

}  // namespace
}  // namespace koropika
