#pragma once

#include <QDir>
#include <QString>
#include <optional>
#include <vector>

namespace rt::qt {

// The help pages shipped with the program, read once so that a search can
// look through all of them without an index engine: there are only a few.
class HelpIndex {
  public:
    struct Hit {
        QString file;  // file name within the help folder
        QString title;
        int matches = 0;
        friend bool operator==(const Hit&, const Hit&) = default;
    };

    static constexpr qsizetype kMaxPages = 200;
    static constexpr qint64 kMaxPageBytes = 1 << 20;

    // The installed help folder (share/keldwick/help under the desktop's data
    // folders), else the one beside an uninstalled program; it holds index.html.
    static std::optional<QDir> findFolder();

    explicit HelpIndex(const QDir& folder);

    // Pages that hold every word of `words`, ignoring case, most matches first.
    std::vector<Hit> search(const QString& words) const;
    // The page about the window of `windowKey`, which names it in a meta
    // element "keldwick-window"; empty when no page does.
    QString pageOf(const QString& windowKey) const;

  private:
    struct Page {
        QString file;
        QString title;
        QString text;
        QString windowKey;
    };
    std::vector<Page> m_pages;
};

}  // namespace rt::qt
