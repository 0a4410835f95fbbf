#pragma once

#include <QtCore/QString>

class TpgxReport;

namespace pgx {

// What a new report starts from: the designer's defaults for its first
// page and script (without a designer component, these values).
struct NewReportDefaults
{
    QString scriptLanguage = QStringLiteral("PascalScript");
    double leftMargin = 10;
    double rightMargin = 10;
    double topMargin = 10;
    double bottomMargin = 10;
    int paperSize = 9;
    bool landscape = false;
    // Band height and the gap the workspace leaves between bands, in report
    // units (the designer derives them from its units: 6 mm by default).
    double bandHeight = 6 * 3.77953;
    double bandGap = 0;
};

// Clears `report` (and its file name) and gives it the data page "Data" and
// the report page "Page1" with the defaults applied.
void buildBlankReport(TpgxReport &report, const NewReportDefaults &defaults = {});

// A blank report plus the standard bands: "ReportTitle1" (top gap),
// "MasterData1" (top 2 gaps + 2 band heights) and "PageFooter1" (top 3 gaps
// + 4 band heights), each one band height tall. The page-number text of the
// footer is added by the views layer, which owns text objects.
void buildNewReport(TpgxReport &report, const NewReportDefaults &defaults = {});

}   // namespace pgx
