#pragma once

#include "report/component/TpgxComponent.h"

#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <functional>
#include <optional>

// A report's window on a table of records: the engine walks it with First,
// Next and Eof, and expressions read its fields by name. This base holds the
// range rules every data source shares; concrete sources add the records.
// Every data source is in the process-wide list (DataSetList.h) from its
// construction to its destruction. The host callbacks are never stored.
class TpgxDataSet : public TpgxDialogComponent
{
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ enabled WRITE setEnabled)
    Q_PROPERTY(TpgxRangeBegin RangeBegin READ rangeBegin WRITE setRangeBegin)
    Q_PROPERTY(TpgxRangeEnd RangeEnd READ rangeEnd WRITE setRangeEnd)
    Q_PROPERTY(int RangeEndCount READ rangeEndCount WRITE setRangeEndCount)
    Q_PROPERTY(QString UserName READ userName WRITE setUserName)
    Q_CLASSINFO("pgx:default:Enabled", "True")
    Q_CLASSINFO("pgx:default:RangeBegin", "rbFirst")
    Q_CLASSINFO("pgx:default:RangeEnd", "reLast")
    Q_CLASSINFO("pgx:default:RangeEndCount", "0")

public:
    using Handler = std::function<void()>;
    // Given the answer so far; may change it.
    using CheckEofHandler = std::function<void(bool &eof)>;

    enum TpgxRangeBegin { rbFirst, rbCurrent };
    Q_ENUM(TpgxRangeBegin)
    enum TpgxRangeEnd { reLast, reCurrent, reCount };
    Q_ENUM(TpgxRangeEnd)
    // The three kinds of field a report tells apart (sums, formats, display).
    enum TpgxFieldType { fftNumeric, fftString, fftBoolean };
    Q_ENUM(TpgxFieldType)

    Q_INVOKABLE explicit TpgxDataSet(QObject *owner = nullptr);
    // Leaves the process-wide list and announces Destroying before anything
    // of the source is torn down.
    ~TpgxDataSet() override;

    bool enabled() const { return m_enabled; }
    void setEnabled(bool value) { m_enabled = value; }
    TpgxRangeBegin rangeBegin() const { return m_rangeBegin; }
    void setRangeBegin(TpgxRangeBegin value) { m_rangeBegin = value; }
    TpgxRangeEnd rangeEnd() const { return m_rangeEnd; }
    void setRangeEnd(TpgxRangeEnd value) { m_rangeEnd = value; }
    int rangeEndCount() const { return m_rangeEndCount; }
    void setRangeEndCount(int value) { m_rangeEndCount = value; }
    QString userName() const { return m_userName; }
    // A name that is empty after trimming raises "Invalid property value".
    virtual void setUserName(const QString &value);
    // How pages and bands name this source in DataSetName: UserName, or the
    // component name while UserName is empty.
    QString referenceName() const { return m_userName.isEmpty() ? name() : m_userName; }

    // --- host callbacks ----------------------------------------------------
    void setOnOpen(Handler handler) { m_onOpen = std::move(handler); }
    void setOnClose(Handler handler) { m_onClose = std::move(handler); }
    void setOnFirst(Handler handler) { m_onFirst = std::move(handler); }
    void setOnNext(Handler handler) { m_onNext = std::move(handler); }
    void setOnPrior(Handler handler) { m_onPrior = std::move(handler); }
    void setOnCheckEof(CheckEofHandler handler) { m_onCheckEof = std::move(handler); }
    bool hasOnCheckEof() const { return bool(m_onCheckEof); }

    // --- navigation --------------------------------------------------------
    int recNo() const { return m_recNo; }
    virtual void initialize() { }
    virtual void finalize() { }
    // Call OnOpen and OnClose.
    virtual void open();
    virtual void close();
    virtual void first();
    virtual void next();
    virtual void prior();
    // With RangeEnd = reCount: after RangeEndCount records. Otherwise the
    // source itself decides (the base never ends). OnCheckEOF has the last
    // word.
    virtual bool eof() const;
    // RangeEndCount for a counted range from the first record, else 0.
    virtual int recordCount() const;

    virtual QStringList getFieldList() const { return {}; }
    virtual int fieldsCount() const { return 0; }
    virtual QVariant getValue(const QString &field) const { return QVariant(); }
    virtual QString getDisplayText(const QString &field) const { return QString(); }
    virtual int getDisplayWidth(const QString &field) const { return 10; }
    virtual TpgxFieldType getFieldType(const QString &field) const { return fftNumeric; }
    virtual bool isBlobField(const QString &field) const { return false; }
    // Writes a binary or memo field's contents into `target` and rewinds it.
    virtual void readBlobInto(const QString &field, QIODevice *target) const { }
    bool hasField(const QString &name) const { return getFieldList().contains(name); }

signals:
    // Emitted first thing in the destructor: holders drop their links.
    void destroying();

protected:
    // UserName follows a rename while it is empty or equal to the old name.
    void renamed(const QString &oldName) override;
    // The number of records after which Next stops (on the last of them)
    // and Eof holds; none for a source that ends by other means.
    virtual std::optional<int> recordLimit() const;

private:
    bool m_enabled = true;
    TpgxRangeBegin m_rangeBegin = rbFirst;
    TpgxRangeEnd m_rangeEnd = reLast;
    int m_rangeEndCount = 0;
    QString m_userName;
    int m_recNo = 0;
    bool m_eof = false;
    Handler m_onOpen, m_onClose, m_onFirst, m_onNext, m_onPrior;
    CheckEofHandler m_onCheckEof;
};

// A data source whose records come from its host: Fields names the fields
// and a callback answers their values. Data bands use a private one to be
// printed RowCount times.
class TpgxUserDataSet : public TpgxDataSet
{
    Q_OBJECT
    Q_PROPERTY(QStringList Fields READ fields WRITE setFields)

public:
    using GetValueHandler = std::function<void(const QString &field, QVariant &value)>;

    Q_INVOKABLE explicit TpgxUserDataSet(QObject *owner = nullptr);

    QStringList fields() const { return m_fields; }
    void setFields(const QStringList &value) { m_fields = value; }
    void setOnGetValue(GetValueHandler handler) { m_onGetValue = std::move(handler); }

    QStringList getFieldList() const override { return m_fields; }
    int fieldsCount() const override { return m_fields.size(); }
    QVariant getValue(const QString &field) const override;
    QString getDisplayText(const QString &field) const override
    {
        return getValue(field).toString();
    }

protected:
    // Without OnCheckEOF nothing could ever end a range other than a count,
    // so such a source has one record rather than running forever.
    std::optional<int> recordLimit() const override;

private:
    QStringList m_fields;
    GetValueHandler m_onGetValue;
};
