#pragma once

#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QVariant>

#include <functional>

namespace pgx::data {

// The kinds of field a table reports. Data sources map them onto the three
// field types reports know (numeric, string, Boolean) and onto display
// widths; values travel as QVariant (qint64, double, bool, QString, QDate,
// QTime, QDateTime, QByteArray), a null QVariant for a null field.
enum class FieldType {
    Integer,
    LargeInt,
    Float,
    Decimal,
    Boolean,
    String,
    WideString,
    Memo,
    Date,
    Time,
    DateTime,
    Blob
};

struct FieldDef
{
    QString name;
    FieldType type = FieldType::WideString;
    // Characters for text fields (the longest value where the source does
    // not declare one), 0 for the others.
    int size = 0;
};

// A saved record position. Only the table that gave it can go back to it.
using Bookmark = qint64;
constexpr Bookmark kNoBookmark = -1;

// The small table interface the database data sources walk: what they need
// of a table of records and nothing more. Qt SQL queries, CSV files and the
// in-memory table of the tests implement it.
//
// open() returns false and leaves errorText() when the records cannot be
// read; every other call on a closed table is harmless (eof() is true,
// values are null). Field indexes are positions in fields().
class Table
{
public:
    using Hook = std::function<void()>;

    virtual ~Table() = default;

    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isActive() const = 0;
    // The driver's or the reader's message of the last failed open().
    virtual QString errorText() const = 0;

    virtual void first() = 0;
    virtual void next() = 0;
    virtual void prior() = 0;
    virtual bool eof() const = 0;
    virtual int recordCount() const = 0;

    virtual const QList<FieldDef> &fields() const = 0;
    // The field of that name without regard to case, -1 for none.
    int fieldIndex(const QString &name) const;
    // Null QVariant for a null field or an index outside fields().
    virtual QVariant value(int field) const = 0;
    bool isNull(int field) const { return value(field).isNull(); }
    // The value as a report shows it: numbers with "." and no grouping,
    // dates in ISO form, Booleans as True/False, null as "".
    QString displayText(int field) const;
    // Characters a column of this field needs.
    int displayWidth(int field) const;
    QByteArray blob(int field) const;

    virtual Bookmark bookmark() const = 0;
    // A bookmark of another table, or kNoBookmark, is ignored.
    virtual void gotoBookmark(Bookmark bookmark) = 0;

    // Called after a successful open() and before close() of an active
    // table. A data source that hooks them keeps the previous hook and calls
    // it too, and puts it back when it lets go of the table.
    const Hook &afterOpen() const { return m_afterOpen; }
    void setAfterOpen(Hook hook) { m_afterOpen = std::move(hook); }
    const Hook &beforeClose() const { return m_beforeClose; }
    void setBeforeClose(Hook hook) { m_beforeClose = std::move(hook); }

protected:
    void runAfterOpen() const
    {
        if (m_afterOpen)
            m_afterOpen();
    }
    void runBeforeClose() const
    {
        if (m_beforeClose)
            m_beforeClose();
    }

private:
    Hook m_afterOpen;
    Hook m_beforeClose;
};

// "integer", "decimal", "date", "text" ... as pgrtool and CSV column types
// name them.
QString fieldTypeName(FieldType type);
bool isTextType(FieldType type);

}   // namespace pgx::data
