#pragma once

#include <QtCore/QMetaObject>
#include <QtCore/QPointer>
#include <QtCore/QString>

class TpgxDataSet;

// The DataSet / DataSetName pair of pages and data bands. While a source is
// linked the name is its ReferenceName; a name alone (a source that lives
// outside the report, or one not yet resolved) is kept as text. When the
// linked source is destroyed both are cleared at the start of its
// destruction, so no holder ever reads a half-destroyed source or keeps its
// stale name.
class TpgxDataSetLink
{
public:
    TpgxDataSetLink() = default;
    ~TpgxDataSetLink();
    TpgxDataSetLink(const TpgxDataSetLink &) = delete;
    TpgxDataSetLink &operator=(const TpgxDataSetLink &) = delete;

    TpgxDataSet *get() const { return m_dataSet; }
    void set(TpgxDataSet *dataSet);
    QString name() const;
    // A name that differs from the linked source's drops the link.
    void setName(const QString &name);

private:
    QPointer<TpgxDataSet> m_dataSet;
    QString m_name;
    QMetaObject::Connection m_connection;
};
