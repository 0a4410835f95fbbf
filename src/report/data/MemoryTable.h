#pragma once

#include "report/data/Table.h"

namespace pgx::data {

// A table whose records are held in memory: the table of the tests, and the
// base of the CSV and SQL tables, which read all their records on open()
// through fetch(). Bookmarks are record numbers.
class MemoryTable : public Table
{
public:
    MemoryTable() = default;
    // A table with these records; open() shows them.
    MemoryTable(QList<FieldDef> fields, QList<QVariantList> rows);

    bool open() override;
    void close() override;
    bool isActive() const override { return m_active; }
    QString errorText() const override { return m_errorText; }

    void first() override { m_row = 0; }
    void next() override;
    void prior() override;
    bool eof() const override { return !m_active || m_row >= m_rows.size(); }
    int recordCount() const override { return m_active ? int(m_rows.size()) : 0; }

    const QList<FieldDef> &fields() const override { return m_fields; }
    QVariant value(int field) const override;

    Bookmark bookmark() const override { return m_active ? Bookmark(m_row) : kNoBookmark; }
    void gotoBookmark(Bookmark bookmark) override;

    int row() const { return m_row; }
    // How often open() has succeeded: lets tests see a reopen.
    int openCount() const { return m_openCount; }

protected:
    // Reads the records into `fields` and `rows` (empty on entry); false with
    // `error` set when they cannot be read. The base keeps the records given
    // to the constructor.
    virtual bool fetch(QList<FieldDef> &fields, QList<QVariantList> &rows, QString &error);

private:
    QList<FieldDef> m_initialFields;
    QList<QVariantList> m_initialRows;
    QList<FieldDef> m_fields;
    QList<QVariantList> m_rows;
    QString m_errorText;
    qsizetype m_row = 0;
    bool m_active = false;
    int m_openCount = 0;
};

}   // namespace pgx::data
