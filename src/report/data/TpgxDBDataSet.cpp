#include "report/data/TpgxDBDataSet.h"

#include "platform/Error.h"
#include "report/data/DataSetList.h"
#include "report/resources/TpgxResources.h"
#include "report/root/TpgxReport.h"

using pgx::data::FieldType;
using pgx::data::kNoBookmark;

namespace {

// "field=alias" -> (field, alias); a line without "=" names a field that
// keeps its own name.
std::pair<QString, QString> splitAliasLine(const QString &line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return {line, line};
    return {line.left(eq), line.mid(eq + 1)};
}

QString quotedField(const QString &userName, const QString &field)
{
    return userName + QStringLiteral(".\"") + field + QLatin1Char('"');
}

}   // namespace

// --- TpgxCustomDBDataSet -----------------------------------------------------

TpgxCustomDBDataSet::TpgxCustomDBDataSet(QObject *owner) : TpgxDataSet(owner) { }

QString TpgxCustomDBDataSet::fieldNameOf(const QString &alias) const
{
    for (const QString &line : m_fieldAliases) {
        const auto [field, lineAlias] = splitAliasLine(line);
        if (lineAlias.compare(alias, Qt::CaseInsensitive) == 0)
            return field.startsWith(QLatin1Char('-')) ? field.mid(1) : field;
    }
    return alias;
}

QString TpgxCustomDBDataSet::aliasOf(const QString &fieldName) const
{
    for (const QString &line : m_fieldAliases) {
        auto [field, alias] = splitAliasLine(line);
        if (field.startsWith(QLatin1Char('-')))
            field.remove(0, 1);
        if (field.compare(fieldName, Qt::CaseInsensitive) == 0)
            return alias;
    }
    return fieldName;
}

QStringList TpgxCustomDBDataSet::visibleAliases() const
{
    QStringList aliases;
    for (const QString &line : m_fieldAliases) {
        const auto [field, alias] = splitAliasLine(line);
        if (!field.startsWith(QLatin1Char('-')) && !line.trimmed().isEmpty())
            aliases.append(alias);
    }
    return aliases;
}

// --- TpgxDBDataSet -------------------------------------------------------------

TpgxDBDataSet::TpgxDBDataSet(QObject *owner) : TpgxCustomDBDataSet(owner) { }

TpgxDBDataSet::~TpgxDBDataSet()
{
    // A host's table outlives this source: it must not call back into it.
    unhookTable();
}

void TpgxDBDataSet::setTable(pgx::data::Table *table)
{
    if (table == m_table)
        return;
    unhookTable();
    m_table = table;
    m_ownTable.reset();
    m_opened = false;
    m_openFailed = false;
    m_fieldCache.clear();
    m_savedBookmark = kNoBookmark;
}

void TpgxDBDataSet::adoptTable(std::unique_ptr<pgx::data::Table> table)
{
    setTable(table.get());
    m_ownTable = std::move(table);
}

void TpgxDBDataSet::reportError(const QString &message) const
{
    m_errorText = name() + QStringLiteral(": ") + message;
    if (TpgxReport *report = this->report())
        report->addError(m_errorText);
}

void TpgxDBDataSet::hookTable()
{
    if (m_hooked || !m_table)
        return;
    m_previousAfterOpen = m_table->afterOpen();
    m_previousBeforeClose = m_table->beforeClose();
    m_table->setAfterOpen([this, previous = m_previousAfterOpen] {
        if (previous)
            previous();
        rebuildFieldCache();
    });
    m_table->setBeforeClose([this, previous = m_previousBeforeClose] {
        if (previous)
            previous();
        m_savedBookmark = kNoBookmark;
    });
    m_hooked = true;
}

void TpgxDBDataSet::unhookTable()
{
    if (!m_hooked)
        return;
    m_table->setAfterOpen(std::move(m_previousAfterOpen));
    m_table->setBeforeClose(std::move(m_previousBeforeClose));
    m_previousAfterOpen = nullptr;
    m_previousBeforeClose = nullptr;
    m_hooked = false;
}

void TpgxDBDataSet::initialize()
{
    if (!m_table)
        throw pgx::Error(
            pgxResources().get(QStringLiteral("dbNotConn")).replace(QLatin1String("%s"), name()));
    hookTable();
}

void TpgxDBDataSet::finalize()
{
    if (m_table && m_savedBookmark != kNoBookmark)
        m_table->gotoBookmark(m_savedBookmark);
    m_savedBookmark = kNoBookmark;
    if (m_table && closeDataSource()) {
        m_table->close();
        m_opened = false;
    }
    unhookTable();
}

bool TpgxDBDataSet::ensureOpen()
{
    if (!m_opened)
        open();
    return m_opened;
}

