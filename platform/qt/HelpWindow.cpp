#include "HelpWindow.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace rt::qt {

namespace {

const QString kContentsPage = QStringLiteral("index.html");
const QString kHowToUsePage = QStringLiteral("using-help.html");
constexpr int kFileRole = Qt::UserRole;
// A dialog to the window system, so that it stays above the frame (X11
// marks only dialogs and tool windows transient for their owner), yet with
// the buttons of a window of its own.
constexpr Qt::WindowFlags kWindowFlags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;

}  // namespace

HelpWindow::HelpWindow(QWidget& owner, const QString& programTitle, std::function<void()> closed)
    : QWidget(&owner, kWindowFlags), m_closed(std::move(closed)), m_folder(HelpIndex::findFolder()) {
    setWindowTitle(QStringLiteral("%1 Help").arg(programTitle));
    setObjectName(QStringLiteral("help"));
    buildLayout();
    if (m_folder) {
        m_browser->setSearchPaths({m_folder->absolutePath()});
        m_index.emplace(*m_folder);
    }
    resize(640, 480);
}

void HelpWindow::buildLayout() {
    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    back->setObjectName(QStringLiteral("back"));
    auto* forward = new QPushButton(QStringLiteral("&Forward"), this);
    m_search = new QLineEdit(this);
    m_search->setPlaceholderText(QStringLiteral("Words to look for"));
    m_search->setAccessibleName(QStringLiteral("Search for"));
    auto* find = new QPushButton(QStringLiteral("&Search"), this);

    auto* splitter = new QSplitter(this);
    m_results = new QListWidget(splitter);
    m_results->setAccessibleName(QStringLiteral("Pages found"));
    m_results->hide();
    m_browser = new QTextBrowser(splitter);
    m_browser->setOpenExternalLinks(true);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({160, 480});

    auto* bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addWidget(m_search);
    bar->addWidget(find);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);

    connect(contents, &QPushButton::clicked, this, [this] { showPage(kContentsPage); });
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(find, &QPushButton::clicked, this, &HelpWindow::search);
    connect(m_search, &QLineEdit::returnPressed, this, &HelpWindow::search);
    connect(m_results, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { openResult(m_results->row(item)); });
    auto* close = new QShortcut(QKeySequence::Cancel, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &HelpWindow::showContents);
}

// Opened anew, the window stands centred over the frame that owns it, as far
// as the screen allows: a frame near its edge (with no window manager, at its
// top left) would push it off. Its own decorations are known only once it is
// shown; the same window manager gives it those of the frame.
void HelpWindow::present() {
    if (const QWidget* owner = parentWidget(); !isVisible() && owner != nullptr) {
        const QRect outer = owner->frameGeometry();
        const QRect inner = owner->geometry();
        const QSize decorations = outer.size() - inner.size();
        QRect placed(QPoint(), size() + decorations);
        placed.moveCenter(outer.center());
        if (const QScreen* screen = owner->screen()) {
            const QRect room = screen->availableGeometry();
            placed.setSize(placed.size().boundedTo(room.size()));
            placed.moveLeft(std::clamp(placed.left(), room.left(), room.right() + 1 - placed.width()));
            placed.moveTop(std::clamp(placed.top(), room.top(), room.bottom() + 1 - placed.height()));
        }
        resize(placed.size() - decorations);
        move(placed.topLeft());
    }
    show();
    raise();
    activateWindow();
}

void HelpWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (m_closed) {
        m_closed();
    }
}

void HelpWindow::startClean() {
    m_search->clear();
    m_results->clear();
    m_results->hide();
    QTextCursor cursor = m_browser->textCursor();
    cursor.clearSelection();
    m_browser->setTextCursor(cursor);
}

void HelpWindow::showPage(const QString& file) {
    if (!m_folder) {
        m_browser->setPlainText(
            QStringLiteral("The help pages were not found. They are installed with the program under "
                           "share/%1/help.")
                .arg(QCoreApplication::applicationName()));
        return;
    }
    m_browser->setSource(QUrl::fromLocalFile(m_folder->absoluteFilePath(file)));
}

void HelpWindow::showContents() {
    openClean(kContentsPage);
}

void HelpWindow::showHowToUse() {
    openClean(kHowToUsePage);
}

void HelpWindow::showPageOf(const QString& windowKey) {
    const QString page = m_index ? m_index->pageOf(windowKey) : QString();
    openClean(page.isEmpty() ? kContentsPage : page);
}

void HelpWindow::showSearch() {
    openClean(m_browser->source().isEmpty() ? kContentsPage : QString());
    m_results->show();
    m_search->setFocus(Qt::ShortcutFocusReason);
    m_search->selectAll();
}

// A help entry starts afresh: no search, no selection, and nothing to go
// back or forward to from pages read before. An empty `page` keeps the one shown.
void HelpWindow::openClean(const QString& page) {
    startClean();
    if (!page.isEmpty()) {
        showPage(page);
    }
    m_browser->clearHistory();
    present();
}

void HelpWindow::search() {
    m_results->clear();
    m_results->show();
    const auto hits = m_index ? m_index->search(m_search->text()) : std::vector<HelpIndex::Hit>{};
    if (hits.empty()) {
        m_results->addItem(QStringLiteral("No page holds all of these words."));
        return;
    }
    for (const auto& hit : hits) {
        auto* item = new QListWidgetItem(hit.title.isEmpty() ? hit.file : hit.title, m_results);
        item->setData(kFileRole, hit.file);
    }
    m_results->setCurrentRow(0);
    openResult(0);
}

void HelpWindow::openResult(int row) {
    const QListWidgetItem* item = m_results->item(row);
    const QString file = item != nullptr ? item->data(kFileRole).toString() : QString();
    if (file.isEmpty()) {
        return;
    }
    showPage(file);
    // Selects the first match, which also scrolls it into view.
    const QStringList words = m_search->text().simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (!words.isEmpty()) {
        m_browser->find(words.front());
    }
}

}  // namespace rt::qt
