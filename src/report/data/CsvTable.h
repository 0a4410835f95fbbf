#pragma once

#include "report/data/MemoryTable.h"

#include <QtCore/QHash>
#include <QtCore/QStringList>

#include <optional>

namespace pgx::data {

// The records of a CSV text: the header line's names and the fields of
// every further line, or the reason the text is no CSV.
struct CsvRecords
{
    QStringList header;
    QList<QStringList> rows;
    QString error;   // empty when the text was read
};

// Reads CSV text: fields separated by `separator`, a field in double quotes
// may hold separators, line breaks and doubled quotes; lines end in LF or
// CR LF; the first line is the header. A line with fewer fields than the
// header is filled with empty fields, one with more is an error, and so is
// a quote that never closes. Empty lines are skipped.
CsvRecords parseCsv(QStringView text, QChar separator);

// The separator of a CSV text whose first line is `headerLine`: the one of
// comma, semicolon and tab that occurs most often outside quotes (comma when
// none does).
QChar detectCsvSeparator(QStringView headerLine);

// The narrowest of integer, decimal, ISO date (yyyy-MM-dd) and text that
// takes every non-empty value; text for a column without values.
FieldType detectCsvType(const QList<QStringList> &rows, int column);
// A field text as a value of `type`; nullopt when the text is not of that
// type. An empty text is null for every type but text.
std::optional<QVariant> csvValue(const QString &text, FieldType type);
// "integer", "decimal", "date", "text" to the type; nullopt for other names.
std::optional<FieldType> csvTypeFromName(const QString &name);

// A CSV file as a table. The file is read, UTF-8 with or without a byte
// order mark, when the table opens.
class CsvTable : public MemoryTable
{
public:
    // Files above this size are refused rather than read into memory.
    static constexpr qint64 kMaxFileSize = 256 * 1024 * 1024;

    explicit CsvTable(QString path = QString()) : m_path(std::move(path)) { }

    QString path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }
    // A null separator is detected from the header line.
    void setSeparator(QChar separator) { m_separator = separator; }
    // Column types by column name (without regard to case); the other
    // columns are detected from the data.
    void setColumnTypes(QHash<QString, FieldType> types) { m_columnTypes = std::move(types); }

protected:
    bool fetch(QList<FieldDef> &fields, QList<QVariantList> &rows, QString &error) override;

private:
    QString m_path;
    QChar m_separator;
    QHash<QString, FieldType> m_columnTypes;   // keys case-folded
};

}   // namespace pgx::data
