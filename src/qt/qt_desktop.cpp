#include "qt/qt_desktop.h"

#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPixmapCache>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <utility>

#include "qt/conversions.h"

namespace koropika {

namespace {

QString folderOrApplicationDir(QString folder) {
    if (folder.isEmpty()) {
        folder = QCoreApplication::applicationDirPath();
    }
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/'))) {
        folder.chop(1);
    }
    return folder;
}

}  // namespace

QtDesktop::QtDesktop(QString programFolder)
    : folder_(folderOrApplicationDir(std::move(programFolder))), pictures_(folder_) {
    // Only the model ends the program (endProgram); a message box closing while no window is on
    // screen, between one window's unload and the next one's show, must not.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(withLayoutGothic(QApplication::font()));
}

void QtDesktop::prepareFonts() {
    FcInit();
    // The standard font's family on a desktop without a theme of its own. Under any other name
    // the family is looked up when the desktop is made.
    prepareLayoutGothic(QStringLiteral("Sans Serif"));
}

void QtDesktop::windowLoading(Window& /*window*/) {
    if (!languageInstalled_ || chosenLanguage_ != language_) {
        useLanguage(chosenLanguage_);
    }
}

void QtDesktop::useLanguage(Language language) {
    for (const auto& translator : translators_) {
        QCoreApplication::removeTranslator(translator.get());
    }
    translators_.clear();
    language_ = language;
    languageInstalled_ = true;
    const auto install = [this](const QString& file, const QString& folder) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(file, folder)) {
            QCoreApplication::installTranslator(translator.get());
            translators_.push_back(std::move(translator));
        }
    };
    // Qt's own words (the buttons of message boxes, the file dialog, a text field's menu) in the
    // windows' language, from Qt's translations where the system has them.
    install(
        language == Language::Japanese ? QStringLiteral("qtbase_ja") : QStringLiteral("qtbase_en"),
        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (language == Language::Japanese) {
        return;  // the game's own words
    }
    // One file for the windows' texts, one for the front end's own windows and menus.
    const QDir folder(folder_ + QStringLiteral("/translations"));
    for (const QString& file : folder.entryList({QStringLiteral("*_en.qm")}, QDir::Files)) {
        install(file, folder.path());
    }
}

std::string QtDesktop::translate(const char* context, const char* words) const {
    return fromQString(QCoreApplication::translate(context, words));
}

QtDesktop::~QtDesktop() {
    for (auto& [window, view] : views_) {
        retired_.push_back(view);
    }
    views_.clear();
    for (const QPointer<WindowView>& view : retired_) {
        delete view.data();  // detaches from its window if still attached
    }
}

void QtDesktop::windowShown(Window& window) {
    windowHidden(window);  // a view left over from a window object that is gone
    auto* view = new WindowView(window, ViewServices{pictures_, knownFrame_, language_});
    views_[&window] = view;
    if (onViewMade) {
        onViewMade(*view);
    }
    view->show();
}

void QtDesktop::windowHidden(Window& window) {
    const auto it = views_.find(&window);
    if (it == views_.end()) {
        return;
    }
    QPointer<WindowView> view = it->second;
    views_.erase(it);
    if (view) {
        // Often called from inside the view's own input handler: cut the view off from the
        // model now, delete it once that handler has returned.
        view->detach();
        view->hide();
        view->deleteLater();
        retired_.push_back(view);
    }
    std::erase_if(retired_, [](const QPointer<WindowView>& v) { return v.isNull(); });
    // The style keeps its drawings of combo boxes, buttons and frames in the shared pixmap cache
    // under the palette of each widget, and every load of a window makes new palettes: without
    // this the cache would fill to its 10 MB limit with drawings of windows that are gone.
    QPixmapCache::clear();
    // Likewise the font cache lets go of the faces only the hidden window used (the settings
    // window's Mincho and heavy Gothic) at once rather than on its own timer half a minute
    // later; faces that shown windows still hold stay open.
    QFont::cleanup();
}

void QtDesktop::showMessage(Window& owner, const std::string& text) {
    auto* box = new QMessageBox(viewOf(owner));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::NoIcon);
    box->setWindowTitle(toQString(owner.caption()));
    box->setText(toQString(text));
    box->setStandardButtons(QMessageBox::Ok);
    box->setWindowModality(Qt::WindowModal);
    // open() returns at once; the handler that asked for the message runs to its end.
    box->open();
}

void QtDesktop::ask(Window& owner, const Question& question, std::function<void(bool)> answered) {
    auto* box = new QMessageBox(viewOf(owner));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::Question);
    box->setWindowTitle(toQString(owner.caption()));
    box->setText(toQString(question.text));
    box->setInformativeText(toQString(question.detail));
    QPushButton* first = box->addButton(toQString(question.first), QMessageBox::AcceptRole);
    QPushButton* second = box->addButton(toQString(question.second), QMessageBox::RejectRole);
    box->setDefaultButton(first);
    box->setEscapeButton(second);
    box->setWindowModality(Qt::WindowModal);
    // The second line is one line: the box grows to hold it rather than break it.
    if (auto* detail = box->findChild<QLabel*>("qt_msgbox_informativelabel")) {
        detail->setMinimumWidth(detail->fontMetrics().horizontalAdvance(detail->text()) + 2);
    }
    QObject::connect(box, &QMessageBox::finished, box,
                     [box, first, answered = std::move(answered)](int) {
                         answered(box->clickedButton() == first);
                     });
    // Centred on its owner once the window manager has put the owner in its place. The box's
    // frame, not yet drawn, is taken to be the owner's; until it is drawn, a position given to
    // the box is its client area's.
    WindowView* view = viewOf(owner);
    view->whenSettled([box = QPointer<QMessageBox>(box), view] {
        if (!box) {
            return;
        }
        box->open();
        const QRect outer = view->frameGeometry();
        const QRect inner = view->geometry();
        const QSize frame = outer.size() - inner.size();
        const QPoint corner = outer.center() - QPoint((box->width() + frame.width()) / 2,
                                                      (box->height() + frame.height()) / 2);
        box->move(corner + (inner.topLeft() - outer.topLeft()));
    });
}

void QtDesktop::openWebPage(const std::string& address) {
    QDesktopServices::openUrl(QUrl(toQString(address)));
}

std::string QtDesktop::programFolder() const {
    return fromQString(folder_);
}

std::optional<Rect> QtDesktop::workArea() const {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr) {
        return std::nullopt;
    }
    const QRect area = primary->availableGeometry();
    return Rect{area.left(), area.top(), area.width(), area.height()};
}

bool QtDesktop::minimized(const Window& window) const {
    const auto it = views_.find(&window);
    return it != views_.end() && it->second && it->second->isMinimized();
}

void QtDesktop::endProgram() {
    // No window event may run any more, and the windows may be destroyed while still shown
    // once the event loop has returned: every view lets go of its window now.
    for (auto& [window, view] : views_) {
        if (view) {
            view->detach();
            view->hide();
        }
    }
    QCoreApplication::exit(0);
}

Size QtDesktop::measureText(const Font& font, const std::string& text) const {
    const QFontMetrics metrics(toQFont(font, language_));
    const int overstrike = needsOverstrikeBold(font, language_) ? 1 : 0;
    return {metrics.horizontalAdvance(toQString(text)) + overstrike, metrics.lineSpacing()};
}

WindowView* QtDesktop::viewOf(const Window& window) const {
    const auto it = views_.find(&window);
    return it == views_.end() ? nullptr : it->second.data();
}

}  // namespace koropika
