#include "report/resources/TpgxResources.h"

#include "persist/serializer/ValueText.h"
#include "platform/Error.h"
#include "platform/printing/PrinterTexts.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>

#include <zlib.h>

#include <array>

static void initImageStripResources()
{
    // Resources compiled into a static library are registered by hand.
    Q_INIT_RESOURCE(image_strips);
}

namespace {

// The report layer's own texts; the other layers add theirs at start-up.
constexpr const char *kReportTexts[][2] = {
    {"1", "OK"},
    {"2", "Cancel"},
    {"5000", "Password"},
    {"5001", "Enter the password:"},
    {"prDupl", "Duplicate name"},
    {"prDefault", "Default"},
    {"prCustom", "Custom"},
    {"prVirtual", "Virtual"},
    {"prInvProp", "Invalid property value"},
    {"prRunning", "Preparing page %d"},
    {"prRunningFirst", "First pass: page %d"},
    {"prExporting", "Exporting page %d"},
    {"prPrinting", "Printing page %d"},
    {"clErrors", "The following error(s) have occured:"},
    {"clDSNotIncl", "(dataset is not included in Report.DataSets)"},
    {"clDSNotExist", "Dataset \"%s\" does not exist"},
    {"clUnknownVar", "Unknown variable or datafield:"},
    {"clExprError", "Error in expression"},
    {"clScrError", "Script error at %s: %s"},
    {"dbFldNotFound", "Field not found:"},
    {"dbNotConn", "DataSet %s is not connected to data"},
    {"obReport", "Report"},
    {"obDataPage", "Data page"},
};

// Help topics by class name.
constexpr const char *kHelpTopics[][2] = {
    {"TpgxDesignerForm", "Designer.htm"},
    {"TpgxOptionsEditor", "Designer_options.htm"},
    {"TpgxReportEditorForm", "Report_options.htm"},
    {"TpgxPageEditorForm", "Page_options.htm"},
    {"TpgxCrossEditorForm", "Cross_tab_reports.htm"},
    {"TpgxChartEditorForm", "Diagrams.htm"},
    {"TpgxSyntaxMemo", "Script.htm"},
    {"TpgxDialogPage", "Dialogue_forms.htm"},
    {"TpgxDialogComponent", "Data_access_components.htm"},
    {"TpgxVarEditorForm", "Variables.htm"},
    {"TpgxHighlightEditorForm", "Conditional_highlighting.htm"},
    {"TpgxSysMemoEditorForm", "Inserting_aggregate_function.htm"},
    {"TpgxFormatEditorForm", "Values_formatting.htm"},
    {"TpgxGroupEditorForm", "Report_with_groups.htm"},
    {"TpgxPictureEditorForm", "Picture_object.htm"},
    {"TpgxMemoEditorForm", "Text_object.htm"},
    {"TpgxSQLEditorForm", "TpgxADOQuery.htm"},
};
static_assert(std::size(kHelpTopics) == 17, "help knows 17 class topics");

struct StripInfo {
    const char *name;
    int iconSize;
};
constexpr StripInfo kStrips[] = {
    {"DesgnButtons", 16},
    {"ObjectButtons", 16},
    {"PreviewButtons", 16},
    {"WizardButtons", 32},
};

constexpr qsizetype kMaxStripSize = 16 * 1024 * 1024;
constexpr char kStripMagic[4] = {'P', 'G', 'X', 'S'};

TpgxResources::ScriptMessageSink &scriptMessageSink()
{
    static TpgxResources::ScriptMessageSink sink;
    return sink;
}

} // namespace

TpgxResources::TpgxResources()
{
    for (const auto &pair : kReportTexts)
        Add(QString::fromLatin1(pair[0]), QString::fromUtf8(pair[1]));
}

QString TpgxResources::Get(const QString &name) const
{
    auto it = m_texts.constFind(name.toCaseFolded());
    if (it == m_texts.cend())
        return name;
    if (it->startsWith(QLatin1Char('!')))
        return it->mid(1);
    return *it;
}

void TpgxResources::Add(const QString &name, const QString &text)
{
    m_texts.insert(name.toCaseFolded(), text);
}

void TpgxResources::AddLines(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    const QStringList lines = text.split(lineBreak);
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || eq == line.size() - 1)
            continue;
        Add(line.left(eq), line.mid(eq + 1));
    }
}

void TpgxResources::Clear() { m_texts.clear(); }

