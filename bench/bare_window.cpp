// The smallest Qt 6 window with what the settings window shows: a menu bar, a label and a combo
// box. Start-up time and memory of the game are measured against it.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QVBoxLayout>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle("bare Qt window");
    window.menuBar()->addMenu("File")->addAction("Quit", &application, &QApplication::quit);
    auto* panel = new QWidget(&window);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(new QLabel("label", panel));
    auto* combo = new QComboBox(panel);
    combo->addItems({"one", "two", "three"});
    layout->addWidget(combo);
    window.setCentralWidget(panel);
    window.resize(320, 200);
    window.show();
    return QApplication::exec();
}
