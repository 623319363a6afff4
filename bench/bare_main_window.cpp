// The yardstick of the start-up benchmark: a bare Qt main window of the program's size with a
// menu bar, and nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window.resize(628, 456);
    window.show();
    return QApplication::exec();
}
