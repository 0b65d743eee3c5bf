#pragma once

#include <string>

#include "LoadedModule.h"
#include "platform/window/Presenter.h"
#include "platform/window/PresenterModule.h"

namespace rt {

// The presenter of a loaded module, through the module's C table: keeps the
// module loaded until the presenter made by it is destroyed, hands every
// request over as plain structs, and hands the module the layer's actions
// as a table of its own.
class ModulePresenter final : public Presenter {
  public:
    // Takes over `table.self`, which it destroys through the table.
    ModulePresenter(LoadedModule module, const KwPresenter& table);
    ~ModulePresenter() override;
    ModulePresenter(const ModulePresenter&) = delete;
    ModulePresenter& operator=(const ModulePresenter&) = delete;

    void attach(UserActions& actions) override;
    void show(const WindowView& view) override;
    void setText(WindowId window, int control, const std::string& text) override;
    void focus(WindowId window, int control) override;
    void close(WindowId window) override;
    void beep() override;
    void tellUser(const std::string& text) override;
    void setZone(int zone, const std::string& text, const std::string& tip) override;
    void setAbout(const std::string& text) override;
    void waitForWork() override;
    void wakeUp() override;
    void shutdown() override;

  private:
    LoadedModule m_module;  // declared first, so unloaded last
    KwPresenter m_table;
};

}  // namespace rt
