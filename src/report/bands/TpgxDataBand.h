#pragma once

#include "report/bands/TpgxBand.h"

#include "report/data/TpgxDataSet.h"
#include "report/data/TpgxDataSetLink.h"

#include <QtCore/QPointer>
#include <memory>

class TpgxUserDataSet;

// A band printed once per record of its data source. Without DataSet it is
// printed RowCount times: the band owns a private user data source whose
// range ends after RowCount records. Columns, ColumnWidth and ColumnGap
// (report units) print the records side by side.
class TpgxDataBand : public TpgxBand
{
    Q_OBJECT
    Q_PROPERTY(bool AllowSplit READ allowSplit WRITE setAllowSplit)
    Q_PROPERTY(TpgxChild *Child READ child WRITE setChild)
    Q_PROPERTY(double ColumnGap READ columnGap WRITE setColumnGap)
    Q_PROPERTY(double ColumnWidth READ columnWidth WRITE setColumnWidth)
    Q_PROPERTY(int Columns READ columns WRITE setColumns)
    Q_PROPERTY(TpgxDataSet *DataSet READ dataSet WRITE setDataSet)
    Q_PROPERTY(QString DataSetName READ dataSetName WRITE setDataSetName)
    Q_PROPERTY(bool FooterAfterEach READ footerAfterEach WRITE setFooterAfterEach)
    Q_PROPERTY(bool KeepChild READ keepChild WRITE setKeepChild)
    Q_PROPERTY(bool KeepFooter READ keepFooter WRITE setKeepFooter)
    Q_PROPERTY(bool KeepHeader READ keepHeader WRITE setKeepHeader)
    Q_PROPERTY(bool KeepTogether READ keepTogether WRITE setKeepTogether)
    Q_PROPERTY(QString OnMasterDetail READ onMasterDetail WRITE setOnMasterDetail)
    Q_PROPERTY(QString OutlineText READ outlineText WRITE setOutlineText)
    Q_PROPERTY(bool PrintChildIfInvisible READ printChildIfInvisible WRITE setPrintChildIfInvisible)
    Q_PROPERTY(bool PrintIfDetailEmpty READ printIfDetailEmpty WRITE setPrintIfDetailEmpty)
    Q_PROPERTY(int RowCount READ rowCount WRITE setRowCount)
    Q_PROPERTY(bool StartNewPage READ startNewPage WRITE setStartNewPage)
    Q_PROPERTY(bool Stretched READ stretched WRITE setStretched)
    Q_CLASSINFO("pgx:default:AllowSplit", "False")
    Q_CLASSINFO("pgx:default:Columns", "0")
    Q_CLASSINFO("pgx:default:FooterAfterEach", "False")
    Q_CLASSINFO("pgx:default:KeepChild", "False")
    Q_CLASSINFO("pgx:default:KeepFooter", "False")
    Q_CLASSINFO("pgx:default:KeepHeader", "False")
    Q_CLASSINFO("pgx:default:KeepTogether", "False")
    Q_CLASSINFO("pgx:default:PrintChildIfInvisible", "False")
    Q_CLASSINFO("pgx:default:PrintIfDetailEmpty", "False")
    Q_CLASSINFO("pgx:default:StartNewPage", "False")
    Q_CLASSINFO("pgx:default:Stretched", "False")

public:
    Q_INVOKABLE explicit TpgxDataBand(QObject *owner = nullptr);
    ~TpgxDataBand() override;

    double columnGap() const { return m_columnGap; }
    void setColumnGap(double value) { m_columnGap = value; }
    double columnWidth() const { return m_columnWidth; }
    void setColumnWidth(double value) { m_columnWidth = value; }
    int columns() const { return m_columns; }
    void setColumns(int value) { m_columns = value; }

    TpgxDataSet *dataSet() const { return m_dataSet.get(); }
    void setDataSet(TpgxDataSet *value);
    // The data source's UserName while it is set; empty once it is gone.
    QString dataSetName() const;
    void setDataSetName(const QString &value);

    bool footerAfterEach() const { return m_footerAfterEach; }
    void setFooterAfterEach(bool value) { m_footerAfterEach = value; }
    QString onMasterDetail() const { return m_onMasterDetail; }
    void setOnMasterDetail(const QString &value) { m_onMasterDetail = value; }
    bool printIfDetailEmpty() const { return m_printIfDetailEmpty; }
    void setPrintIfDetailEmpty(bool value) { m_printIfDetailEmpty = value; }

    // The record count of the private source (its RangeEndCount).
    int rowCount() const;
    void setRowCount(int value);
    // The private source, counting RowCount records. Owned by the band.
    TpgxUserDataSet *virtualDataSet() const { return m_virtualDataSet.get(); }
    // What the engine walks: DataSet when set, else the private source.
    TpgxDataSet *effectiveDataSet() const;

    // Places the band for page column n: a column beyond Columns is column
    // 1, Left becomes (n - 1) * (ColumnWidth + ColumnGap). Column 1 starts a
    // new row of columns (the engine resets its per-column state).
    void selectColumn(int n);
    int curColumn() const { return m_curColumn; }

private:
    double m_columnGap = 0;
    double m_columnWidth = 0;
    int m_columns = 0;
    TpgxDataSetLink m_dataSet;
    bool m_footerAfterEach = false;
    QString m_onMasterDetail;
    bool m_printIfDetailEmpty = false;
    std::unique_ptr<TpgxUserDataSet> m_virtualDataSet;
    int m_curColumn = 1;
};

// The data levels: master, detail, subdetail and levels 4 to 6. They differ
// from TpgxDataBand only by their level (and so their kind).
class TpgxMasterData : public TpgxDataBand
{
    Q_OBJECT
public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::MasterData;
    Q_INVOKABLE explicit TpgxMasterData(QObject *owner = nullptr) : TpgxDataBand(owner) { }
};

class TpgxDetailData : public TpgxDataBand
{
    Q_OBJECT
public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::DetailData;
    Q_INVOKABLE explicit TpgxDetailData(QObject *owner = nullptr) : TpgxDataBand(owner) { }
};

class TpgxSubdetailData : public TpgxDataBand
{
    Q_OBJECT
public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::SubdetailData;
    Q_INVOKABLE explicit TpgxSubdetailData(QObject *owner = nullptr) : TpgxDataBand(owner) { }
};

class TpgxDataBand4 : public TpgxDataBand
{
    Q_OBJECT
public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::DataBand4;
    Q_INVOKABLE explicit TpgxDataBand4(QObject *owner = nullptr) : TpgxDataBand(owner) { }
};

class TpgxDataBand5 : public TpgxDataBand
{
    Q_OBJECT
public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::DataBand5;
    Q_INVOKABLE explicit TpgxDataBand5(QObject *owner = nullptr) : TpgxDataBand(owner) { }
};

class TpgxDataBand6 : public TpgxDataBand
{
    Q_OBJECT
public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::DataBand6;
    Q_INVOKABLE explicit TpgxDataBand6(QObject *owner = nullptr) : TpgxDataBand(owner) { }
};
