#include "report/data/DataSetList.h"

#include "report/data/TpgxDataSet.h"
#include "report/root/TpgxReport.h"

#include <QtCore/QMutex>

namespace pgx::data {

namespace {

struct DataSetList
{
    QMutex lock;
    QList<TpgxDataSet *> items;
};

DataSetList &list()
{
    static DataSetList instance;
    return instance;
}

// The engine runs on one thread; the name is per thread so that a report
// prepared on a worker never prefixes another thread's messages.
thread_local QString tProcessingObject;

}   // namespace

void enterDataSet(TpgxDataSet *dataSet)
{
    QMutexLocker locker(&list().lock);
    list().items.append(dataSet);
}

void leaveDataSet(TpgxDataSet *dataSet)
{
    QMutexLocker locker(&list().lock);
    list().items.removeOne(dataSet);
}

QList<TpgxDataSet *> allDataSets()
{
    QMutexLocker locker(&list().lock);
    return list().items;
}

TpgxDataSet *findDataSet(const QString &name, const TpgxReport *report)
{
    if (name.isEmpty())
        return nullptr;
    QMutexLocker locker(&list().lock);
    for (TpgxDataSet *dataSet : std::as_const(list().items)) {
        if (dataSet->referenceName().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const TpgxReport *owner = dataSet->report();
        if (!owner || owner == report)
            return dataSet;
    }
    return nullptr;
}

QString processingObjectName()
{
    return tProcessingObject;
}

ProcessingObjectScope::ProcessingObjectScope(const QString &name) : m_previous(tProcessingObject)
{
    tProcessingObject = name;
}

ProcessingObjectScope::~ProcessingObjectScope()
{
    tProcessingObject = m_previous;
}

}   // namespace pgx::data
