#pragma once

#include "report/root/ReportOptions.h"

#include <QtCore/QString>
#include <QtCore/QStringList>

namespace pgx {
class TpgxCustomPrinter;
}

namespace pgx::preview {

// The radio buttons of the pages group.
enum class PageChoice { All, CurrentPage, Range };

// What the print dialog's controls hold, as plain values: indexes of the
// boxes in the order the dialog lists them.
struct PrintDialogValues
{
    int copies = 1;
    bool collate = true;
    PageChoice pages = PageChoice::All;
    QString pageRanges;
    TpgxPrintOptions::TpgxPrintPages parity = TpgxPrintOptions::ppAll;
    // 0 keeps the pages' own duplex; 1 vertical, 2 horizontal, 3 simplex.
    int duplex = 0;
    int order = 0;   // 0 direct, 1 reverse
    TpgxPrintOptions::TpgxPrintMode mode = TpgxPrintOptions::pmDefault;
    int sheetIndex = 0;   // entry of the sheet box; 0 is "Default"
};

// The sheet box: "Default", then the printer's papers in the printer's
// order without the custom size (a sheet of the modes that place pages on
// one paper must have a size of its own).
class SheetBox
{
public:
    static QStringList entries(const TpgxCustomPrinter &printer);
    // The entry of a paper; 0 ("Default") for the custom size and for a
    // paper the printer does not offer.
    static int indexOfPaper(const TpgxCustomPrinter &printer, int code);
    // The paper an entry stands for; the custom code (256) for "Default" and
    // for an index outside the box. Taken by position rather than by name,
    // because a printer may give two papers the same name (the virtual
    // printer names none).
    static int paperOfIndex(const TpgxCustomPrinter &printer, int index);
    // The text of a paper without a name of its own: its size from the
    // paper table ("210 x 297 mm"), so that the entry is not blank.
    static QString unnamedPaperText(int code);
};

class PrintDialogRules
{
public:
    struct SheetState
    {
        int index = 0;
        bool enabled = false;
    };
    // With the default mode every page prints on its own paper: the sheet box
    // shows "Default" and is disabled. The other modes need a sheet, so
    // "Default" gives way to A4 or, on a printer without A4, to the
    // printer's default paper or else its first one.
    static SheetState modeRule(const TpgxCustomPrinter &printer,
                               TpgxPrintOptions::TpgxPrintMode mode, int sheetIndex);

    // The paper to choose again after the printer changes: its code, or -1
    // when the box shows "Default".
    static int rememberedPaper(const TpgxCustomPrinter &printer, int sheetIndex);
    // The entry of the remembered paper on the new printer, "Default" when
    // it does not offer it; the mode rule then applies.
    static SheetState sheetAfterPrinterChange(const TpgxCustomPrinter &printer,
                                              TpgxPrintOptions::TpgxPrintMode mode,
                                              int rememberedCode);

    // The controls as the options set them when the dialog opens.
    static PrintDialogValues valuesFromOptions(const TpgxPrintOptions &options,
                                               const TpgxCustomPrinter &printer);
    // The confirmed controls written back into the options; returns the
    // duplex choice for the run. `currentPageNumber` is the page the preview
    // shows; "Current page" without one prints every page.
    static int applyValues(const PrintDialogValues &values, int currentPageNumber,
                           const TpgxCustomPrinter &printer, TpgxPrintOptions &options);

    // The file a job printed to a file goes to: the chosen name with its
    // extension replaced by (or, without one, extended by) ".prn". A dot
    // that starts the name or lies in a folder's name is no extension.
    static QString printFileName(const QString &chosen);
};

}   // namespace pgx::preview
