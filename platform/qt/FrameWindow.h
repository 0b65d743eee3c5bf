#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "FrameMenus.h"
#include "WindowMenu.h"
#include "platform/window/Presenter.h"

namespace rt::qt {

// The application frame: a main window whose central widget holds the child
// windows, with the definition's menu bar and status-bar zones. Lives on the
// GUI thread; the person's actions leave it only through the callbacks.
class FrameWindow final : public QMainWindow {
  public:
    struct Callbacks {
        std::function<void()> activated;
        std::function<void()> closeRequested;
        FrameMenus::Chosen chosen;
    };

    // `awaitFonts` is called before the frame first measures text.
    FrameWindow(const WindowView& view, Callbacks callbacks, const std::function<void()>& awaitFonts = {});

    WindowId windowId() const { return m_id; }
    QMdiArea& area() { return *m_area; }
    const std::vector<QLabel*>& zones() const { return m_zones; }
    // Zone `zone`, 1 the leftmost, shows `text` and has `tip` as its tool tip.
    void setZone(int zone, const QString& text, const QString& tip);
    // The window layer's own last entry of the help menu; null without menus.
    QAction* aboutEntry() const { return m_aboutEntry; }
    WindowMenu* windowMenu() const { return m_windowMenu.get(); }
    // The menu items that carry standard actions.
    const std::vector<std::pair<StandardAction, QAction*>>& standardItems() const { return m_standardItems; }
    // The procedure has closed the frame. It only disappears: its children
    // close through their own procedures while the program ends.
    void closeByProcedure();

  protected:
    bool event(QEvent* event) override;
    // A close the person asks for (title bar, Alt+F4) only asks the procedure.
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildStatusBar(const definition::WindowDescription& description);

    WindowId m_id;
    Callbacks m_callbacks;
    QMdiArea* m_area = nullptr;
    std::vector<QLabel*> m_zones;
    std::vector<std::pair<StandardAction, QAction*>> m_standardItems;
    std::unique_ptr<WindowMenu> m_windowMenu;
    QAction* m_aboutEntry = nullptr;
    bool m_closingForGood = false;
};

}  // namespace rt::qt
