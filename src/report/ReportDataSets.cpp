#include "report/ReportDataSets.h"

#include "report/TpgxReport.h"

namespace pgx::datasets {

bool IsDataSource(const QObject *component)
{
    return component && component->inherits("TpgxDataSet");
}

QString UserNameOf(const QObject *component)
{
    if (!component)
        return {};
    const QVariant userName = component->property("UserName");
    if (userName.isValid())
        return userName.toString();
    const auto *c = qobject_cast<const TpgxComponent *>(component);
    return c ? c->Name() : QString();
}

TpgxDialogComponent *FindByUserName(const TpgxReport *report, const QString &name)
{
    if (!report || name.isEmpty())
        return nullptr;
    for (TpgxComponent *c : report->AllObjects())
        if (IsDataSource(c) && UserNameOf(c).compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<TpgxDialogComponent *>(c);
    return nullptr;
}

} // namespace pgx::datasets

TpgxDataSetItem::TpgxDataSetItem(TpgxReport *report, QObject *parent) : QObject(parent), m_report(report) {}

void TpgxDataSetItem::SetDataSet(TpgxDialogComponent *dataSet)
{
    m_dataSet = dataSet;
    if (dataSet)
        m_dataSetName = pgx::datasets::UserNameOf(dataSet);
}

QString TpgxDataSetItem::DataSetName() const
{
    return m_dataSet ? pgx::datasets::UserNameOf(m_dataSet) : m_dataSetName;
}

void TpgxDataSetItem::SetDataSetName(const QString &name)
{
    m_dataSetName = name;
    if (TpgxDialogComponent *found = pgx::datasets::FindByUserName(m_report, name))
        m_dataSet = found;
}

TpgxReportDataSets::TpgxReportDataSets(TpgxReport *report) : QObject(report), m_report(report) {}

TpgxDataSetItem *TpgxReportDataSets::Add()
{
    auto *item = new TpgxDataSetItem(m_report, this);
    m_items.append(item);
    return item;
}

TpgxDataSetItem *TpgxReportDataSets::Add(TpgxDialogComponent *dataSet)
{
    if (TpgxDataSetItem *existing = Find(dataSet))
        return existing;
    TpgxDataSetItem *item = Add();
    item->SetDataSet(dataSet);
    return item;
}

void TpgxReportDataSets::Delete(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    delete m_items.takeAt(index);
}

void TpgxReportDataSets::Clear()
{
    qDeleteAll(m_items);
    m_items.clear();
}

TpgxDataSetItem *TpgxReportDataSets::Find(const QString &name) const
{
    for (TpgxDataSetItem *item : m_items)
        if (item->DataSetName().compare(name, Qt::CaseInsensitive) == 0)
            return item;
    return nullptr;
}

TpgxDataSetItem *TpgxReportDataSets::Find(const TpgxDialogComponent *dataSet) const
{
    if (!dataSet)
        return nullptr;
    for (TpgxDataSetItem *item : m_items)
        if (item->DataSet() == dataSet)
            return item;
    return nullptr;
}
