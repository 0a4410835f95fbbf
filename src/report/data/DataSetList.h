#pragma once

#include <QtCore/QList>
#include <QtCore/QString>

class TpgxDataSet;
class TpgxReport;

// Every data source of the process, wherever it lives (in a report or on a
// host's window), in creation order. Data sources enter it when created and
// leave it when destroyed; a lock guards every change and search, so data
// sources may come and go on other threads.
namespace pgx::data {

void enterDataSet(TpgxDataSet *dataSet);
void leaveDataSet(TpgxDataSet *dataSet);
QList<TpgxDataSet *> allDataSets();

// The first data source, in creation order, whose reference name (UserName,
// else its name) equals `name` without regard to case and which does not
// belong to a report other than `report` (a source outside any report is
// found by every report). Null for an empty name or none.
TpgxDataSet *findDataSet(const QString &name, const TpgxReport *report);

// The name of the object a report is processing, which messages about its
// fields begin with. The engine sets it for the object it prints; outside a
// run it is empty and messages begin with the data source's own name.
QString processingObjectName();
class ProcessingObjectScope
{
public:
    explicit ProcessingObjectScope(const QString &name);
    ~ProcessingObjectScope();
    ProcessingObjectScope(const ProcessingObjectScope &) = delete;
    ProcessingObjectScope &operator=(const ProcessingObjectScope &) = delete;

private:
    QString m_previous;
};

}   // namespace pgx::data
