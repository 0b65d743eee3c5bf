#include "HelpWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace rt::qt {

namespace {

const QString kContentsPage = QStringLiteral("index.html");
const QString kHowToUsePage = QStringLiteral("using-help.html");
constexpr int kFileRole = Qt::UserRole;

}  // namespace

HelpWindow::HelpWindow(QWidget& owner, const QString& programTitle, std::function<void()> closed)
    : QWidget(&owner, Qt::Window), m_closed(std::move(closed)), m_folder(HelpIndex::findFolder()) {
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

// Opened anew, the window stands centred over the frame that owns it. Its
// own decorations are known only once it is shown; the same window manager
// gives it those of the frame.
void HelpWindow::present() {
    if (const QWidget* owner = parentWidget(); !isVisible() && owner != nullptr) {
        const QRect outer = owner->frameGeometry();
        const QRect inner = owner->geometry();
        QRect placed(QPoint(), size() + (outer.size() - inner.size()));
        placed.moveCenter(outer.center());
        move(placed.topLeft());
    }
    show();
    raise();
    activateWindow();
}

// The window may already have given up being active by the time it hears it
// is hidden; no active window at all means the keyboard went nowhere.
void HelpWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    const QWidget* active = QApplication::activeWindow();
    if (m_closed && (active == nullptr || active == this)) {
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
    startClean();
    showPage(kContentsPage);
    present();
}

void HelpWindow::showHowToUse() {
    startClean();
    showPage(kHowToUsePage);
    present();
}

void HelpWindow::showSearch() {
    startClean();
    m_results->show();
    if (m_browser->source().isEmpty()) {
        showPage(kContentsPage);
    }
    present();
    m_search->setFocus(Qt::ShortcutFocusReason);
    m_search->selectAll();
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
