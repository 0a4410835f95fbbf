#pragma once

#include "report/data/Table.h"
#include "report/data/TpgxDataSet.h"

#include <QtCore/QMap>

#include <memory>

// A data source over a table of records: the alias list and what it hides.
// FieldAliases holds "field=alias" lines; a line whose field name begins
// with "-" hides that field.
class TpgxCustomDBDataSet : public TpgxDataSet
{
    Q_OBJECT
    Q_PROPERTY(bool CloseDataSource READ closeDataSource WRITE setCloseDataSource)
    Q_PROPERTY(QStringList FieldAliases READ fieldAliases WRITE setFieldAliases)
    Q_PROPERTY(bool OpenDataSource READ openDataSource WRITE setOpenDataSource)
    Q_CLASSINFO("pgx:default:OpenDataSource", "True")

public:
    Q_INVOKABLE explicit TpgxCustomDBDataSet(QObject *owner = nullptr);

    // Close the table when the report finalises the source.
    bool closeDataSource() const { return m_closeDataSource; }
    void setCloseDataSource(bool value) { m_closeDataSource = value; }
    QStringList fieldAliases() const { return m_fieldAliases; }
    void setFieldAliases(const QStringList &value) { m_fieldAliases = value; }
    // Open the table on first use; when false the host opens it.
    bool openDataSource() const { return m_openDataSource; }
    void setOpenDataSource(bool value) { m_openDataSource = value; }

    // The field name of the first line whose alias is `alias` (without
    // regard to case); an unknown name comes back unchanged.
    QString fieldNameOf(const QString &alias) const;
    // The alias of the first line of `fieldName`; unknown comes back as is.
    QString aliasOf(const QString &fieldName) const;
    // The aliases of the lines not hidden, in order.
    QStringList visibleAliases() const;

private:
    bool m_closeDataSource = false;
    QStringList m_fieldAliases;
    bool m_openDataSource = true;
};

// A data source that reads a table (Table.h). The table is either the
// host's (setTable) or one the subclass makes for itself (adoptTable): SQL
// queries and tables, CSV files. Problems (no table, a table that cannot be
// opened, a field that does not exist) go to the report's error list and
// errorText(); the source is then empty, never a crash.
class TpgxDBDataSet : public TpgxCustomDBDataSet
{
    Q_OBJECT

public:
    Q_INVOKABLE explicit TpgxDBDataSet(QObject *owner = nullptr);
    ~TpgxDBDataSet() override;

    pgx::data::Table *table() const { return m_table; }
    // A table the host owns and keeps alive while this source uses it.
    void setTable(pgx::data::Table *table);
    // The last problem reported by this source, empty for none.
    QString errorText() const { return m_errorText; }

    // Throws pgx::Error "DataSet <Name> is not connected to data" without a
    // table; hooks the table's open and close notifications.
    void initialize() override;
    // Back to the saved record; closes the table with CloseDataSource; puts
    // the table's own hooks back.
    void finalize() override;
    void open() override;
    void close() override;
    void first() override;
    void next() override;
    void prior() override;
    bool eof() const override;
    int recordCount() const override;

    QStringList getFieldList() const override;
    int fieldsCount() const override { return int(getFieldList().size()); }
    QVariant getValue(const QString &field) const override;
    QString getDisplayText(const QString &field) const override;
    int getDisplayWidth(const QString &field) const override;
    TpgxFieldType getFieldType(const QString &field) const override;
    bool isBlobField(const QString &field) const override;
    void readBlobInto(const QString &field, QIODevice *target) const override;

    bool isOpen() const { return m_opened; }

protected:
    void adoptTable(std::unique_ptr<pgx::data::Table> table);
    // Sets the table up before it opens (file paths, statements, parameter
    // values, the connection); false with a message when it cannot be.
    virtual bool prepareTable(QString &error) { return true; }
    // "<Name>: <message>" to the report's error list and errorText().
    void reportError(const QString &message) const;
    // Opens the source when it is not open yet; false when it cannot be.
    bool ensureOpen();

private:
    void hookTable();
    void unhookTable();
    void rebuildFieldCache();
    // The table field of a name the report uses, -1 for none: through the
    // cache, or while the cache is empty through the field list.
    int cachedField(const QString &name) const;
    int fieldOfName(const QString &name) const;
    QString notFoundText(const QString &field) const;
    void reportNotFound(const QString &field) const;

    pgx::data::Table *m_table = nullptr;
    std::unique_ptr<pgx::data::Table> m_ownTable;
    pgx::data::Table::Hook m_previousAfterOpen;
    pgx::data::Table::Hook m_previousBeforeClose;
    bool m_hooked = false;
    bool m_opened = false;
    // An open that failed is not tried again until Close.
    bool m_openFailed = false;
    bool m_currentEnd = false;
    pgx::data::Bookmark m_savedBookmark = pgx::data::kNoBookmark;
    // Case-folded visible alias -> table field.
    QMap<QString, int> m_fieldCache;
    mutable QString m_errorText;
};
