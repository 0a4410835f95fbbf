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
    clear();
}

TpgxReport::~TpgxReport()
{
    // The children go while this is still a report, so that their
    // notifications reach a whole object.
    m_destroying = true;
    destroyChildren();
    m_names.clear();
}

void TpgxReport::notifyObjectDestroyed(TpgxComponent *component)
{
    if (!m_destroying)
        emit objectDestroyed(component);
}

void TpgxReport::indexName(const QString &name, TpgxComponent *component)
{
    if (!name.isEmpty())
        m_names[name.toCaseFolded()].append(component);
}

void TpgxReport::unindexName(const QString &name, TpgxComponent *component)
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
void TpgxReport::clear()
{
    destroyChildren();
    m_ancestor.reset();
    m_parentReport.clear();
    m_dataSets->clear();
    m_variables->clear();
    m_styles->clear();
    m_styles->setName(QString());
    m_engineOptions.reset();
    m_previewOptions.reset();
    m_printOptions.reset();
    m_reportOptions.reset();
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

QString TpgxReport::kindCaption() const
{
    return pgxResources().get(QStringLiteral("obReport"));
}

void TpgxReport::setDataSet(TpgxDataSet *value)
{
    m_dataSet = value;
    if (value)
        m_dataSetName = value->referenceName();
}

QString TpgxReport::dataSetName() const
{
    return m_dataSet ? m_dataSet->referenceName() : m_dataSetName;
}

void TpgxReport::setDataSetName(const QString &value)
{
    m_dataSetName = value;
    if (TpgxDataSet *found = pgx::datasets::findByUserName(this, value))
        m_dataSet = found;
}

void TpgxReport::setStyles(const TpgxStyles *styles)
{
    if (styles)
        m_styles->assign(*styles);
    else
        m_styles->clear();
    m_styles->apply(this);
}

TpgxDataSet *TpgxReport::getDataset(const QString &alias) const
{
    for (const TpgxDataSetItem *item : m_dataSets->items())
        if (item->dataSet()
            && item->dataSet()->referenceName().compare(alias, Qt::CaseInsensitive) == 0)
            return item->dataSet();
    return nullptr;
}

QString TpgxReport::aliasOf(const TpgxDataSet *dataSet) const
{
    if (!dataSet)
        return {};
    if (m_dataSets->find(dataSet))
        return dataSet->referenceName();
    return pgxResources().get(QStringLiteral("clDSNotIncl"));
}

void TpgxReport::addError(const QString &message)
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

void TpgxReport::toggleDrillGroup(const QString &key)
{
    if (!m_toggledDrillGroups.remove(key))
        m_toggledDrillGroups.insert(key);
}

namespace {

TpgxReport::CalcHook &calcHook()
{
    static TpgxReport::CalcHook hook;
    return hook;
}

TpgxReport::ValueHook &valueHook()
{
    static TpgxReport::ValueHook hook;
    return hook;
}

}   // namespace

void TpgxReport::setValueHook(ValueHook hook)
{
    valueHook() = std::move(hook);
}

void TpgxReport::publishCurrentValue(const QVariant &value)
{
    if (valueHook())
        valueHook()(*this, value);
}

void TpgxReport::setCalcHook(CalcHook hook)
{
    calcHook() = std::move(hook);
}

QVariant TpgxReport::calc(const QString &expression)
{
    if (!calcHook()) {
        const QString message
            = QStringLiteral("Cannot evaluate '%1': no expression evaluation is installed")
                  .arg(expression);
        addError(message);
        throw pgx::Error(message);
    }
    return calcHook()(*this, expression);
}

QString TpgxReport::errorsText() const
{
    if (m_errors.isEmpty())
        return {};
    return pgxResources().get(QStringLiteral("clErrors")) + QLatin1String("\r\n")
        + m_errors.join(QLatin1String("\r\n"));
}

void TpgxReport::reportErrors()
{
    if (m_errors.isEmpty())
        return;
    const QString text = errorsText();
    switch (m_engineOptions.newSilentMode) {
    case TpgxEngineOptions::simMessageBoxes:
        pgx::UserPrompts::current().showMessage(pgx::UserPrompts::Kind::Error, text);
        break;
    case TpgxEngineOptions::simSilent: break;
    case TpgxEngineOptions::simReThrow: throw pgx::Error(text);
    }
}

// PropData: "Left" and "Top" (the position on the host window, each only
// when not zero), then "Datasets", "Variables" and "Style", always.
void TpgxReport::writeDefinedProperties(pgx::persist::PropDataWriter &writer,
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
    serializer.writeCollection(writer, "Datasets", objects(m_dataSets->items()));
    serializer.writeCollection(writer, "Variables", objects(m_variables->items()));
    serializer.writeCollection(writer, "Style", objects(m_styles->items()));
}

void TpgxReport::readDefinedProperty(const pgx::persist::PropEntry &entry,
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
        serializer.readCollection(
            entry.value, [this] { m_dataSets->clear(); }, [this] { return m_dataSets->add(); });
    } else if (entry.name == "Variables") {
        serializer.readCollection(
            entry.value, [this] { m_variables->clear(); }, [this] { return m_variables->add(); });
    } else if (entry.name == "Style") {
        serializer.readCollection(
            entry.value, [this] { m_styles->clear(); }, [this] { return m_styles->add(); });
    }
}

std::unique_ptr<pgx::KeyStore> TpgxReport::settingsStore() const
{
    return std::make_unique<pgx::KeyStore>(m_iniFile);
}

QString TpgxReport::programFolder()
{
    return pgxProgramFolder();
}

void TpgxReport::applyPrinterOption()
{
    pgx::TpgxPrinters &printers = pgx::TpgxPrinters::instance();
    const int index = printers.indexOfPrinter(m_printOptions.printer);
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

void TpgxReport::designReport(bool modal, bool asChild)
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
