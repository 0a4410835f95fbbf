#include "report/root/TpgxReport.h"

#include "persist/serializer/PropData.h"
#include "persist/serializer/XMLSerializer.h"
#include "platform/Error.h"
#include "platform/KeyStore.h"
#include "platform/UserPrompts.h"
#include "platform/printing/Printers.h"
#include "report/resources/ProgramFolder.h"
#include "report/resources/TpgxResources.h"

namespace {
TpgxReport::DesignerFactory &designerFactory()
{
    static TpgxReport::DesignerFactory factory;
    return factory;
}

constexpr const char *kSystemVariables[]
    = {"Date", "Time", "Page", "Page#", "TotalPages", "TotalPages#", "Line", "Line#", "CopyName#"};
}   // namespace

TpgxReport::TpgxReport(QObject *owner)
    : TpgxComponent(owner), m_iniFile(QStringLiteral("\\Software\\Velmora")),
      m_dataSets(new TpgxReportDataSets(this)), m_variables(new TpgxVariables(this)),
      m_styles(new TpgxStyles(this))
{
    Clear();
}

TpgxReport::~TpgxReport()
{
    // The children go while this is still a report, so that their
    // notifications reach a whole object.
    m_destroying = true;
    DestroyChildren();
    m_names.clear();
}

void TpgxReport::NotifyObjectDestroyed(TpgxComponent *component)
{
    if (!m_destroying)
        emit ObjectDestroyed(component);
}

void TpgxReport::IndexName(const QString &name, TpgxComponent *component)
{
    if (!name.isEmpty())
        m_names[name.toCaseFolded()].append(component);
}

void TpgxReport::UnindexName(const QString &name, TpgxComponent *component)
{
    if (name.isEmpty())
        return;
    auto it = m_names.find(name.toCaseFolded());
    if (it == m_names.end())
        return;
    it->removeOne(component);
    if (it->isEmpty())
        m_names.erase(it);
}

// Dropping the ancestor frees its components too: they would otherwise
// stay in the report as objects that can be neither renamed nor saved
// (an "inherited" element of a report without parent loads nothing).
void TpgxReport::Clear()
{
    DestroyChildren();
    m_ancestor.reset();
    m_parentReport.clear();
    m_dataSets->Clear();
    m_variables->Clear();
    m_styles->Clear();
    m_styles->SetName(QString());
    m_engineOptions.Reset();
    m_previewOptions.Reset();
    m_printOptions.Reset();
    m_reportOptions.Reset();
    m_dataSet = nullptr;
    m_dataSetName.clear();
    m_dotMatrixReport = false;
    m_scriptLanguage = QStringLiteral("PascalScript");
    m_scriptText = QStringList{QStringLiteral("begin"), QString(), QStringLiteral("end.")};
    m_systemVariables.clear();
    for (const char *name : kSystemVariables)
        m_systemVariables.append(QString::fromLatin1(name));
    m_onRunDialogs.clear();
    m_onStartReport.clear();
    m_onStopReport.clear();
}

QString TpgxReport::KindCaption() const
{
    return pgxResources().Get(QStringLiteral("obReport"));
}

void TpgxReport::SetDataSet(TpgxDataSet *value)
{
    m_dataSet = value;
    if (value)
        m_dataSetName = value->ReferenceName();
}

QString TpgxReport::DataSetName() const
{
    return m_dataSet ? m_dataSet->ReferenceName() : m_dataSetName;
}

void TpgxReport::SetDataSetName(const QString &value)
{
    m_dataSetName = value;
    if (TpgxDataSet *found = pgx::datasets::FindByUserName(this, value))
        m_dataSet = found;
}

void TpgxReport::SetStyles(const TpgxStyles *styles)
{
    if (styles)
        m_styles->Assign(*styles);
    else
        m_styles->Clear();
    m_styles->Apply(this);
}

TpgxDataSet *TpgxReport::GetDataset(const QString &alias) const
{
    for (const TpgxDataSetItem *item : m_dataSets->items())
        if (item->DataSet()
            && item->DataSet()->ReferenceName().compare(alias, Qt::CaseInsensitive) == 0)
            return item->DataSet();
    return nullptr;
}

QString TpgxReport::AliasOf(const TpgxDataSet *dataSet) const
{
    if (!dataSet)
        return {};
    if (m_dataSets->Find(dataSet))
        return dataSet->ReferenceName();
    return pgxResources().Get(QStringLiteral("clDSNotIncl"));
}

