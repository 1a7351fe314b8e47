#pragma once

#include <memory>
#include <string>

class QPrinter;
class QWidget;

namespace tonvela {

class TonvelaDoc;

// The report's commands: Print (the print dialog, one page), Print Preview,
// Print Setup and Export PDF, for one document. The printer and its page
// set-up are kept from one command to the next. Printing never changes the
// document.
class ReportPrinting {
public:
    ReportPrinting(TonvelaDoc& document, QWidget* parent);
    ~ReportPrinting();
    ReportPrinting(const ReportPrinting&) = delete;
    ReportPrinting& operator=(const ReportPrinting&) = delete;

    // Each returns whether it was carried out; Cancel gives false, a failure
    // is shown as a message and gives false.
    bool print();
    bool printPreview();
    bool printSetup();
    // The report as PDF on the locale's paper, the file chosen in a save
    // dialog; nothing is left behind when it cannot be written.
    bool exportPdf(const std::string& suggestedPath);

    // Draws the report of document, against the current protocol and scale,
    // as one page on printer; false when the printer cannot be drawn on.
    static bool printReport(const TonvelaDoc& document, QPrinter& printer);
    // The print switches: prints to the named printer, or the default one
    // when printerName is empty; false with message when there is no such
    // printer or printing fails.
    static bool printTo(const TonvelaDoc& document, const std::string& printerName,
                        std::string& message);

    // Made on first use, so that a start of the program does not ask the
    // printing service for its printers.
    QPrinter& printer();

private:
    TonvelaDoc& document;
    QWidget* parent;
    std::unique_ptr<QPrinter> sharedPrinter;
};

} // namespace tonvela
