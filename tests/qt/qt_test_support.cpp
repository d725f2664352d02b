#include "qt_test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace koropika::testing {

LayoutBuilder::LayoutBuilder(std::string caption, Size client) {
    layout_.name = "test";
    layout_.caption = std::move(caption);
    layout_.background = Colour::fromRgb(0x000000);
    layout_.designedClient = client;
}

ElementSpec& LayoutBuilder::add(std::string name, ElementKind kind, Rect rect,
                                std::string container, ElementProperties properties) {
    properties.rect = rect;
    layout_.elements.push_back({std::move(name), -1, kind, std::move(container), properties});
    return layout_.elements.back();
}

ProgramFolder::ProgramFolder() {
    QDir(dir_.path()).mkpath(QStringLiteral("images"));
}

void ProgramFolder::addPicture(const std::string& key, int width, int height, QColor left,
                               QColor right) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height, left);
    painter.fillRect(width / 2, 0, width - width / 2, height, right);
    painter.end();
    const QString file =
        dir_.path() + QStringLiteral("/images/") + QString::fromStdString(key) + ".png";
    if (!image.save(file)) {
        throw std::runtime_error("cannot write " + file.toStdString());
    }
}

ShownWindow::ShownWindow(WindowLayout layoutToShow)
    : desktop(std::make_unique<QtDesktop>(folder.path())), layout(std::move(layoutToShow)) {
    window = std::make_unique<Window>(layout, loop, *desktop);
}

ShownWindow::~ShownWindow() {
    if (window && desktop) {
        window->unload();
    }
    window.reset();
    desktop.reset();
    runPendingEvents();
}

WindowView& ShownWindow::view() const {
    WindowView* view = desktop->viewOf(*window);
    if (view == nullptr) {
        throw std::logic_error("the window is not on screen");
    }
    return *view;
}

QWidget& ShownWindow::widgetOf(const std::string& name) const {
    QWidget* widget = view().widgetOf(&window->at(name));
    if (widget == nullptr) {
        throw std::logic_error(name + " has no widget");
    }
    return *widget;
}

QImage ShownWindow::grabClient() const {
    return view().clientArea()->grab().toImage();
}

void hover(QWidget& widget, QPoint position) {
    QMouseEvent move(QEvent::MouseMove, position, widget.mapToGlobal(position), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &move);
}

void runPendingEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

bool near(QColor actual, QColor expected, int tolerance) {
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

}  // namespace koropika::testing
