#include "report/data/MemoryTable.h"

namespace pgx::data {

MemoryTable::MemoryTable(QList<FieldDef> fields, QList<QVariantList> rows)
    : m_initialFields(std::move(fields)), m_initialRows(std::move(rows))
{ }

bool MemoryTable::open()
{
    if (m_active)
        return true;
    QList<FieldDef> fields;
    QList<QVariantList> rows;
    QString error;
    if (!fetch(fields, rows, error)) {
        m_errorText = error;
        return false;
    }
    m_errorText.clear();
    m_fields = std::move(fields);
    m_rows = std::move(rows);
    m_row = 0;
    m_active = true;
    ++m_openCount;
    runAfterOpen();
    return true;
}

void MemoryTable::close()
{
    if (!m_active)
        return;
    runBeforeClose();
    m_active = false;
    m_rows.clear();
    m_row = 0;
}

void MemoryTable::next()
{
    if (m_active && m_row < m_rows.size())
        ++m_row;
}

void MemoryTable::prior()
{
    if (m_active && m_row > 0)
        --m_row;
}

QVariant MemoryTable::value(int field) const
{
    if (eof() || field < 0)
        return QVariant();
    const QVariantList &record = m_rows[m_row];
    return field < record.size() ? record[field] : QVariant();
}

void MemoryTable::gotoBookmark(Bookmark bookmark)
{
    if (m_active && bookmark >= 0 && bookmark < m_rows.size())
        m_row = bookmark;
}

bool MemoryTable::fetch(QList<FieldDef> &fields, QList<QVariantList> &rows, QString &)
{
    fields = m_initialFields;
    rows = m_initialRows;
    return true;
}

}   // namespace pgx::data
