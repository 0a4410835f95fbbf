#pragma once

#include "report/data/TpgxDataSet.h"

#include <QtCore/QObject>
#include <QtCore/QPointer>

class TpgxReport;

namespace pgx::datasets {
// The data source `report` finds by reference name (UserName, else its
// name) in the process-wide list: its own or one outside any report; null
// for an empty name, a null report or none.
TpgxDataSet *FindByUserName(const TpgxReport *report, const QString &name);
}   // namespace pgx::datasets

// One entry of a report's data-set list. Destroying the data source clears
// the reference (QPointer); the stored name stays, so a run can say which
// data source is missing.
class TpgxDataSetItem : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TpgxDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(QString DataSetName READ DataSetName WRITE SetDataSetName)

public:
    explicit TpgxDataSetItem(TpgxReport *report = nullptr, QObject *parent = nullptr);

    TpgxDataSet *DataSet() const { return m_dataSet; }
    // Also takes the data source's UserName as the stored name.
    void SetDataSet(TpgxDataSet *dataSet);
    // The referenced data source's UserName when there is one, else the
    // stored name.
    QString DataSetName() const;
    // Looks the data source up by name in the report; when none is found
    // the previous reference stays.
    void SetDataSetName(const QString &name);

private:
    TpgxReport *m_report;
    QPointer<TpgxDataSet> m_dataSet;
    QString m_dataSetName;
};

// The report's data-set list (the "Datasets" entry of its PropData).
class TpgxReportDataSets : public QObject
{
    Q_OBJECT

public:
    explicit TpgxReportDataSets(TpgxReport *report);

    int Count() const { return int(m_items.size()); }
    TpgxDataSetItem *Items(int index) const { return m_items.value(index); }
    const QList<TpgxDataSetItem *> &items() const { return m_items; }
    TpgxDataSetItem *Add();
    // Adds an item for the data source unless it is listed already.
    TpgxDataSetItem *Add(TpgxDataSet *dataSet);
    void Delete(int index);
    void Clear();
    // The item whose data source (or stored name) is `name`; null for none.
    TpgxDataSetItem *Find(const QString &name) const;
    TpgxDataSetItem *Find(const TpgxDataSet *dataSet) const;

private:
    TpgxReport *m_report;
    QList<TpgxDataSetItem *> m_items;
};
