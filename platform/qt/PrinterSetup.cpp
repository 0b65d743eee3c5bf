#include "PrinterSetup.h"

#include <QPrinter>

#include "PrintSetupDialog.h"

namespace rt::qt {

PrinterSetup::PrinterSetup() = default;

// A dialog still open refers to the printer, so it goes first.
PrinterSetup::~PrinterSetup() {
    const std::unique_ptr<PrintSetupDialog> stillOpen(m_dialog.data());
}

PrintSetupDialog* PrinterSetup::openDialog() const {
    return m_dialog.data();
}

void PrinterSetup::open(QWidget& parent, std::function<void()> closed) {
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>();
    }
    m_dialog = new PrintSetupDialog(*m_printer, &parent);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(m_dialog.data(), &QDialog::finished, &parent, std::move(closed));
    m_dialog->open();
}

}  // namespace rt::qt
