#include "report/root/ReportDataSets.h"

#include "report/bands/TpgxDataBand.h"
#include "report/data/DataSetList.h"
#include "report/data/TpgxDataSetLink.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxView.h"

namespace pgx::datasets {

TpgxDataSet *findByUserName(const TpgxReport *report, const QString &name)
{
    if (!report)
        return nullptr;
    return pgx::data::findDataSet(name, report);
}

void linkByName(TpgxDataSetLink &link, const TpgxComponent *owner, const QString &name)
{
    link.setName(name);
    if (TpgxDataSet *found = name.isEmpty() ? nullptr : findByUserName(owner->report(), name))
        link.set(found);
}

void relinkByName(TpgxReport *report)
{
    for (TpgxComponent *object : report->allObjects()) {
        if (auto *band = qobject_cast<TpgxDataBand *>(object)) {
            if (!band->dataSet() && !band->dataSetName().isEmpty())
                band->setDataSetName(band->dataSetName());
        } else if (auto *page = qobject_cast<TpgxReportPage *>(object)) {
            if (!page->dataSet() && !page->dataSetName().isEmpty())
                page->setDataSetName(page->dataSetName());
        } else if (auto *view = qobject_cast<TpgxView *>(object)) {
            if (!view->dataSet() && !view->dataSetName().isEmpty())
                view->setDataSetName(view->dataSetName());
        }
    }
}

}   // namespace pgx::datasets
TpgxDataSetItem::TpgxDataSetItem(TpgxReport *report, QObject *parent)
    : QObject(parent), m_report(report)
{ }

void TpgxDataSetItem::setDataSet(TpgxDataSet *dataSet)
{
    m_dataSet = dataSet;
    if (dataSet)
        m_dataSetName = dataSet->referenceName();
}

QString TpgxDataSetItem::dataSetName() const
{
    return m_dataSet ? m_dataSet->referenceName() : m_dataSetName;
}

void TpgxDataSetItem::setDataSetName(const QString &name)
{
    m_dataSetName = name;
    if (TpgxDataSet *found = pgx::datasets::findByUserName(m_report, name))
        m_dataSet = found;
}

TpgxReportDataSets::TpgxReportDataSets(TpgxReport *report) : QObject(report), m_report(report) { }

TpgxDataSetItem *TpgxReportDataSets::add()
{
    auto *item = new TpgxDataSetItem(m_report, this);
    m_items.append(item);
    return item;
}

TpgxDataSetItem *TpgxReportDataSets::add(TpgxDataSet *dataSet)
{
    if (TpgxDataSetItem *existing = find(dataSet))
        return existing;
    TpgxDataSetItem *item = add();
    item->setDataSet(dataSet);
    return item;
}

void TpgxReportDataSets::removeAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    delete m_items.takeAt(index);
}

void TpgxReportDataSets::clear()
{
    qDeleteAll(m_items);
    m_items.clear();
}

TpgxDataSetItem *TpgxReportDataSets::find(const QString &name) const
{
    for (TpgxDataSetItem *item : m_items)
        if (item->dataSetName().compare(name, Qt::CaseInsensitive) == 0)
            return item;
    return nullptr;
}

TpgxDataSetItem *TpgxReportDataSets::find(const TpgxDataSet *dataSet) const
{
    if (!dataSet)
        return nullptr;
    for (TpgxDataSetItem *item : m_items)
        if (item->dataSet() == dataSet)
            return item;
    return nullptr;
}
