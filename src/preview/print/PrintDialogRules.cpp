#include "preview/print/PrintDialogRules.h"

#include "platform/printing/CustomPrinter.h"
#include "platform/printing/PaperTable.h"
#include "preview/PreviewTexts.h"

#include <algorithm>

namespace pgx::preview {

namespace {

// Positions in the printer's paper list of the papers the sheet box shows.
QList<int> shownPapers(const TpgxCustomPrinter &printer)
{
    QList<int> positions;
    const QList<TpgxPrinterItem> &papers = printer.papers();
    for (qsizetype i = 0; i < papers.size(); ++i)
        if (papers[i].code != kCustomPaper)
            positions.append(int(i));
    return positions;
}

}   // namespace

QStringList SheetBox::entries(const TpgxCustomPrinter &printer)
{
    QStringList entries{previewText("pgDefault")};
    const QList<TpgxPrinterItem> &papers = printer.papers();
    for (int position : shownPapers(printer)) {
        const TpgxPrinterItem &paper = papers[position];
        entries.append(paper.name.isEmpty() ? unnamedPaperText(paper.code) : paper.name);
    }
    return entries;
}

int SheetBox::indexOfPaper(const TpgxCustomPrinter &printer, int code)
{
    if (code == kCustomPaper)
        return 0;
    const int position = printer.findPaperIndex(code);
    if (position < 0)
        return 0;
    const QList<int> shown = shownPapers(printer);
    return int(std::find(shown.cbegin(), shown.cend(), position) - shown.cbegin()) + 1;
}

int SheetBox::paperOfIndex(const TpgxCustomPrinter &printer, int index)
{
    const QList<int> shown = shownPapers(printer);
    if (index < 1 || index > shown.size())
        return kCustomPaper;
    return printer.papers()[shown[index - 1]].code;
}

QString SheetBox::unnamedPaperText(int code)
{
    double width = 0;
    double height = 0;
    if (!lookUpPaperSize(code, width, height))
        return QString::number(code);
    return QStringLiteral("%1 x %2 mm").arg(width).arg(height);
}

PrintDialogRules::SheetState PrintDialogRules::modeRule(const TpgxCustomPrinter &printer,
                                                        TpgxPrintOptions::TpgxPrintMode mode,
                                                        int sheetIndex)
{
    if (mode == TpgxPrintOptions::pmDefault)
        return {0, false};
    const int count = int(shownPapers(printer).size());
    if (sheetIndex >= 1 && sheetIndex <= count)
        return {sheetIndex, true};
    for (int code : {kDefaultPaper, printer.defaultPaper()}) {
        const int index = SheetBox::indexOfPaper(printer, code);
        if (index > 0)
            return {index, true};
    }
    return {count > 0 ? 1 : 0, true};
}

int PrintDialogRules::rememberedPaper(const TpgxCustomPrinter &printer, int sheetIndex)
{
    if (sheetIndex < 1)
        return -1;
    const int code = SheetBox::paperOfIndex(printer, sheetIndex);
    return code == kCustomPaper ? -1 : code;
}

PrintDialogRules::SheetState
PrintDialogRules::sheetAfterPrinterChange(const TpgxCustomPrinter &printer,
                                          TpgxPrintOptions::TpgxPrintMode mode, int rememberedCode)
{
    const int index = rememberedCode < 0 ? 0 : SheetBox::indexOfPaper(printer, rememberedCode);
    return modeRule(printer, mode, index);
}

PrintDialogValues PrintDialogRules::valuesFromOptions(const TpgxPrintOptions &options,
                                                      const TpgxCustomPrinter &printer)
{
    PrintDialogValues values;
    values.copies = std::max(1, options.copies);
    values.collate = options.collate;
    values.pageRanges = options.pageNumbers;
    values.pages = options.pageNumbers.isEmpty() ? PageChoice::All : PageChoice::Range;
    values.parity = options.printPages;
    values.order = options.reverse ? 1 : 0;
    values.mode = options.printMode;
    values.sheetIndex = modeRule(printer, options.printMode, 0).index;
    if (options.printMode != TpgxPrintOptions::pmDefault) {
        const int index = SheetBox::indexOfPaper(printer, options.printOnSheet);
        if (index > 0)
            values.sheetIndex = index;
    }
    return values;
}

int PrintDialogRules::applyValues(const PrintDialogValues &values, int currentPageNumber,
                                  const TpgxCustomPrinter &printer, TpgxPrintOptions &options)
{
    options.copies = std::max(1, values.copies);
    options.collate = values.collate;
    switch (values.pages) {
    case PageChoice::All: options.pageNumbers.clear(); break;
    case PageChoice::CurrentPage:
        options.pageNumbers
            = currentPageNumber >= 1 ? QString::number(currentPageNumber) : QString();
        break;
    case PageChoice::Range: options.pageNumbers = values.pageRanges; break;
    }
    options.printPages = values.parity;
    options.reverse = values.order == 1;
    options.printMode = values.mode;
    options.printOnSheet = SheetBox::paperOfIndex(printer, values.sheetIndex);
    return std::clamp(values.duplex, 0, 3);
}

QString PrintDialogRules::printFileName(const QString &chosen)
{
    const qsizetype nameStart = chosen.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = chosen.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > nameStart ? chosen.left(dot) : chosen;
    return stem + QStringLiteral(".prn");
}

}   // namespace pgx::preview
