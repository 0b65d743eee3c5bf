#include "ChildWindowKeys.h"

#include <QKeySequence>
#include <QMdiSubWindow>
#include <QShortcut>
#include <functional>

namespace rt::qt {

namespace {

void bind(QMainWindow& frame, const QKeySequence& key, const std::function<void()>& act) {
    auto* shortcut = new QShortcut(key, &frame);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, &frame, act);
}

}  // namespace

// Each child window closes itself on the desktop's Close keys; Ctrl+F4 is
// added only where they leave it out, as a second shortcut on the same key
// would make both ambiguous and neither would act. Qt's own Ctrl+Tab handling
// never sees a key these shortcuts take.
void ChildWindowKeys::install(QMainWindow& frame, QMdiArea& area) {
    const QKeySequence closeKey(Qt::CTRL | Qt::Key_F4);
    if (!QKeySequence::keyBindings(QKeySequence::Close).contains(closeKey)) {
        bind(frame, closeKey, [&area] {
            if (QMdiSubWindow* active = area.activeSubWindow()) {
                active->close();
            }
        });
    }
    for (const auto& key : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_F6)}) {
        bind(frame, key, [&area] { area.activateNextSubWindow(); });
    }
    bind(frame, QKeySequence(Qt::ALT | Qt::Key_Minus), [&area] {
        if (QMdiSubWindow* active = area.activeSubWindow()) {
            active->showSystemMenu();
        }
    });
    // Shift+Tab arrives as Backtab.
    for (const auto& key : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6)}) {
        bind(frame, key, [&area] { area.activatePreviousSubWindow(); });
    }
}

}  // namespace rt::qt
