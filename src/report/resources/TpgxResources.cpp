#include "report/resources/TpgxResources.h"

#include "persist/serializer/ValueText.h"
#include "platform/Error.h"
#include "platform/printing/PrinterTexts.h"
#include "report/resources/ProgramFolder.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>

namespace {

// The report layer's own texts; the printer texts come from their table.
constexpr pgx::KeyedText kReportTexts[] = {
    {"1", "OK"},
    {"2", "Cancel"},
    {"5000", "Password"},
    {"5001", "Enter the password:"},
    {"prDupl", "Duplicate name"},
    {"prInvProp", "Invalid property value"},
    {"prRunning", "Preparing page %d"},
    {"prRunningFirst", "First pass: page %d"},
    {"prExporting", "Exporting page %d"},
    {"prPrinting", "Printing page %d"},
    {"prNoPrinters", "No printers installed on your system"},
    {"clErrors", "The following error(s) have occured:"},
    {"clDSNotIncl", "(dataset is not included in Report.DataSets)"},
    {"clDSNotExist", "Dataset \"%s\" does not exist"},
    {"clUnknownVar", "Unknown variable or datafield:"},
    {"clExprError", "Error in expression"},
    {"clScrError", "Script error at %s: %s"},
    {"dbFldNotFound", "Field not found:"},
    // The engine's band-tree checks.
    {"enUnconnGroup", "No data band for the group"},
    {"enUnconnGFooter", "No group header for"},
    {"enUnconnHeader", "Unconnected header/footer"},
    {"enBandPos", "Incorrect band position:"},
    {"dbNotConn", "DataSet %s is not connected to data"},
    // The kind captions of the report, its pages and bands.
    {"obReport", "Report"},
    {"obRepPage", "Report page"},
    {"obDataPage", "Data page"},
    {"obDlgPage", "Dialog form"},
    {"obBand", "Band"},
    {"obReportTitle", "Report title"},
    {"obReportSummary", "Report summary"},
    {"obPageHeader", "Page header"},
    {"obPageFooter", "Page footer"},
    {"obHeader", "Header"},
    {"obFooter", "Footer"},
    {"obDataBand", "Data band"},
    {"obMasterData", "Master data"},
    {"obDetailData", "Detail data"},
    {"obSubdetailData", "Subdetail data"},
    {"obDataBand4", "Data band 4"},
    {"obDataBand5", "Data band 5"},
    {"obDataBand6", "Data band 6"},
    {"obGroupHeader", "Group header"},
    {"obGroupFooter", "Group footer"},
    {"obChild", "Child band"},
    {"obColumnHeader", "Column header"},
    {"obColumnFooter", "Column footer"},
    {"obOverlay", "Overlay"},
    {"obNullBand", "Band"},
    {"obMemoView", "Text object"},
    {"obSysMemoView", "System text"},
    {"obPictureView", "Picture object"},
    {"obShapeView", "Shape object"},
    {"obLineView", "Line object"},
    {"obSubreport", "Subreport object"},
};

}   // namespace

TpgxResources::TpgxResources()
{
    m_texts.add(kReportTexts);
    m_texts.add(pgx::kPrinterTexts);
}

void TpgxResources::addLines(const QString &text)
{
    static const QRegularExpression kLineBreak(QStringLiteral("\r\n|\n|\r"));
    const QStringList lines = text.split(kLineBreak);
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || eq == line.size() - 1)
            continue;
        add(line.left(eq), line.mid(eq + 1));
    }
}

void TpgxResources::loadFromFile(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return;
    QFile file(fileName);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        throw pgx::Error(
            QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    loadFromStream(&file);
}

void TpgxResources::loadFromStream(QIODevice *stream)
{
    if (!stream)
        return;
    clear();
    while (!stream->atEnd()) {
        QByteArray line = stream->readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        const QString text = pgx::persist::decodeAttrText(line);
        const qsizetype eq = text.indexOf(QLatin1Char('='));
        if (eq <= 0 || eq == text.size() - 1)
            continue;
        add(text.left(eq), text.mid(eq + 1));
    }
}

QStringList TpgxResources::availableLanguages(const QString &folder)
{
    const QDir dir(folder.isEmpty() ? pgxProgramFolder() : folder);
    QStringList languages;
    for (const QFileInfo &file :
         dir.entryInfoList({QStringLiteral("*.pgc")}, QDir::Files, QDir::Name)) {
        const QString base = file.completeBaseName();
        if (base.isEmpty())
            continue;
        languages.append(base.left(1).toUpper() + base.mid(1).toLower());
    }
    languages.sort();
    return languages;
}

TpgxResources &pgxResources()
{
    static TpgxResources *instance = [] {
        auto *resources = new TpgxResources;
        pgx::printerTexts().setTranslationHook(
            [resources](const QString &key) { return resources->get(key); });
        return resources;
    }();
    return *instance;
}
