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
thread_local QString t_processingObject;

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
        if (dataSet->ReferenceName().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const TpgxReport *owner = dataSet->Report();
        if (!owner || owner == report)
            return dataSet;
    }
    return nullptr;
}

QString processingObjectName()
{
    return t_processingObject;
}

ProcessingObjectScope::ProcessingObjectScope(const QString &name) : m_previous(t_processingObject)
{
    t_processingObject = name;
}

ProcessingObjectScope::~ProcessingObjectScope()
{
    t_processingObject = m_previous;
}

}   // namespace pgx::data
