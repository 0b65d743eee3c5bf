#pragma once

#include <QMdiSubWindow>
#include <QString>
#include <functional>
#include <map>
#include <memory>

#include "platform/window/LayoutUnits.h"
#include "platform/window/Presenter.h"

namespace rt::qt {

// A window that a procedure thread owns, shown as a child of the frame:
// its controls where the definition puts them, in the definition's fonts and
// colours. Lives on the GUI thread; the person's actions leave it only
// through the callbacks, which queue events for the owning procedure.
class StatusChild final : public QMdiSubWindow {
  public:
    struct Callbacks {
        std::function<void(int control)> pressed;
        std::function<void(int control)> inputRejected;
        std::function<void()> closeRequested;
    };

    StatusChild(const WindowView& view, Callbacks callbacks);

    // Puts the window into `area`, or leaves it a window of its own when
    // there is none, and gives it its title.
    void joinArea(QMdiArea* area);
    // As defined: the title shown may carry a number (WindowTitles.h).
    const std::string& definedTitle() const { return m_description->title; }
    const std::string& windowKey() const { return m_description->windowKey; }
    bool isClosingForGood() const { return m_closingForGood; }

    QWidget* control(int id) const;
    void setControlText(int id, const QString& text);
    void focusControl(int id);
    // Every result with its label, one line each, as Copy puts it on the clipboard.
    QString resultsText() const;
    // The procedure has closed its window: close for good, whatever asked first.
    void closeByProcedure();

  protected:
    // A close the person asks for (title bar, Ctrl+F4) only asks the
    // procedure, which then closes the window itself.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A new palette (a dark theme chosen) gets text colours that read on it.
    bool event(QEvent* event) override;

  private:
    void applyFrameStyle(const definition::WindowDescription& description);
    void buildControls(const definition::WindowDescription& description, QWidget& content, BaseUnits base);
    void pairLabelsWithTheirValues(const definition::WindowDescription& description);
    void applyColours();

    std::shared_ptr<const definition::WindowDescription> m_description;
    Callbacks m_callbacks;
    std::map<int, QWidget*> m_controls;  // children of the content widget
    bool m_closingForGood = false;
};

}  // namespace rt::qt
