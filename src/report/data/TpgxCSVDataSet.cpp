#include "report/data/TpgxCSVDataSet.h"

#include "report/data/CsvTable.h"
#include "report/data/DataPaths.h"

TpgxCSVDataSet::TpgxCSVDataSet(QObject *owner) : TpgxDBDataSet(owner)
{
    auto table = std::make_unique<pgx::data::CsvTable>();
    m_csvTable = table.get();
    adoptTable(std::move(table));
}

// Each change applies from the next open.
void TpgxCSVDataSet::setFileName(const QString &value)
{
    close();
    m_fileName = value;
}

void TpgxCSVDataSet::setSeparator(const QString &value)
{
    close();
    m_separator = value;
}

void TpgxCSVDataSet::setColumnTypes(const QStringList &value)
{
    close();
    m_columnTypes = value;
}

bool TpgxCSVDataSet::prepareTable(QString &error)
{
    if (m_fileName.isEmpty()) {
        error = QStringLiteral("no CSV file is named");
        return false;
    }
    QChar separator;
    if (m_separator.compare(QLatin1String("tab"), Qt::CaseInsensitive) == 0
        || m_separator == QLatin1String("\\t"))
        separator = u'\t';
    else if (m_separator.size() == 1)
        separator = m_separator[0];
    else if (!m_separator.isEmpty()) {
        error = QStringLiteral("the separator \"%1\" is not one character").arg(m_separator);
        return false;
    }
    QHash<QString, pgx::data::FieldType> types;
    for (const QString &line : m_columnTypes) {
        if (line.trimmed().isEmpty())
            continue;
        const qsizetype eq = line.lastIndexOf(QLatin1Char('='));
        const std::optional<pgx::data::FieldType> type
            = pgx::data::csvTypeFromName(line.mid(eq + 1));
        if (eq < 0 || !type) {
            error = QStringLiteral("the column type \"%1\" is not integer, decimal, date or text")
                        .arg(line);
            return false;
        }
        types.insert(line.left(eq).trimmed().toCaseFolded(), *type);
    }
    m_csvTable->setPath(pgx::data::resolveDataPath(this, m_fileName));
    m_csvTable->setSeparator(separator);
    m_csvTable->setColumnTypes(std::move(types));
    return true;
}