void TpgxReport::AddError(const QString &message)
{
    // Sorted without regard to case; a message already listed in any letter
    // case is not added again.
    auto it = std::lower_bound(
        m_errors.begin(), m_errors.end(), message,
        [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    if (it != m_errors.end() && it->compare(message, Qt::CaseInsensitive) == 0)
        return;
    m_errors.insert(it, message);
}

QString TpgxReport::ErrorsText() const
{
    if (m_errors.isEmpty())
        return {};
    return pgxResources().Get(QStringLiteral("clErrors")) + QLatin1String("\r\n")
        + m_errors.join(QLatin1String("\r\n"));
}

void TpgxReport::ReportErrors()
{
    if (m_errors.isEmpty())
        return;
    const QString text = ErrorsText();
    switch (m_engineOptions.NewSilentMode) {
    case TpgxEngineOptions::simMessageBoxes:
        pgx::UserPrompts::current().showMessage(pgx::UserPrompts::Kind::Error, text);
        break;
    case TpgxEngineOptions::simSilent: break;
    case TpgxEngineOptions::simReThrow: throw pgx::Error(text);
    }
}

// PropData: "Left" and "Top" (the position on the host window, each only
// when not zero), then "Datasets", "Variables" and "Style", always.
void TpgxReport::WriteDefinedProperties(pgx::persist::PropDataWriter &writer,
                                        pgx::TpgxXMLSerializer &serializer) const
{
    if (m_designPosition.x() != 0)
        writer.writeInteger("Left", m_designPosition.x());
    if (m_designPosition.y() != 0)
        writer.writeInteger("Top", m_designPosition.y());
    const auto objects = [](const auto &items) {
        QList<QObject *> list;
        for (auto *item : items)
            list.append(item);
        return list;
    };
    serializer.WriteCollection(writer, "Datasets", objects(m_dataSets->items()));
    serializer.WriteCollection(writer, "Variables", objects(m_variables->items()));
    serializer.WriteCollection(writer, "Style", objects(m_styles->items()));
}

void TpgxReport::ReadDefinedProperty(const pgx::persist::PropEntry &entry,
                                     pgx::TpgxXMLSerializer &serializer)
{
    const auto position = [&](int &coordinate) {
        if (!entry.value.isInteger())
            throw pgx::Error(QStringLiteral("Invalid PropData: %1 is not a number")
                                 .arg(QString::fromLatin1(entry.name)));
        coordinate = int(entry.value.integer);
    };
    if (entry.name == "Left") {
        position(m_designPosition.rx());
    } else if (entry.name == "Top") {
        position(m_designPosition.ry());
    } else if (entry.name == "Datasets") {
        serializer.ReadCollection(
            entry.value, [this] { m_dataSets->Clear(); }, [this] { return m_dataSets->Add(); });
    } else if (entry.name == "Variables") {
        serializer.ReadCollection(
            entry.value, [this] { m_variables->Clear(); }, [this] { return m_variables->Add(); });
    } else if (entry.name == "Style") {
        serializer.ReadCollection(
            entry.value, [this] { m_styles->Clear(); }, [this] { return m_styles->Add(); });
    }
}

std::unique_ptr<pgx::KeyStore> TpgxReport::SettingsStore() const
{
    return std::make_unique<pgx::KeyStore>(m_iniFile);
}

QString TpgxReport::ProgramFolder()
{
    return pgxProgramFolder();
}

void TpgxReport::ApplyPrinterOption()
{
    pgx::TpgxPrinters &printers = pgx::TpgxPrinters::instance();
    const int index = printers.IndexOfPrinter(m_printOptions.Printer);
    if (index >= 0)
        printers.setPrinterIndex(index);
}

void TpgxReport::setDesignerFactory(DesignerFactory factory)
{
    designerFactory() = std::move(factory);
}

bool TpgxReport::hasDesignerFactory()
{
    return bool(designerFactory());
}

void TpgxReport::DesignReport(bool modal, bool asChild)
{
    const DesignerFactory &factory = designerFactory();
    if (!factory || m_designerOpen)
        return;
    m_designerOpen = true;
    struct Reset
    {
        bool &flag;
        ~Reset() { flag = false; }
    } reset{m_designerOpen};
    factory(*this, modal, asChild);
}
