#include "PersonScript.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <QWindow>

#include "platform/window/Runtime.h"

namespace keldwick::test {

namespace {

constexpr std::chrono::milliseconds kPollInterval{5};

std::string named(const QObject* object) {
    if (object == nullptr) {
        return "none";
    }
    const QString name = object->objectName();
    return std::string(object->metaObject()->className()) + (name.isEmpty() ? "" : " " + name.toStdString());
}

// Where the keyboard was, for a wait that failed only on a loaded machine.
std::string keyboardState() {
    const QWindow* window = QGuiApplication::focusWindow();
    return "focus " + named(QApplication::focusWidget()) + ", active " + named(QApplication::activeWindow()) +
           ", popup " + named(QApplication::activePopupWidget()) + ", focus window " + named(window) +
           (window != nullptr && !window->isVisible() ? " (hidden)" : "");
}

}  // namespace

PersonScript& PersonScript::when(std::string what, Condition ready, Act act) {
    m_steps.push_back({std::move(what), std::move(ready), std::move(act)});
    return *this;
}

PersonScript& PersonScript::then(std::string what, Act act) {
    return when(
        std::move(what), [] { return true; }, std::move(act));
}

void PersonScript::start() {
    m_waitingSince = std::chrono::steady_clock::now();
    QObject::connect(&m_timer, &QTimer::timeout, [this] { turn(); });
    m_timer.start(kPollInterval);
}

void PersonScript::turn() {
    const auto now = std::chrono::steady_clock::now();
    if (isFinished()) {
        // The last step should have ended the program.
        if (now - m_waitingSince > kPatience) {
            giveUp("the program to end after the last step");
        }
        return;
    }
    auto& step = m_steps[m_next];
    if (step.ready()) {
        ++m_next;
        m_waitingSince = now;
        step.act();
    } else if (now - m_waitingSince > kPatience) {
        giveUp(step.what);
    }
}

void PersonScript::giveUp(const std::string& what) {
    if (!m_gaveUp) {
        m_gaveUp = true;
        ADD_FAILURE() << "gave up waiting for: " << what << " (" << keyboardState() << ")";
    }
    m_timer.stop();
    rt::post(rt::CloseRequested, 0, rt::FirstThread);
}

}  // namespace keldwick::test
