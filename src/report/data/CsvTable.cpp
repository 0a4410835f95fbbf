#include "report/data/CsvTable.h"

#include <QtCore/QDate>
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtCore/QStringDecoder>

namespace pgx::data {

namespace {

// Splits the text into lines of fields. A line break inside quotes belongs
// to the field; CR LF and a lone LF end a line. `lineNo` counts physical
// lines so that messages point at the line a person sees in an editor.
struct CsvScanner
{
    QStringView text;
    QChar separator;
    qsizetype pos = 0;
    int lineNo = 1;

    bool atEnd() const { return pos >= text.size(); }

    // One record; false with `error` for an unterminated quote.
    bool record(QStringList &fields, QString &error)
    {
        fields.clear();
        QString field;
        const int startLine = lineNo;
        for (;;) {
            if (atEnd()) {
                fields.append(field);
                return true;
            }
            const QChar c = text[pos];
            if (c == u'"' && field.isEmpty()) {
                ++pos;
                if (!quoted(field)) {
                    error = QStringLiteral("line %1: a quoted field is not closed").arg(startLine);
                    return false;
                }
                continue;
            }
            ++pos;
            if (c == separator) {
                fields.append(field);
                field.clear();
            } else if (c == u'\n' || (c == u'\r' && !atEnd() && text[pos] == u'\n')) {
                if (c == u'\r')
                    ++pos;
                ++lineNo;
                fields.append(field);
                return true;
            } else {
                field.append(c);
            }
        }
    }

