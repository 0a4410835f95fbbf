#include "report/root/ReportDataSets.h"

#include "report/data/DataSetList.h"
#include "report/root/TpgxReport.h"

namespace pgx::datasets {

TpgxDataSet *FindByUserName(const TpgxReport *report, const QString &name)
{
    if (!report)
        return nullptr;
    return pgx::data::findDataSet(name, report);
}

}   // namespace pgx::datasets
TpgxDataSetItem::TpgxDataSetItem(TpgxReport *report, QObject *parent)
    : QObject(parent), m_report(report)
{ }

void TpgxDataSetItem::SetDataSet(TpgxDataSet *dataSet)
{
    m_dataSet = dataSet;
    if (dataSet)
        m_dataSetName = dataSet->ReferenceName();
}

QString TpgxDataSetItem::DataSetName() const
{
    return m_dataSet ? m_dataSet->ReferenceName() : m_dataSetName;
}

void TpgxDataSetItem::SetDataSetName(const QString &name)
{
    m_dataSetName = name;
    if (TpgxDataSet *found = pgx::datasets::FindByUserName(m_report, name))
        m_dataSet = found;
}

TpgxReportDataSets::TpgxReportDataSets(TpgxReport *report) : QObject(report), m_report(report) { }

TpgxDataSetItem *TpgxReportDataSets::Add()
{
    auto *item = new TpgxDataSetItem(m_report, this);
    m_items.append(item);
    return item;
}

TpgxDataSetItem *TpgxReportDataSets::Add(TpgxDataSet *dataSet)
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

TpgxDataSetItem *TpgxReportDataSets::Find(const TpgxDataSet *dataSet) const
{
    if (!dataSet)
        return nullptr;
    for (TpgxDataSetItem *item : m_items)
        if (item->DataSet() == dataSet)
            return item;
    return nullptr;
}
