#pragma once

#include <QDialog>

class QComboBox;
class QPrinter;
class QRadioButton;

namespace rt::qt {

// Chooses the printer, its paper size and the orientation, as a printer
// set-up does: the printers the printing system knows, and printing to a PDF
// file, which is always there. Qt's page set-up offers no printer choice,
// and complains on standard error about any printer that is not a system one.
// The choice is applied to the printer only when accepted.
class PrintSetupDialog final : public QDialog {
  public:
    PrintSetupDialog(QPrinter& printer, QWidget* parent);

    QComboBox& printers() { return *m_printers; }
    QComboBox& paperSizes() { return *m_paperSizes; }
    QRadioButton& landscape() { return *m_landscape; }

    void accept() override;

    // The entry that stands for writing PDF files; its printer name is empty.
    static QString fileEntryText();

  private:
    void fillPrinters();
    void fillPaperSizes();

    QPrinter& m_printer;
    QComboBox* m_printers = nullptr;
    QComboBox* m_paperSizes = nullptr;
    QRadioButton* m_portrait = nullptr;
    QRadioButton* m_landscape = nullptr;
};

}  // namespace rt::qt
