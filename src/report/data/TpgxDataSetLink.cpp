#include "report/data/TpgxDataSetLink.h"

#include "report/data/TpgxDataSet.h"

TpgxDataSetLink::~TpgxDataSetLink()
{
    QObject::disconnect(m_connection);
}

void TpgxDataSetLink::set(TpgxDataSet *dataSet)
{
    QObject::disconnect(m_connection);
    m_dataSet = dataSet;
    m_name = dataSet ? dataSet->referenceName() : QString();
    if (dataSet)
        m_connection = QObject::connect(dataSet, &TpgxDataSet::destroying, [this] {
            m_dataSet = nullptr;
            m_name.clear();
            QObject::disconnect(m_connection);
        });
}

QString TpgxDataSetLink::name() const
{
    return m_dataSet ? m_dataSet->referenceName() : m_name;
}

void TpgxDataSetLink::setName(const QString &name)
{
    if (m_dataSet && m_dataSet->referenceName() != name) {
        QObject::disconnect(m_connection);
        m_dataSet = nullptr;
    }
    m_name = name;
}
