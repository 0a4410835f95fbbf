#pragma once

#include "report/data/TpgxDBDataSet.h"

namespace pgx::data {
class CsvTable;
}

// A CSV file as a data source: FileName relative to the template's folder
// or absolute; Separator "," ";" or a tab (empty: detected from the header
// line); ColumnTypes "column=type" lines (integer, decimal, date, text) for
// columns whose type the data would not show (detected otherwise).
class TpgxCSVDataSet : public TpgxDBDataSet
{
    Q_OBJECT
    Q_PROPERTY(QString FileName READ fileName WRITE setFileName)
    Q_PROPERTY(QString Separator READ separator WRITE setSeparator)
    Q_PROPERTY(QStringList ColumnTypes READ columnTypes WRITE setColumnTypes)

public:
    Q_INVOKABLE explicit TpgxCSVDataSet(QObject *owner = nullptr);

    QString fileName() const { return m_fileName; }
    void setFileName(const QString &value);
    QString separator() const { return m_separator; }
    void setSeparator(const QString &value);
    QStringList columnTypes() const { return m_columnTypes; }
    void setColumnTypes(const QStringList &value);

protected:
    bool prepareTable(QString &error) override;

private:
    QString m_fileName;
    QString m_separator;
    QStringList m_columnTypes;
    pgx::data::CsvTable *m_csvTable;
};
