#include "PrintSetupDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

namespace rt::qt {

namespace {

// What a PDF file can be printed on: the usual sizes of offices.
constexpr std::array kFileSizes{QPageSize::A4, QPageSize::Letter, QPageSize::Legal,     QPageSize::A3,
                                QPageSize::A5, QPageSize::B5,     QPageSize::Executive, QPageSize::Tabloid};

}  // namespace

QString PrintSetupDialog::fileEntryText() {
    return QStringLiteral("Print to File (PDF)");
}

PrintSetupDialog::PrintSetupDialog(QPrinter& printer, QWidget* parent) : QDialog(parent), m_printer(printer) {
    setWindowTitle(QStringLiteral("Print Setup"));
    setObjectName(QStringLiteral("printSetup"));

    auto* printerBox = new QGroupBox(QStringLiteral("Printer"), this);
    m_printers = new QComboBox(printerBox);
    auto* printerForm = new QFormLayout(printerBox);
    printerForm->addRow(QStringLiteral("&Name:"), m_printers);

    auto* paperBox = new QGroupBox(QStringLiteral("Paper"), this);
    m_paperSizes = new QComboBox(paperBox);
    auto* paperForm = new QFormLayout(paperBox);
    paperForm->addRow(QStringLiteral("Si&ze:"), m_paperSizes);

    auto* orientationBox = new QGroupBox(QStringLiteral("Orientation"), this);
    m_portrait = new QRadioButton(QStringLiteral("P&ortrait"), orientationBox);
    m_landscape = new QRadioButton(QStringLiteral("&Landscape"), orientationBox);
    auto* orientationColumn = new QVBoxLayout(orientationBox);
    orientationColumn->addWidget(m_portrait);
    orientationColumn->addWidget(m_landscape);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* paperRow = new QHBoxLayout;
    paperRow->addWidget(paperBox, 1);
    paperRow->addWidget(orientationBox);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(printerBox);
    layout->addLayout(paperRow);
    layout->addWidget(buttons);

    fillPrinters();
    fillPaperSizes();
    const bool landscape = m_printer.pageLayout().orientation() == QPageLayout::Landscape;
    (landscape ? m_landscape : m_portrait)->setChecked(true);
    connect(m_printers, &QComboBox::currentIndexChanged, this, &PrintSetupDialog::fillPaperSizes);
}

void PrintSetupDialog::fillPrinters() {
    const QString current =
        m_printer.outputFormat() == QPrinter::NativeFormat ? m_printer.printerName() : QString();
    for (const QString& name : QPrinterInfo::availablePrinterNames()) {
        m_printers->addItem(name, name);
    }
    m_printers->addItem(fileEntryText(), QString());
    const int chosen = m_printers->findData(current);
    m_printers->setCurrentIndex(chosen >= 0 ? chosen : m_printers->count() - 1);
}

// A printer offers the sizes its driver knows; a file, the usual ones. The
// size chosen so far stays chosen where the new printer has it.
void PrintSetupDialog::fillPaperSizes() {
    const QVariant before = m_paperSizes->count() > 0 ? m_paperSizes->currentData()
                                                      : QVariant(int(m_printer.pageLayout().pageSize().id()));
    m_paperSizes->clear();
    const QString name = m_printers->currentData().toString();
    QList<QPageSize> sizes;
    if (!name.isEmpty()) {
        sizes = QPrinterInfo::printerInfo(name).supportedPageSizes();
    }
    if (sizes.isEmpty()) {
        for (const auto id : kFileSizes) {
            sizes.append(QPageSize(id));
        }
    }
    for (const QPageSize& size : sizes) {
        if (size.id() != QPageSize::Custom && m_paperSizes->findData(int(size.id())) < 0) {
            m_paperSizes->addItem(size.name(), int(size.id()));
        }
    }
    const int kept = m_paperSizes->findData(before);
    m_paperSizes->setCurrentIndex(kept >= 0 ? kept : 0);
}

void PrintSetupDialog::accept() {
    const QString name = m_printers->currentData().toString();
    if (name.isEmpty()) {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        m_printer.setPrinterName(name);
    }
    m_printer.setPageSize(QPageSize(static_cast<QPageSize::PageSizeId>(m_paperSizes->currentData().toInt())));
    m_printer.setPageOrientation(m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QDialog::accept();
}

}  // namespace rt::qt
