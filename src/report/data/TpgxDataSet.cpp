#include "report/data/TpgxDataSet.h"

#include "platform/Error.h"
#include "report/resources/TpgxResources.h"

TpgxDataSet::TpgxDataSet(QObject *owner) : TpgxDialogComponent(owner) { }

TpgxDataSet::~TpgxDataSet()
{
    emit Destroying();
}

void TpgxDataSet::SetUserName(const QString &value)
{
    if (value.trimmed().isEmpty())
        throw pgx::Error(pgxResources().Get(QStringLiteral("prInvProp")));
    m_userName = value;
}

void TpgxDataSet::First()
{
    m_recNo = 0;
    m_eof = false;
}

void TpgxDataSet::Next()
{
    m_eof = false;
    ++m_recNo;
    // A counted range stops on its last record rather than past it, so that
    // fields still read the last record after the end.
    if (m_rangeEnd == reCount && m_recNo >= m_rangeEndCount) {
        m_recNo = m_rangeEndCount - 1;
        m_eof = true;
    }
}

void TpgxDataSet::Prior()
{
    --m_recNo;
}

bool TpgxDataSet::Eof() const
{
    return m_rangeEnd == reCount && (m_recNo >= m_rangeEndCount || m_eof);
}

int TpgxDataSet::RecordCount() const
{
    return m_rangeBegin == rbFirst && m_rangeEnd == reCount ? m_rangeEndCount : 0;
}

TpgxUserDataSet::TpgxUserDataSet(QObject *owner) : TpgxDataSet(owner) { }

QVariant TpgxUserDataSet::GetValue(const QString &field) const
{
    QVariant value;
    if (m_onGetValue)
        m_onGetValue(field, value);
    return value;
}
