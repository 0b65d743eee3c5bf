#pragma once

#include <QDir>
#include <QWidget>
#include <optional>

#include "HelpIndex.h"

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace rt::desktop {

// The program's help, in a window of its own beside the frame: the shipped
// HTML pages with links between them, a contents page, a search through all
// pages and a page on using the help itself.
class HelpWindow final : public QWidget {
  public:
    explicit HelpWindow(const QString& programTitle);

    void showContents();
    void showSearch();
    void showHowToUse();

    QTextBrowser& browser() { return *m_browser; }
    QListWidget& results() { return *m_results; }
    QLineEdit& searchField() { return *m_search; }
    // Looks for the words in the search field and lists the pages that hold them.
    void search();

  private:
    void buildLayout();
    void showPage(const QString& file);
    void openResult(int row);
    void present();

    std::optional<QDir> m_folder;
    std::optional<HelpIndex> m_index;
    QTextBrowser* m_browser = nullptr;
    QListWidget* m_results = nullptr;
    QLineEdit* m_search = nullptr;
};

}  // namespace rt::desktop