    // The rest of a quoted field up to its closing quote; text after the
    // closing quote up to the separator is kept, as spreadsheets do.
    bool quoted(QString &field)
    {
        while (!atEnd()) {
            const QChar c = text[pos++];
            if (c == u'"') {
                if (!atEnd() && text[pos] == u'"') {
                    field.append(u'"');
                    ++pos;
                    continue;
                }
                return true;
            }
            if (c == u'\n')
                ++lineNo;
            field.append(c);
        }
        return false;
    }
};

const QRegularExpression &integerPattern()
{
    static const QRegularExpression kRe(QStringLiteral("^[+-]?[0-9]+$"));
    return kRe;
}

const QRegularExpression &decimalPattern()
{
    static const QRegularExpression kRe(QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
    return kRe;
}

const QRegularExpression &datePattern()
{
    static const QRegularExpression kRe(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
    return kRe;
}

}   // namespace

CsvRecords parseCsv(QStringView text, QChar separator)
{
    CsvRecords result;
    CsvScanner scanner{text, separator};
    QStringList fields;
    bool haveHeader = false;
    while (!scanner.atEnd()) {
        const int lineNo = scanner.lineNo;
        if (!scanner.record(fields, result.error))
            return result;
        if (fields.size() == 1 && fields[0].isEmpty())
            continue;   // an empty line
        if (!haveHeader) {
            result.header = fields;
            haveHeader = true;
            continue;
        }
        if (fields.size() > result.header.size()) {
            result.error = QStringLiteral("line %1 has %2 fields, the header %3")
                               .arg(lineNo)
                               .arg(fields.size())
                               .arg(result.header.size());
            return result;
        }
        while (fields.size() < result.header.size())
            fields.append(QString());
        result.rows.append(fields);
    }
    if (!haveHeader)
        result.error = QStringLiteral("the file has no header line");
    return result;
}

QChar detectCsvSeparator(QStringView headerLine)
{
    int counts[3] = {0, 0, 0};
    const QChar candidates[3] = {u',', u';', u'\t'};
    bool inQuotes = false;
    for (const QChar c : headerLine) {
        if (c == u'"')
            inQuotes = !inQuotes;
        else if (!inQuotes)
            for (int i = 0; i < 3; ++i)
                counts[i] += c == candidates[i];
    }
    int best = 0;
    for (int i = 1; i < 3; ++i)
        if (counts[i] > counts[best])
            best = i;
    return candidates[best];
}

std::optional<QVariant> csvValue(const QString &text, FieldType type)
{
    if (type == FieldType::WideString)
        return QVariant(text);
    if (text.isEmpty())
        return QVariant();
    switch (type) {
    case FieldType::Integer: {
        bool ok = false;
        const qint64 v = text.toLongLong(&ok);
        return ok && integerPattern().match(text).hasMatch() ? std::optional(QVariant(v))
                                                             : std::nullopt;
    }
    case FieldType::Decimal: {
        bool ok = false;
        const double v = text.toDouble(&ok);
        return ok && decimalPattern().match(text).hasMatch() ? std::optional(QVariant(v))
                                                             : std::nullopt;
    }
    case FieldType::Date: {
        const QDate d = QDate::fromString(text, Qt::ISODate);
        return d.isValid() && datePattern().match(text).hasMatch() ? std::optional(QVariant(d))
                                                                   : std::nullopt;
    }
    default: return std::nullopt;
    }
}

FieldType detectCsvType(const QList<QStringList> &rows, int column)
{
    // Each candidate drops out at the first value it cannot take.
    bool integer = true, decimal = true, date = true, any = false;
    for (const QStringList &row : rows) {
        const QString &text = row.at(column);
        if (text.isEmpty())
            continue;
        any = true;
        integer = integer && csvValue(text, FieldType::Integer);
        decimal = decimal && csvValue(text, FieldType::Decimal);
        date = date && csvValue(text, FieldType::Date);
        if (!integer && !decimal && !date)
            break;
    }
    if (!any)
        return FieldType::WideString;
    if (integer)
        return FieldType::Integer;
    if (decimal)
        return FieldType::Decimal;
    return date ? FieldType::Date : FieldType::WideString;
}

std::optional<FieldType> csvTypeFromName(const QString &name)
{
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("integer"))
        return FieldType::Integer;
    if (n == QLatin1String("decimal"))
        return FieldType::Decimal;
    if (n == QLatin1String("date"))
        return FieldType::Date;
    if (n == QLatin1String("text"))
        return FieldType::WideString;
    return std::nullopt;
}

bool CsvTable::fetch(QList<FieldDef> &fields, QList<QVariantList> &rows, QString &error)
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot open %1: %2").arg(m_path, file.errorString());
        return false;
    }
    if (file.size() > kMaxFileSize) {
        error = QStringLiteral("%1 is larger than %2 bytes").arg(m_path).arg(kMaxFileSize);
        return false;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    const QChar separator = m_separator.isNull()
        ? detectCsvSeparator(QStringView(text).left(text.indexOf(u'\n')))
        : m_separator;
    const CsvRecords records = parseCsv(text, separator);
    if (!records.error.isEmpty()) {
        error = QStringLiteral("%1: %2").arg(m_path, records.error);
        return false;
    }

    for (int c = 0; c < records.header.size(); ++c) {
        const QString name = records.header[c].trimmed();
        const auto forced = m_columnTypes.constFind(name.toCaseFolded());
        const FieldType type
            = forced != m_columnTypes.cend() ? *forced : detectCsvType(records.rows, c);
        int size = 0;
        if (type == FieldType::WideString)
            for (const QStringList &row : records.rows)
                size = std::max(size, int(row[c].size()));
        fields.append({name, type, size});
    }
    rows.reserve(records.rows.size());
    for (qsizetype r = 0; r < records.rows.size(); ++r) {
        QVariantList record;
        record.reserve(fields.size());
        for (int c = 0; c < fields.size(); ++c) {
            const QString &text = records.rows[r][c];
            const std::optional<QVariant> v = csvValue(text, fields[c].type);
            if (!v) {
                // Only a type set by the template can refuse a value.
                error = QStringLiteral("%1: record %2, column %3: \"%4\" is not %5")
                            .arg(m_path)
                            .arg(r + 1)
                            .arg(fields[c].name, text, fieldTypeName(fields[c].type));
                return false;
            }
            record.append(*v);
        }
        rows.append(record);
    }
    return true;
}

}   // namespace pgx::data
