#include "SelectWindowDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace rt::qt {

SelectWindowDialog::SelectWindowDialog(QWidget& owner, Chosen chosen)
    : QDialog(&owner), m_chosen(std::move(chosen)) {
    setObjectName(QStringLiteral("selectWindow"));
    setWindowTitle(QStringLiteral("Select Window"));
    auto* label = new QLabel(QStringLiteral("Select &Window:"), this);
    m_list = new QListWidget(this);
    label->setBuddy(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(this, &QDialog::accepted, this, &SelectWindowDialog::choose);
}

void SelectWindowDialog::offer(const QList<QMdiSubWindow*>& windows, const QMdiSubWindow* active) {
    m_list->clear();
    m_windows.clear();
    for (QMdiSubWindow* window : windows) {
        m_windows.append(window);
        m_list->addItem(window->windowTitle());
        if (window == active) {
            m_list->setCurrentRow(m_list->count() - 1);
        }
    }
    m_list->setFocus();
    open();
}

void SelectWindowDialog::choose() {
    const int row = m_list->currentRow();
    if (row >= 0 && row < m_windows.size() && !m_windows[row].isNull()) {
        m_chosen(m_windows[row].data());
    }
}

}  // namespace rt::qt
