#pragma once

#include "platform/window/Presenter.h"

namespace rt::test {

// Hands every request to a presenter that the test owns, so that what it
// recorded can still be read after the program has closed down.
class ForwardingPresenter final : public rt::Presenter {
  public:
    explicit ForwardingPresenter(rt::Presenter& target) : m_target(target) {}

    void attach(rt::UserActions& actions) override { m_target.attach(actions); }
    void show(const rt::WindowView& view) override { m_target.show(view); }
    void setText(rt::WindowId window, int control, const std::string& text) override {
        m_target.setText(window, control, text);
    }
    void focus(rt::WindowId window, int control) override { m_target.focus(window, control); }
    void close(rt::WindowId window) override { m_target.close(window); }
    void beep() override { m_target.beep(); }
    void tellUser(const std::string& text) override { m_target.tellUser(text); }
    void setZone(int zone, const std::string& text, const std::string& tip) override {
        m_target.setZone(zone, text, tip);
    }
    void setAbout(const std::string& text) override { m_target.setAbout(text); }
    void waitForWork() override { m_target.waitForWork(); }
    void wakeUp() override { m_target.wakeUp(); }
    void shutdown() override { m_target.shutdown(); }

  private:
    rt::Presenter& m_target;
};

}  // namespace rt::test
