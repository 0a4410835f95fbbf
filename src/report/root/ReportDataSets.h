#pragma once

#include "report/data/TpgxDataSet.h"

#include <QtCore/QObject>
#include <QtCore/QPointer>

class TpgxComponent;
class TpgxDataSetLink;
class TpgxReport;

namespace pgx::datasets {
// The data source `report` finds by reference name (UserName, else its
// name) in the process-wide list: its own or one outside any report; null
// for an empty name, a null report or none.
TpgxDataSet *findByUserName(const TpgxReport *report, const QString &name);
// A DataSetName written to a page, band or view: the name is kept, and
// the source of that name among `owner`'s report's becomes the link (none
// found, or no report yet, keeps the previous link).
void linkByName(TpgxDataSetLink &link, const TpgxComponent *owner, const QString &name);
// After a template is read: every page, band and view that names a data
// source it is not linked to is linked by that name, whatever order the
// template listed them in.
void relinkByName(TpgxReport *report);

}   // namespace pgx::datasets

// One entry of a report's data-set list. Destroying the data source clears
// the reference (QPointer); the stored name stays, so a run can say which
// data source is missing.
class TpgxDataSetItem : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TpgxDataSet *DataSet READ dataSet WRITE setDataSet)
    Q_PROPERTY(QString DataSetName READ dataSetName WRITE setDataSetName)

public:
    explicit TpgxDataSetItem(TpgxReport *report = nullptr, QObject *parent = nullptr);

    TpgxDataSet *dataSet() const { return m_dataSet; }
    // Also takes the data source's UserName as the stored name.
    void setDataSet(TpgxDataSet *dataSet);
    // The referenced data source's UserName when there is one, else the
    // stored name.
    QString dataSetName() const;
    // Looks the data source up by name in the report; when none is found
    // the previous reference stays.
    void setDataSetName(const QString &name);

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

    int count() const { return int(m_items.size()); }
    TpgxDataSetItem *items(int index) const { return m_items.value(index); }
    const QList<TpgxDataSetItem *> &items() const { return m_items; }
    TpgxDataSetItem *add();
    // Adds an item for the data source unless it is listed already.
    TpgxDataSetItem *add(TpgxDataSet *dataSet);
    void removeAt(int index);
    void clear();
    // The item whose data source (or stored name) is `name`; null for none.
    TpgxDataSetItem *find(const QString &name) const;
    TpgxDataSetItem *find(const TpgxDataSet *dataSet) const;

private:
    TpgxReport *m_report;
    QList<TpgxDataSetItem *> m_items;
};
