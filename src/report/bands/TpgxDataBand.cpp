#include "report/bands/TpgxDataBand.h"

#include "report/data/TpgxDataSet.h"
#include "report/root/ReportDataSets.h"

TpgxDataBand::TpgxDataBand(QObject *owner)
    : TpgxBand(owner), m_virtualDataSet(std::make_unique<TpgxUserDataSet>())
{
    // Not a child of the band: it is never saved and never listed.
    m_virtualDataSet->setRangeEnd(TpgxDataSet::reCount);
}

TpgxDataBand::~TpgxDataBand() = default;

void TpgxDataBand::setDataSet(TpgxDataSet *value)
{
    m_dataSet.set(value);
}

QString TpgxDataBand::dataSetName() const
{
    return m_dataSet.name();
}

void TpgxDataBand::setDataSetName(const QString &value)
{
    pgx::datasets::linkByName(m_dataSet, this, value);
}

int TpgxDataBand::rowCount() const
{
    return m_virtualDataSet->rangeEndCount();
}

void TpgxDataBand::setRowCount(int value)
{
    m_virtualDataSet->setRangeEndCount(value);
}

TpgxDataSet *TpgxDataBand::effectiveDataSet() const
{
    return m_dataSet.get() ? m_dataSet.get() : m_virtualDataSet.get();
}

void TpgxDataBand::selectColumn(int n)
{
    if (n > m_columns)
        n = 1;
    m_curColumn = n;
    setLeft((n - 1) * (m_columnWidth + m_columnGap));
}
