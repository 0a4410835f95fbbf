#include "preview/PreviewTexts.h"

#include "platform/KeyedTexts.h"
#include "report/resources/TpgxResources.h"

namespace pgx::preview {

namespace {

// The texts of the preview layer's windows, by their resource keys.
constexpr KeyedText kPreviewTexts[] = {
    // The print dialog.
    {"200", "Print"},
    {"201", "Printer"},
    {"202", "Pages"},
    {"203", "Number of copies"},
    {"204", "Collate"},
    {"205", "Copies"},
    {"206", "Print"},
    {"207", "Other"},
    {"208", "Where:"},
    {"209", "Properties..."},
    {"210", "Print to file"},
    {"211", "Order"},
    {"212", "Name:"},
    {"213", "Print mode"},
    {"214", "Print on sheet"},
    {"216", "Duplex"},
    {"3", "All"},
    {"4", "Current page"},
    {"5", "Pages:"},
    {"9", "Enter page numbers and/or page ranges, separated by commas. For example, 1,3,5-12"},
    {"pgDefault", "Default"},
    {"pmDefault", "Default"},
    {"pmSplit", "Split big pages"},
    {"pmJoin", "Join small pages"},
    {"pmScale", "Scale"},
    {"ppAll", "All pages"},
    {"ppOdd", "Odd pages"},
    {"ppEven", "Even pages"},
    {"dupDefault", "Default"},
    {"dupVert", "Vertical"},
    {"dupHorz", "Horizontal"},
    {"dupSimpl", "Simplex"},
    {"poDirect", "Direct (1-9)"},
    {"poReverse", "Reverse (9-1)"},
    {"pdPrintToFile", "Print To File"},
    {"pdPrnFilter", "Printer files (*.prn)"},
    // The printer's properties.
    {"prnPaperSource", "Paper source:"},
    // The preview window: toolbar buttons and their hints, menus, status
    // bar and progress panel.
    {"pvPrint", "Print"},
    {"pvOpen", "Open"},
    {"pvSave", "Save"},
    {"pvExport", "Export"},
    {"pvExportPdf", "Export to PDF"},
    {"pvFind", "Find"},
    {"pvZoomIn", "Zoom In"},
    {"pvZoom", "Zoom"},
    {"pvZoomOut", "Zoom Out"},
    {"pvFullScreen", "Full Screen"},
    {"pvOutline", "Report outline"},
    {"pvThumbnails", "Thumbnails"},
    {"pvPageSettings", "Page Settings"},
    {"pvEdit", "Edit Page"},
    {"pvShowTemplate", "Show template"},
    {"pvFirst", "First Page"},
    {"pvPrior", "Prior Page"},
    {"pvPageNumber", "Page Number"},
    {"pvNext", "Next Page"},
    {"pvLast", "Last Page"},
    {"pvClose", "Close"},
    {"pvCancel", "Cancel"},
    {"pvCollapseAll", "Collapse all"},
    {"pvExpandAll", "Expand all"},
    {"pvPreview", "Preview"},
    {"pvPageOf", "Page %d of %d"},
    {"pvFirstPass", "First pass: page"},
    {"pvSaving", "Saving file..."},
    {"pvLoading", "Loading file..."},
    {"clPGPfiles", "Prepared Report"},
    {"zmPageWidth", "Page width"},
    {"zmWholePage", "Whole page"},
    // The search dialog.
    {"sdCaption", "Find Text"},
    {"sdTextToFind", "Text to find:"},
    {"sdSearchOptions", "Search options"},
    {"sdFromBeginning", "Search from beginning"},
    {"sdCaseSensitive", "Case sensitive"},
    // The page settings dialog.
    {"psCaption", "Page Settings"},
    {"psPaperSize", "Paper size"},
    {"psWidth", "Width:"},
    {"psHeight", "Height:"},
    {"psCentimetres", "cm"},
    {"psInches", "in"},
    {"psOrientation", "Orientation"},
    {"psPortrait", "Portrait"},
    {"psLandscape", "Landscape"},
    {"psMargins", "Margins"},
    {"psLeft", "Left:"},
    {"psTop", "Top:"},
    {"psRight", "Right:"},
    {"psBottom", "Bottom:"},
    {"psApplyCurrent", "Apply to the current page"},
    {"psApplyAll", "Apply to all pages"},
};

}   // namespace

void registerPreviewTexts()
{
    TpgxResources &resources = pgxResources();
    for (const KeyedText &row : kPreviewTexts) {
        const QString key = QString::fromLatin1(row.key);
        if (resources.get(key) == key)
            resources.add(key, QString::fromUtf8(row.text));
    }
}

QString previewText(const char *key)
{
    return pgxResources().get(QString::fromLatin1(key));
}

}   // namespace pgx::preview
