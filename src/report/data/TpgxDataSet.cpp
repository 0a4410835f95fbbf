#include "report/data/TpgxDataSet.h"

#include "platform/Error.h"
#include "report/data/DataSetList.h"
#include "report/resources/TpgxResources.h"

TpgxDataSet::TpgxDataSet(QObject *owner) : TpgxDialogComponent(owner)
{
    pgx::data::enterDataSet(this);
}

TpgxDataSet::~TpgxDataSet()
{
    pgx::data::leaveDataSet(this);
    emit destroying();
}

void TpgxDataSet::renamed(const QString &oldName)
{
    if (!name().isEmpty() && (m_userName.isEmpty() || m_userName == oldName))
        m_userName = name();
}

void TpgxDataSet::open()
{
    if (m_onOpen)
        m_onOpen();
}

void TpgxDataSet::close()
{
    if (m_onClose)
        m_onClose();
}

void TpgxDataSet::setUserName(const QString &value)
{
    if (value.trimmed().isEmpty())
        throw pgx::Error(pgxResources().get(QStringLiteral("prInvProp")));
    m_userName = value;
}

std::optional<int> TpgxDataSet::recordLimit() const
{
    return m_rangeEnd == reCount ? std::optional(m_rangeEndCount) : std::nullopt;
}

void TpgxDataSet::first()
{
    m_recNo = 0;
    m_eof = false;
    if (m_onFirst)
        m_onFirst();
}

void TpgxDataSet::next()
{
    m_eof = false;
    ++m_recNo;
    // A limited range stops on its last record rather than past it, so that
    // fields still read the last record after the end.
    if (const std::optional<int> limit = recordLimit(); limit && m_recNo >= *limit) {
        m_recNo = *limit - 1;
        m_eof = true;
        return;
    }
    if (m_onNext)
        m_onNext();
}

void TpgxDataSet::prior()
{
    --m_recNo;
    if (m_onPrior)
        m_onPrior();
}

bool TpgxDataSet::eof() const
{
    const std::optional<int> limit = recordLimit();
    bool eof = limit && (m_recNo >= *limit || m_eof);
    if (m_onCheckEof)
        m_onCheckEof(eof);
    return eof;
}

int TpgxDataSet::recordCount() const
{
    return m_rangeBegin == rbFirst && m_rangeEnd == reCount ? m_rangeEndCount : 0;
}

TpgxUserDataSet::TpgxUserDataSet(QObject *owner) : TpgxDataSet(owner) { }

std::optional<int> TpgxUserDataSet::recordLimit() const
{
    if (rangeEnd() != reCount && !hasOnCheckEof())
        return 1;
    return TpgxDataSet::recordLimit();
}

QVariant TpgxUserDataSet::getValue(const QString &field) const
{
    QVariant value;
    if (m_onGetValue)
        m_onGetValue(field, value);
    return value;
}
