#include "PrinterSetup.h"

#include <QPageSetupDialog>
#include <QPrinter>

namespace rt::desktop {

PrinterSetup::PrinterSetup() = default;

// A dialog still open refers to the printer, so it goes first.
PrinterSetup::~PrinterSetup() {
    const std::unique_ptr<QPageSetupDialog> stillOpen(m_dialog.data());
}

QPageSetupDialog* PrinterSetup::openDialog() const {
    return m_dialog.data();
}

void PrinterSetup::open(QWidget& parent) {
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>();
    }
    m_dialog = new QPageSetupDialog(m_printer.get(), &parent);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog->open();
}

}  // namespace rt::desktop
