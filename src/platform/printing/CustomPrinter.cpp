#include "platform/printing/CustomPrinter.h"

#include "platform/printing/PaperTable.h"
#include "platform/printing/PrinterTexts.h"

namespace pgx {

namespace {

int indexOfCode(const QList<TpgxPrinterItem> &items, int code)
{
    for (qsizetype i = 0; i < items.size(); ++i)
        if (items[i].code == code)
            return int(i);
    return -1;
}

int codeByName(const QList<TpgxPrinterItem> &items, const QString &name)
{
    for (const TpgxPrinterItem &item : items)
        if (item.name == name)
            return item.code;
    return items.isEmpty() ? -1 : items.first().code;
}

QStringList namesOf(const QList<TpgxPrinterItem> &items)
{
    QStringList names;
    names.reserve(items.size());
    for (const TpgxPrinterItem &item : items)
        names << item.name;
    return names;
}

}   // namespace

TpgxCustomPrinter::TpgxCustomPrinter(QString name, QString port)
    : m_name(std::move(name)), m_port(std::move(port))
{
    selectDefaultPaper();
    resetLists();
}

TpgxCustomPrinter::~TpgxCustomPrinter() = default;

void TpgxCustomPrinter::selectDefaultPaper()
{
    double width = 0;
    double height = 0;
    lookUpPaperSize(kDefaultPaper, width, height);
    m_paper = m_defaultPaper = kDefaultPaper;
    m_paperWidth = m_defaultPaperWidth = width;
    m_paperHeight = m_defaultPaperHeight = height;
}

void TpgxCustomPrinter::resetLists()
{
    m_papers = {{printerText(PrinterText::prCustom), kCustomPaper}};
    m_bins = {{printerText(PrinterText::prDefault), kDefaultBin}};
}

int TpgxCustomPrinter::findBinIndex(int code) const
{
    return indexOfCode(m_bins, code);
}

int TpgxCustomPrinter::findPaperIndex(int code) const
{
    return indexOfCode(m_papers, code);
}

int TpgxCustomPrinter::binCodeByName(const QString &name) const
{
    return codeByName(m_bins, name);
}

int TpgxCustomPrinter::paperCodeByName(const QString &name) const
{
    return codeByName(m_papers, name);
}

QStringList TpgxCustomPrinter::binNames() const
{
    return namesOf(m_bins);
}

QStringList TpgxCustomPrinter::paperNames() const
{
    return namesOf(m_papers);
}

PrintSheet TpgxCustomPrinter::currentSheet() const
{
    PrintSheet sheet;
    sheet.width = m_paperWidth;
    sheet.height = m_paperHeight;
    return sheet;
}

QString TpgxCustomPrinter::submitPdf(const QString &, const PrintJobTicket &)
{
    return {};
}

QString TpgxCustomPrinter::submitRaw(const QString &, const QByteArray &)
{
    return {};
}

}   // namespace pgx
