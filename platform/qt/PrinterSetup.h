#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

class QPageSetupDialog;
class QPrinter;

namespace rt::desktop {

// The printer set-up the frame offers: paper, orientation and margins of one
// printer that the program keeps while it runs. No printing system is needed;
// without one the printer writes PDF files. The printer is made only when
// first asked for, as finding printers takes time.
class PrinterSetup {
  public:
    PrinterSetup();
    ~PrinterSetup();
    PrinterSetup(const PrinterSetup&) = delete;
    PrinterSetup& operator=(const PrinterSetup&) = delete;

    // Opens the dialog over `parent` without waiting for it: the frame's
    // procedure keeps running meanwhile. A second request raises the open one.
    void open(QWidget& parent);
    QPageSetupDialog* openDialog() const;

  private:
    std::unique_ptr<QPrinter> m_printer;
    QPointer<QPageSetupDialog> m_dialog;
};

}  // namespace rt::desktop
