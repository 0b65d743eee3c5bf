// The program's two windows built directly on Qt Widgets, the second
// yardstick for start-up times: the frame with its menus, window area and
// status-bar zones, and one status window with its labels, three values in
// the definitions' font and a Close button, as the window descriptions have
// them. No window layer, module, threads, icon or check: what Qt itself needs
// to put these windows and their text on the screen. It ends once the last
// value is painted, as the start-up probe does.

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <array>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

#include "BenchMilestones.h"

namespace {

struct Entry {
    const char* text;
    const char* message;
};

struct Menu {
    Entry title;
    std::vector<Entry> items;
};

const std::vector<Menu>& frameMenus() {
    static const std::vector<Menu> menus{
        {{"&File", ""}, {{"P&rint Setup...", "Setup Printer"}, {"E&xit", "Exit this application"}}},
        {{"&Edit", ""},
         {{"Cu&t", "Remove item to Windows Clipboard"},
          {"&Copy", "Copy item to Windows Clipboard"},
          {"&Paste", "Paste contents of Windows Clipboard"}}},
        {{"&Test", ""}, {{"GetVersion", ""}}},
        {{"&Window", "Create and Arrange windows"},
         {{"T&ile", "Make all open windows visible"},
          {"&Cascade", "Stack all open windows"},
          {"&Arrange Icons", "Align all window icons"}}},
        {{"&Help", "Windows Help"},
         {{"&Contents", "View the contents of the help file"},
          {"&Search for Help On...", "Search for help on a subject"},
          {"&How to Use Help", "How to use Windows Help"}}},
    };
    return menus;
}

// Status-bar zones and the frame's size in pixels, as the definitions' units
// come out in the desktop's font.
QMdiArea& buildFrame(QMainWindow& frame) {
    frame.setObjectName(QStringLiteral("frame"));
    frame.setWindowTitle(QStringLiteral("Redirector Status"));
    auto* area = new QMdiArea(&frame);
    frame.setCentralWidget(area);
    for (const auto& menu : frameMenus()) {
        QMenu* built = frame.menuBar()->addMenu(QString::fromLatin1(menu.title.text));
        built->menuAction()->setStatusTip(QString::fromLatin1(menu.title.message));
        for (const auto& item : menu.items) {
            built->addAction(QString::fromLatin1(item.text))->setStatusTip(QString::fromLatin1(item.message));
        }
    }
    constexpr std::array<int, 4> kZones{-1, 80, 120, 45};
    for (const int width : kZones) {
        auto* zone = new QLabel(frame.statusBar());
        if (width < 0) {
            frame.statusBar()->addWidget(zone, 1);
        } else {
            zone->setFixedWidth(width * 3 / 2);
            frame.statusBar()->addPermanentWidget(zone);
        }
    }
    frame.resize(465, 309);
    return *area;
}

// Positions in pixels, as the definitions' dialog units come out in their font.
QWidget* buildStatusWindow() {
    auto* window = new QWidget;
    window->setWindowTitle(QStringLiteral("Vredir.VXD Status"));
    window->setFont(QFont(QStringLiteral("Arial"), 8));
    const std::array<const char*, 3> labels{"Is Win95? ", "VRedir Version:", "Recommend:"};
    const std::array<const char*, 3> values{"NO", "UNKNOWN", "UNKNOWN"};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const int row = static_cast<int>(i);
        (new QLabel(QString::fromLatin1(labels[i]), window))->move(row == 0 ? 42 : 15, 5 + 26 * row);
        auto* value = new QLineEdit(QString::fromLatin1(values[i]), window);
        value->setReadOnly(true);
        value->setGeometry(100, 4 + 26 * row, 240, 20);
        value->setObjectName(QStringLiteral("value%1").arg(row + 1));
    }
    const std::array<const char*, 3> notes{"Results only meaningfull if Server is NT.",
                                           "Based entirely on the vendor's Knowledge Base article",
                                           "Search your OS vendor's support site often for updates."};
    int top = 88;
    for (const char* note : notes) {
        (new QLabel(QString::fromLatin1(note), window))->move(52, top);
        top += 15;
    }
    (new QPushButton(QStringLiteral("Close"), window))->move(150, 134);
    return window;
}

// Ends the program once the last value has been painted with its text.
class LastValueWatch final : public QObject {
  public:
    explicit LastValueWatch(BenchMilestones& milestones) : m_milestones(milestones) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_painted &&
            watched->objectName() == QStringLiteral("value3")) {
            m_painted = true;
            m_milestones.reach(BenchMilestones::Results);
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return false;
    }

  private:
    BenchMilestones& m_milestones;
    bool m_painted = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::puts(
            "usage: plain_qt_windows\nShows the program's two windows built directly on Qt and ends once "
            "their text is painted: a yardstick for start-up times.");
        return 0;
    }
    BenchMilestones milestones;
    int status = 0;
    {
        QApplication application(argc, argv);
        milestones.reach(BenchMilestones::Loaded);
        LastValueWatch watch(milestones);
        QApplication::instance()->installEventFilter(&watch);
        QMainWindow frame;
        QMdiSubWindow* child = buildFrame(frame).addSubWindow(buildStatusWindow());
        child->resize(370, 200);
        frame.show();
        child->show();
        milestones.reach(BenchMilestones::Shown);
        status = QApplication::exec();
    }
    milestones.reach(BenchMilestones::Ended);
    milestones.print("plain");
    return status;
}
