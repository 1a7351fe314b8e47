#include "report/ReportPdf.h"

#include "report/TuneUpReport.h"
#include "resources/StringIds.h"
#include "resources/StringResources.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace tonvela {

QPageSize::PageSizeId paperSizeOfLocale(const std::string& localeName) {
    // "language_TERRITORY.codeset@modifier": the territory decides.
    const std::size_t underscore = localeName.find('_');
    if (underscore == std::string::npos)
        return QPageSize::A4;
    const std::size_t end = localeName.find_first_of(".@", underscore);
    const std::string territory = localeName.substr(
        underscore + 1, end == std::string::npos ? std::string::npos : end - underscore - 1);
    static const char* const letterTerritories[] = {"BO", "CA", "CL", "CO", "CR", "GT", "MX",
                                                    "NI", "PA", "PH", "PR", "SV", "US", "VE"};
    const bool letter = std::any_of(std::begin(letterTerritories), std::end(letterTerritories),
                                    [&](const char* code) { return territory == code; });
    return letter ? QPageSize::Letter : QPageSize::A4;
}

QPageSize::PageSizeId userPaperSize() {
    for (const char* name : {"LC_ALL", "LC_PAPER", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return paperSizeOfLocale(value);
    }
    return QPageSize::A4;
}

bool writeReportPdf(const TuneUpReport& report, const std::string& path,
                    QPageSize::PageSizeId paper, std::string& message,
                    TuneUpReport::Layout* layout) {
    const QString file = QString::fromStdString(path);
    message = loadString(IDS_PDF_FAILED);
    const std::size_t at = message.find("%1");
    if (at != std::string::npos)
        message.replace(at, 2, path);

    if (QFileInfo(file).isDir())
        return false;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter writer(&out);
        writer.setCreator(QStringLiteral("Tonvela"));
        writer.setTitle(QString::fromStdString(loadString(IDS_REPORT_TITLE)));
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(paper), QPageLayout::Portrait, QMarginsF()));
        QPainter painter;
        if (!painter.begin(&writer)) {
            out.cancelWriting();
            return false;
        }
        const TuneUpReport::Layout drawn = report.draw(painter);
        if (layout)
            *layout = drawn;
        painter.end();
    }
    if (!out.commit())
        return false;
    message.clear();
    return true;
}

} // namespace tonvela
