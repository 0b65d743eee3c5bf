#pragma once

#include <QDir>
#include <QWidget>
#include <functional>
#include <optional>

#include "HelpIndex.h"

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace rt::qt {

// The program's help, in a window of the frame's that opens centred over it
// as far as the screen allows, and stays above it:
// the shipped HTML pages with links between them, a contents page, a search
// through all pages and a page on using the help itself.
class HelpWindow final : public QWidget {
  public:
    // `closed` runs when the window closes while it has the keyboard.
    HelpWindow(QWidget& owner, const QString& programTitle, std::function<void()> closed);

    // The help menu's entries; each starts from a clean window, with no
    // search left over from before.
    void showContents();
    void showSearch();
    void showHowToUse();
    // The page about the window of `windowKey`; the contents when it has none.
    void showPageOf(const QString& windowKey);

    QTextBrowser& browser() { return *m_browser; }
    QListWidget& results() { return *m_results; }
    QLineEdit& searchField() { return *m_search; }
    // Looks for the words in the search field and lists the pages that hold them.
    void search();

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    void buildLayout();
    void showPage(const QString& file);
    void openResult(int row);
    void startClean();
    void openClean(const QString& page);
    void present();

    std::function<void()> m_closed;
    std::optional<QDir> m_folder;
    std::optional<HelpIndex> m_index;
    QTextBrowser* m_browser = nullptr;
    QListWidget* m_results = nullptr;
    QLineEdit* m_search = nullptr;
};

}  // namespace rt::qt
