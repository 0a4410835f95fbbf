#pragma once

#include "report/component/TpgxComponent.h"

#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <functional>

// A report's window on a table of records: the engine walks it with First,
// Next and Eof, and expressions read its fields by name. This base holds the
// range rules every data source shares; concrete sources add the records.
// (What pages and data bands need of it; the data-source layer adds the
// process-wide list, the database sources and the renaming rule of UserName.)
class TpgxDataSet : public TpgxDialogComponent
{
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TpgxRangeBegin RangeBegin READ RangeBegin WRITE SetRangeBegin)
    Q_PROPERTY(TpgxRangeEnd RangeEnd READ RangeEnd WRITE SetRangeEnd)
    Q_PROPERTY(int RangeEndCount READ RangeEndCount WRITE SetRangeEndCount)
    Q_PROPERTY(QString UserName READ UserName WRITE SetUserName)
    Q_CLASSINFO("pgx:default:Enabled", "True")
    Q_CLASSINFO("pgx:default:RangeBegin", "rbFirst")
    Q_CLASSINFO("pgx:default:RangeEnd", "reLast")
    Q_CLASSINFO("pgx:default:RangeEndCount", "0")

public:
    enum TpgxRangeBegin { rbFirst, rbCurrent };
    Q_ENUM(TpgxRangeBegin)
    enum TpgxRangeEnd { reLast, reCurrent, reCount };
    Q_ENUM(TpgxRangeEnd)

    Q_INVOKABLE explicit TpgxDataSet(QObject *owner = nullptr);
    // Announces Destroying before anything of the source is torn down.
    ~TpgxDataSet() override;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    TpgxRangeBegin RangeBegin() const { return m_rangeBegin; }
    void SetRangeBegin(TpgxRangeBegin value) { m_rangeBegin = value; }
    TpgxRangeEnd RangeEnd() const { return m_rangeEnd; }
    void SetRangeEnd(TpgxRangeEnd value) { m_rangeEnd = value; }
    int RangeEndCount() const { return m_rangeEndCount; }
    void SetRangeEndCount(int value) { m_rangeEndCount = value; }
    QString UserName() const { return m_userName; }
    // A name that is empty after trimming raises "Invalid property value".
    virtual void SetUserName(const QString &value);
    // How pages and bands name this source in DataSetName: UserName, or the
    // component name while UserName is empty.
    QString ReferenceName() const { return m_userName.isEmpty() ? Name() : m_userName; }

    // --- navigation --------------------------------------------------------
    int RecNo() const { return m_recNo; }
    virtual void Initialize() { }
    virtual void Finalize() { }
    virtual void Open() { }
    virtual void Close() { }
    virtual void First();
    virtual void Next();
    virtual void Prior();
    // With RangeEnd = reCount: after RangeEndCount records. Otherwise the
    // source itself decides (the base never ends).
    virtual bool Eof() const;
    // RangeEndCount for a counted range from the first record, else 0.
    virtual int RecordCount() const;

    virtual QStringList GetFieldList() const { return {}; }
    virtual int FieldsCount() const { return 0; }
    virtual QVariant GetValue(const QString &field) const { return QVariant(); }
    virtual QString GetDisplayText(const QString &field) const { return QString(); }
    virtual int GetDisplayWidth(const QString &field) const { return 10; }
    bool HasField(const QString &name) const { return GetFieldList().contains(name); }

signals:
    // Emitted first thing in the destructor: holders drop their links.
    void Destroying();

private:
    bool m_enabled = true;
    TpgxRangeBegin m_rangeBegin = rbFirst;
    TpgxRangeEnd m_rangeEnd = reLast;
    int m_rangeEndCount = 0;
    QString m_userName;
    int m_recNo = 0;
    bool m_eof = false;
};

// A data source whose records come from its host: Fields names the fields
// and a callback answers their values. Data bands use a private one to be
// printed RowCount times.
class TpgxUserDataSet : public TpgxDataSet
{
    Q_OBJECT
    Q_PROPERTY(QStringList Fields READ Fields WRITE SetFields)

public:
    using GetValueHandler = std::function<void(const QString &field, QVariant &value)>;

    Q_INVOKABLE explicit TpgxUserDataSet(QObject *owner = nullptr);

    QStringList Fields() const { return m_fields; }
    void SetFields(const QStringList &value) { m_fields = value; }
    void SetOnGetValue(GetValueHandler handler) { m_onGetValue = std::move(handler); }

    QStringList GetFieldList() const override { return m_fields; }
    int FieldsCount() const override { return m_fields.size(); }
    QVariant GetValue(const QString &field) const override;
    QString GetDisplayText(const QString &field) const override
    {
        return GetValue(field).toString();
    }

private:
    QStringList m_fields;
    GetValueHandler m_onGetValue;
};
