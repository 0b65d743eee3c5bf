// The smallest Qt Widgets program that shows one window: the yardstick for
// the desktop program's start-up. It ends after its first turn of the event
// loop, once the window is shown.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>

#include "BenchMilestones.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::puts("usage: minimal_qt_window\nShows one window and ends: the yardstick for start-up times.");
        return 0;
    }
    BenchMilestones milestones;
    int status = 0;
    {
        QApplication application(argc, argv);
        milestones.reach(BenchMilestones::Loaded);
        QWidget window;
        window.setWindowTitle(QStringLiteral("Minimal"));
        window.resize(465, 285);
        window.show();
        milestones.reach(BenchMilestones::Shown);
        QTimer::singleShot(0, &application, &QCoreApplication::quit);
        status = QApplication::exec();
    }
    milestones.reach(BenchMilestones::Ended);
    milestones.print("minimal");
    return status;
}