void TpgxDBDataSet::open()
{
    if (m_opened || m_openFailed)
        return;
    if (!m_table) {
        m_openFailed = true;
        reportError(
            pgxResources().get(QStringLiteral("dbNotConn")).replace(QLatin1String("%s"), name()));
        return;
    }
    if (!m_table->isActive()) {
        QString error;
        if (!openDataSource())
            error = QStringLiteral("the table is not open and OpenDataSource is off");
        else if (prepareTable(error) && !m_table->open())
            error = m_table->errorText();
        if (!error.isEmpty()) {
            m_openFailed = true;
            reportError(error);
            return;
        }
    }
    m_errorText.clear();
    // The hook does this too, but the table may have been opened by its
    // host before this source hooked it.
    rebuildFieldCache();
    if (rangeBegin() == rbCurrent || rangeEnd() == reCurrent)
        m_savedBookmark = m_table->bookmark();
    m_opened = true;
    TpgxDataSet::open();
}

void TpgxDBDataSet::close()
{
    TpgxDataSet::close();
    m_savedBookmark = kNoBookmark;
    m_opened = false;
    m_openFailed = false;
    m_currentEnd = false;
    if (m_table)
        m_table->close();
}

void TpgxDBDataSet::first()
{
    m_currentEnd = false;
    if (ensureOpen()) {
        if (rangeBegin() == rbCurrent && m_savedBookmark != kNoBookmark)
            m_table->gotoBookmark(m_savedBookmark);
        else
            m_table->first();
    }
    TpgxDataSet::first();
}

void TpgxDBDataSet::next()
{
    if (!ensureOpen())
        return;
    // The record current at open is the last of the range: the end comes on
    // it, without moving. Records before it are walked as usual, so a range
    // from the first record reaches it (rather than stopping at once).
    if (rangeEnd() == reCurrent && m_table->bookmark() == m_savedBookmark) {
        m_currentEnd = true;
        return;
    }
    m_table->next();
    TpgxDataSet::next();
}

void TpgxDBDataSet::prior()
{
    if (m_opened)
        m_table->prior();
    TpgxDataSet::prior();
}

bool TpgxDBDataSet::eof() const
{
    return TpgxDataSet::eof() || !m_opened || m_table->eof() || m_currentEnd;
}

int TpgxDBDataSet::recordCount() const
{
    return m_table ? m_table->recordCount() : 0;
}

QStringList TpgxDBDataSet::getFieldList() const
{
    if (!fieldAliases().isEmpty())
        return visibleAliases();
    QStringList names;
    if (m_table)
        for (const pgx::data::FieldDef &def : m_table->fields())
            names.append(def.name);
    return names;
}

void TpgxDBDataSet::rebuildFieldCache()
{
    m_fieldCache.clear();
    if (!m_table)
        return;
    for (const QString &name : getFieldList())
        if (const int field = m_table->fieldIndex(fieldNameOf(name)); field >= 0)
            m_fieldCache.insert(name.toCaseFolded(), field);
}

int TpgxDBDataSet::fieldOfName(const QString &name) const
{
    return m_table ? m_table->fieldIndex(fieldNameOf(name)) : -1;
}

int TpgxDBDataSet::cachedField(const QString &name) const
{
    if (m_fieldCache.isEmpty())
        return -1;
    return m_fieldCache.value(name.toCaseFolded(), -1);
}

QString TpgxDBDataSet::notFoundText(const QString &field) const
{
    return pgxResources().get(QStringLiteral("dbFldNotFound")) + QLatin1Char(' ')
        + quotedField(userName(), field);
}

void TpgxDBDataSet::reportNotFound(const QString &field) const
{
    QString object = pgx::data::processingObjectName();
    if (object.isEmpty())
        object = name();
    m_errorText = object + QStringLiteral(": ") + notFoundText(field);
    if (TpgxReport *report = this->report())
        report->addError(m_errorText);
}

QVariant TpgxDBDataSet::getValue(const QString &field) const
{
    const int index = cachedField(field);
    if (index < 0) {
        reportNotFound(field);
        return QVariant();
    }
    return m_table->value(index);
}

QString TpgxDBDataSet::getDisplayText(const QString &field) const
{
    if (!m_table || !m_table->isActive())
        return quotedField(userName(), field);
    int index = cachedField(field);
    // An empty cache (nothing visible) still shows a field the table has.
    if (index < 0 && m_fieldCache.isEmpty())
        index = fieldOfName(field);
    if (index < 0) {
        reportNotFound(field);
        return notFoundText(field);
    }
    return m_table->displayText(index);
}

int TpgxDBDataSet::getDisplayWidth(const QString &field) const
{
    const int index = fieldOfName(field);
    return index >= 0 ? m_table->displayWidth(index) : 10;
}

TpgxDataSet::TpgxFieldType TpgxDBDataSet::getFieldType(const QString &field) const
{
    const int index = fieldOfName(field);
    if (index < 0)
        return fftNumeric;
    const FieldType type = m_table->fields()[index].type;
    if (pgx::data::isTextType(type))
        return fftString;
    return type == FieldType::Boolean ? fftBoolean : fftNumeric;
}

bool TpgxDBDataSet::isBlobField(const QString &field) const
{
    const int index = fieldOfName(field);
    if (index < 0)
        return false;
    const FieldType type = m_table->fields()[index].type;
    return type == FieldType::Blob || type == FieldType::Memo;
}

void TpgxDBDataSet::readBlobInto(const QString &field, QIODevice *target) const
{
    const int index = cachedField(field);
    if (!target || index < 0)
        return;
    target->write(m_table->blob(index));
    target->seek(0);
}
