#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class QPrinter;

namespace rt::qt {

class PrintSetupDialog;

// The printer set-up the frame offers: which printer, its paper and the
// orientation, kept while the program runs. No printing system is needed;
// without one the only printer writes PDF files. The printer is made only
// when first asked for, as finding printers takes time.
class PrinterSetup {
  public:
    PrinterSetup();
    ~PrinterSetup();
    PrinterSetup(const PrinterSetup&) = delete;
    PrinterSetup& operator=(const PrinterSetup&) = delete;

    // Opens the dialog over `parent` without waiting for it: the frame's
    // procedure keeps running meanwhile. A second request raises the open
    // one. `closed` runs when the dialog closes while it had the keyboard.
    void open(QWidget& parent, std::function<void()> closed);
    PrintSetupDialog* openDialog() const;
    const QPrinter* printer() const { return m_printer.get(); }

  private:
    std::unique_ptr<QPrinter> m_printer;
    QPointer<PrintSetupDialog> m_dialog;
};

}  // namespace rt::qt
