// The smallest Qt Widgets program that shows one window: the yardstick for
// the desktop program's start-up. It ends after its first turn of the event
// loop, once the window is shown.

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.resize(465, 285);
    window.show();
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
