#pragma once

#include <memory>

#include "LoadedModule.h"
#include "platform/window/Presenter.h"

namespace rt {

// A presenter whose code lives in a loaded module: keeps the module loaded
// until the presenter made by it is gone, and passes every call through.
class ModulePresenter final : public Presenter {
  public:
    ModulePresenter(LoadedModule module, std::unique_ptr<Presenter> presenter);
    ~ModulePresenter() override;

    void attach(UserActions& actions) override { m_presenter->attach(actions); }
    void show(const WindowView& view) override { m_presenter->show(view); }
    void setText(WindowId window, int control, const std::string& text) override {
        m_presenter->setText(window, control, text);
    }
    void focus(WindowId window, int control) override { m_presenter->focus(window, control); }
    void close(WindowId window) override { m_presenter->close(window); }
    void beep() override { m_presenter->beep(); }
    void tellUser(const std::string& text) override { m_presenter->tellUser(text); }
    void waitForWork() override { m_presenter->waitForWork(); }
    void wakeUp() override { m_presenter->wakeUp(); }
    void shutdown() override { m_presenter->shutdown(); }

  private:
    LoadedModule m_module;  // declared first, so unloaded last
    std::unique_ptr<Presenter> m_presenter;
};

}  // namespace rt
