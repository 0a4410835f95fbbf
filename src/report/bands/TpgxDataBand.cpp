#include "report/bands/TpgxDataBand.h"

#include "report/data/TpgxDataSet.h"

TpgxDataBand::TpgxDataBand(QObject *owner)
    : TpgxBand(owner), m_virtualDataSet(std::make_unique<TpgxUserDataSet>())
{
    // Not a child of the band: it is never saved and never listed.
    m_virtualDataSet->SetRangeEnd(TpgxDataSet::reCount);
}

TpgxDataBand::~TpgxDataBand() = default;

void TpgxDataBand::SetDataSet(TpgxDataSet *value)
{
    m_dataSet.set(value);
}

QString TpgxDataBand::DataSetName() const
{
    return m_dataSet.name();
}

void TpgxDataBand::SetDataSetName(const QString &value)
{
    m_dataSet.setName(value);
}

int TpgxDataBand::RowCount() const
{
    return m_virtualDataSet->RangeEndCount();
}

void TpgxDataBand::SetRowCount(int value)
{
    m_virtualDataSet->SetRangeEndCount(value);
}

TpgxDataSet *TpgxDataBand::EffectiveDataSet() const
{
    return m_dataSet.get() ? m_dataSet.get() : m_virtualDataSet.get();
}

void TpgxDataBand::SelectColumn(int n)
{
    if (n > m_columns)
        n = 1;
    m_curColumn = n;
    SetLeft((n - 1) * (m_columnWidth + m_columnGap));
}
