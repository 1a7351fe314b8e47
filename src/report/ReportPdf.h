#pragma once

#include "report/TuneUpReport.h"

#include <QPageSize>

#include <string>

namespace tonvela {

// The paper of a locale name as LC_PAPER would give it ("en_US.UTF-8",
// "de_DE", "C"): Letter in the countries that use it (the United States,
// Canada, Mexico, the Philippines and the Americas' other Letter countries),
// A4 everywhere else.
QPageSize::PageSizeId paperSizeOfLocale(const std::string& localeName);
// The paper of the user's locale: LC_ALL, else LC_PAPER, else LANG.
QPageSize::PageSizeId userPaperSize();

// Writes the report as a one-page vector PDF on paper. The file appears only
// when all of it was written; on failure message says why and an existing
// file at path is left as it was. layout, when given, receives where the
// page's parts came to lie.
bool writeReportPdf(const TuneUpReport& report, const std::string& path,
                    QPageSize::PageSizeId paper, std::string& message,
                    TuneUpReport::Layout* layout = nullptr);

} // namespace tonvela
