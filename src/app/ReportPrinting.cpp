#include "app/ReportPrinting.h"

#include "app/FileDialogs.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/QtBridge.h"
#include "report/ReportPdf.h"
#include "report/TuneUpReport.h"
#include "resources/StringIds.h"
#include "resources/StringResources.h"
#include "state/DataStructure.h"
#include "state/TonvelaDoc.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace tonvela {

namespace {

std::string withArgument(int id, const std::string& argument) {
    std::string text = loadString(id);
    const std::size_t at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, argument);
    return text;
}

TuneUpReport reportOf(const TonvelaDoc& document) {
    DataStructure& state = DataStructure::getInstance();
    return TuneUpReport(document, state.getProtocol(), state.getToneScales(),
                        TuneUpReport::webAddressFromSettings());
}

// Without a printer the preview and PDF printing use the locale's paper.
void usePaperOfLocale(QPrinter& printer) {
    if (QPrinterInfo::defaultPrinter().isNull())
        printer.setPageSize(QPageSize(userPaperSize()));
}

} // namespace

ReportPrinting::ReportPrinting(TonvelaDoc& document, QWidget* parent)
    : document(document), parent(parent) {}

ReportPrinting::~ReportPrinting() = default;

QPrinter& ReportPrinting::printer() {
    if (!sharedPrinter) {
        sharedPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        usePaperOfLocale(*sharedPrinter);
    }
    return *sharedPrinter;
}

bool ReportPrinting::printReport(const TonvelaDoc& document, QPrinter& printer) {
    printer.setFromTo(1, 1);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    reportOf(document).draw(painter);
    return painter.end();
}

bool ReportPrinting::print() {
    QPrintDialog dialog(&printer(), parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    // The report is one page.
    dialog.setMinMax(1, 1);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (!printReport(document, printer())) {
        messageBox(handleOf(parent), loadString(IDS_PRINT_FAILED), "Tonvela",
                   MB_OK | MB_ICONWARNING);
        return false;
    }
    return true;
}

bool ReportPrinting::printPreview() {
    QPrintPreviewDialog dialog(&printer(), parent);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [this](QPrinter* printer) { printReport(document, *printer); });
    return dialog.exec() == QDialog::Accepted;
}

bool ReportPrinting::printSetup() {
    QPageSetupDialog dialog(&printer(), parent);
    dialog.setObjectName(QStringLiteral("PrintSetup"));
    return dialog.exec() == QDialog::Accepted;
}

bool ReportPrinting::exportPdf(const std::string& suggestedPath) {
    const std::string path = askPdfFileName(parent, suggestedPath);
    if (path.empty())
        return false;
    std::string message;
    if (!writeReportPdf(reportOf(document), path, userPaperSize(), message)) {
        messageBox(handleOf(parent), message, "Tonvela", MB_OK | MB_ICONWARNING);
        return false;
    }
    return true;
}

bool ReportPrinting::printTo(const TonvelaDoc& document, const std::string& printerName,
                             std::string& message) {
    const QPrinterInfo info = printerName.empty()
                                  ? QPrinterInfo::defaultPrinter()
                                  : QPrinterInfo::printerInfo(QString::fromStdString(printerName));
    if (info.isNull()) {
        message = printerName.empty() ? loadString(IDS_NO_PRINTER)
                                      : withArgument(IDS_NO_SUCH_PRINTER, printerName);
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    if (!printReport(document, printer)) {
        message = loadString(IDS_PRINT_FAILED);
        return false;
    }
    return true;
}

} // namespace tonvela
