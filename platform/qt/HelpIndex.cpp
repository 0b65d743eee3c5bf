#include "HelpIndex.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>
#include <algorithm>

#include "DataFiles.h"

namespace rt::qt {

namespace {

const QString kIndexPage = QStringLiteral("index.html");

int countOf(const QString& text, const QStringList& words) {
    int total = 0;
    for (const auto& word : words) {
        const int found = static_cast<int>(text.count(word, Qt::CaseInsensitive));
        if (found == 0) {
            return 0;
        }
        total += found;
    }
    return total;
}

}  // namespace

std::optional<QDir> HelpIndex::findFolder() {
    const QString index =
        DataFiles::locate(QCoreApplication::applicationName() + QStringLiteral("/help/") + kIndexPage);
    if (index.isEmpty()) {
        return std::nullopt;
    }
    return QFileInfo(index).absoluteDir();
}

HelpIndex::HelpIndex(const QDir& folder) {
    const auto files = folder.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const auto& file : files.mid(0, kMaxPages)) {
        QFile page(folder.filePath(file));
        if (page.size() > kMaxPageBytes || !page.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QString html = QString::fromUtf8(page.read(kMaxPageBytes));
        QTextDocument document;
        document.setHtml(html);
        static const QRegularExpression kWindowMeta(
            QStringLiteral(R"re(<meta\s+name="keldwick-window"\s+content="([^"]*)")re"));
        m_pages.push_back({file, document.metaInformation(QTextDocument::DocumentTitle),
                           document.toPlainText(), kWindowMeta.match(html).captured(1)});
    }
}

QString HelpIndex::pageOf(const QString& windowKey) const {
    for (const auto& page : m_pages) {
        if (!windowKey.isEmpty() && page.windowKey == windowKey) {
            return page.file;
        }
    }
    return {};
}

std::vector<HelpIndex::Hit> HelpIndex::search(const QString& words) const {
    const QStringList wanted = words.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<Hit> hits;
    if (wanted.isEmpty()) {
        return hits;
    }
    for (const auto& page : m_pages) {
        // A word in the title counts as much as a mention in the text.
        if (const int matches = countOf(page.title + QLatin1Char(' ') + page.text, wanted); matches > 0) {
            hits.push_back({page.file, page.title, matches});
        }
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const Hit& a, const Hit& b) { return a.matches > b.matches; });
    return hits;
}

}  // namespace rt::qt