void TpgxResources::LoadFromFile(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return;
    QFile file(fileName);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        throw pgx::Error(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    LoadFromStream(&file);
}

void TpgxResources::LoadFromStream(QIODevice *stream)
{
    if (!stream)
        return;
    Clear();
    QHash<QString, QString> scriptMessages;
    while (!stream->atEnd()) {
        QByteArray line = stream->readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        const QString text = pgx::persist::decodeAttrText(line);
        const qsizetype eq = text.indexOf(QLatin1Char('='));
        if (eq <= 0 || eq == text.size() - 1)
            continue;
        const QString name = text.left(eq);
        Add(name, text.mid(eq + 1));
        if (name.startsWith(QLatin1Char('S')))
            scriptMessages.insert(name, Get(name));
    }
    if (const ScriptMessageSink &sink = scriptMessageSink())
        sink(scriptMessages);
}

void TpgxResources::SetScriptMessageSink(ScriptMessageSink sink) { scriptMessageSink() = std::move(sink); }

QStringList TpgxResources::AvailableLanguages(const QString &folder)
{
    const QDir dir(folder.isEmpty() ? pgxProgramFolder() : folder);
    QStringList languages;
    for (const QFileInfo &file : dir.entryInfoList({QStringLiteral("*.pgc")}, QDir::Files, QDir::Name)) {
        const QString base = file.completeBaseName();
        if (base.isEmpty())
            continue;
        languages.append(base.left(1).toUpper() + base.mid(1).toLower());
    }
    languages.sort();
    return languages;
}

// ---- image strips ------------------------------------------------------------

std::optional<QByteArray> TpgxResources::InflateStrip(QByteArrayView packed, QString *error)
{
    const auto fail = [error](const QString &message) -> std::optional<QByteArray> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    if (packed.size() < 8 || !std::equal(kStripMagic, kStripMagic + 4, packed.data()))
        return fail(QStringLiteral("not an image strip"));
    const auto *p = reinterpret_cast<const uchar *>(packed.data());
    const quint32 size = quint32(p[4]) | quint32(p[5]) << 8 | quint32(p[6]) << 16 | quint32(p[7]) << 24;
    if (size == 0 || size > kMaxStripSize)
        return fail(QStringLiteral("image strip of an invalid size"));

    QByteArray out(qsizetype(size), Qt::Uninitialized);
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        return fail(QStringLiteral("zlib cannot start"));
    zs.next_in = const_cast<Bytef *>(p + 8);
    zs.avail_in = uInt(packed.size() - 8);
    zs.next_out = reinterpret_cast<Bytef *>(out.data());
    zs.avail_out = uInt(size);
    const int status = inflate(&zs, Z_FINISH);
    const uLong produced = zs.total_out;
    inflateEnd(&zs);
    // Z_STREAM_END with every byte produced: anything else is a damaged
    // stream (Z_DATA_ERROR), one that stops early (Z_BUF_ERROR) or one
    // holding more than announced (output full before the end).
    if (status != Z_STREAM_END || produced != size)
        return fail(QStringLiteral("damaged image strip (zlib status %1)").arg(status));
    return out;
}

QImage TpgxResources::ImageStrip(const QString &name) const
{
    QMutexLocker lock(&m_stripLock);
    if (auto it = m_strips.constFind(name); it != m_strips.cend())
        return *it;
    QImage image;
    for (const StripInfo &strip : kStrips) {
        if (name != QLatin1String(strip.name))
            continue;
        initImageStripResources();
        QFile file(QStringLiteral(":/pagoryn/strips/%1.pgxs").arg(name));
        if (file.open(QIODevice::ReadOnly))
            if (const auto bytes = InflateStrip(file.readAll()))
                image = QImage::fromData(*bytes, "BMP");
        if (!image.isNull() && image.height() != strip.iconSize)
            image = QImage();
        break;
    }
    m_strips.insert(name, image);
    return image;
}

QImage TpgxResources::StripIcon(const QString &name, int index) const
{
    const QImage strip = ImageStrip(name);
    const int size = strip.height();
    if (strip.isNull() || index < 0 || size <= 0 || index >= strip.width() / size)
        return {};
    return strip.copy(index * size, 0, size, size);
}

// ---- help ---------------------------------------------------------------------

QString TpgxResources::HelpTopic(const QString &className)
{
    for (const auto &row : kHelpTopics)
        if (className.compare(QLatin1String(row[0]), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(row[1]);
    return {};
}

// The help is a folder of HTML pages beside the program ("help/"), one page
// per topic.
QString TpgxResources::HelpLocation(const QString &className, const QString &programFolder)
{
    const QString folder = (programFolder.isEmpty() ? pgxProgramFolder() : programFolder);
    const QString topic = HelpTopic(className);
    return QDir(folder).filePath(QStringLiteral("help/") + (topic.isEmpty() ? QStringLiteral("index.htm") : topic));
}

TpgxResources &pgxResources()
{
    static TpgxResources *instance = [] {
        auto *resources = new TpgxResources;
        // The printer layer takes its texts from here once the table exists.
        pgx::setPrinterTextLookup([resources](const QString &key) { return resources->Get(key); });
        return resources;
    }();
    return *instance;
}

QString pgxProgramFolder()
{
    QString folder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}
