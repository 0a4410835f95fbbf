#pragma once

#include "report/bands/TpgxBand.h"

// The band classes other than data bands, each publishing the options that
// apply to it, with its place in the band table (kKind, BandTable.h).

// The report title, printed once at the start.
class TpgxReportTitle : public TpgxBand
{
    Q_OBJECT
    Q_PROPERTY(bool AllowSplit READ allowSplit WRITE setAllowSplit)
    Q_PROPERTY(TpgxChild *Child READ child WRITE setChild)
    Q_PROPERTY(bool KeepChild READ keepChild WRITE setKeepChild)
    Q_PROPERTY(bool PrintChildIfInvisible READ printChildIfInvisible WRITE setPrintChildIfInvisible)
    Q_PROPERTY(bool StartNewPage READ startNewPage WRITE setStartNewPage)
    Q_PROPERTY(bool Stretched READ stretched WRITE setStretched)
    Q_CLASSINFO("pgx:default:AllowSplit", "False")
    Q_CLASSINFO("pgx:default:KeepChild", "False")
    Q_CLASSINFO("pgx:default:PrintChildIfInvisible", "False")
    Q_CLASSINFO("pgx:default:StartNewPage", "False")
    Q_CLASSINFO("pgx:default:Stretched", "False")

public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::ReportTitle;
    Q_INVOKABLE explicit TpgxReportTitle(QObject *owner = nullptr);
};

// The report summary, printed once at the end.
class TpgxReportSummary : public TpgxBand
{
    Q_OBJECT
    Q_PROPERTY(bool AllowSplit READ allowSplit WRITE setAllowSplit)
    Q_PROPERTY(TpgxChild *Child READ child WRITE setChild)
    Q_PROPERTY(bool KeepChild READ keepChild WRITE setKeepChild)
    Q_PROPERTY(bool PrintChildIfInvisible READ printChildIfInvisible WRITE setPrintChildIfInvisible)
    Q_PROPERTY(bool StartNewPage READ startNewPage WRITE setStartNewPage)
    Q_PROPERTY(bool Stretched READ stretched WRITE setStretched)
    Q_CLASSINFO("pgx:default:AllowSplit", "False")
    Q_CLASSINFO("pgx:default:KeepChild", "False")
    Q_CLASSINFO("pgx:default:PrintChildIfInvisible", "False")
    Q_CLASSINFO("pgx:default:StartNewPage", "False")
    Q_CLASSINFO("pgx:default:Stretched", "False")

public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::ReportSummary;
    Q_INVOKABLE explicit TpgxReportSummary(QObject *owner = nullptr);
};

// Printed at the top of every page.
class TpgxPageHeader : public TpgxBand
{
    Q_OBJECT
    Q_PROPERTY(TpgxChild *Child READ child WRITE setChild)
    Q_PROPERTY(bool PrintChildIfInvisible READ printChildIfInvisible WRITE setPrintChildIfInvisible)
    Q_PROPERTY(bool PrintOnFirstPage READ printOnFirstPage WRITE setPrintOnFirstPage)
    Q_PROPERTY(bool Stretched READ stretched WRITE setStretched)
    Q_CLASSINFO("pgx:default:PrintChildIfInvisible", "False")
    Q_CLASSINFO("pgx:default:PrintOnFirstPage", "True")
    Q_CLASSINFO("pgx:default:Stretched", "False")

public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::PageHeader;
    Q_INVOKABLE explicit TpgxPageHeader(QObject *owner = nullptr);
};

// Printed at the bottom of every page.
class TpgxPageFooter : public TpgxBand
{
    Q_OBJECT
    Q_PROPERTY(bool PrintOnFirstPage READ printOnFirstPage WRITE setPrintOnFirstPage)
    Q_PROPERTY(bool PrintOnLastPage READ printOnLastPage WRITE setPrintOnLastPage)
    Q_CLASSINFO("pgx:default:PrintOnFirstPage", "True")
    Q_CLASSINFO("pgx:default:PrintOnLastPage", "True")

public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::PageFooter;
    Q_INVOKABLE explicit TpgxPageFooter(QObject *owner = nullptr);
};

// Printed before the records of a data band.
class TpgxHeader : public TpgxBand
{
    Q_OBJECT
    Q_PROPERTY(bool AllowSplit READ allowSplit WRITE setAllowSplit)
    Q_PROPERTY(TpgxChild *Child READ child WRITE setChild)
    Q_PROPERTY(bool KeepChild READ keepChild WRITE setKeepChild)
    Q_PROPERTY(bool PrintChildIfInvisible READ printChildIfInvisible WRITE setPrintChildIfInvisible)
    Q_PROPERTY(bool ReprintOnNewPage READ reprintOnNewPage WRITE setReprintOnNewPage)
    Q_PROPERTY(bool StartNewPage READ startNewPage WRITE setStartNewPage)
    Q_PROPERTY(bool Stretched READ stretched WRITE setStretched)
    Q_CLASSINFO("pgx:default:AllowSplit", "False")
    Q_CLASSINFO("pgx:default:KeepChild", "False")
    Q_CLASSINFO("pgx:default:PrintChildIfInvisible", "False")
    Q_CLASSINFO("pgx:default:ReprintOnNewPage", "False")
    Q_CLASSINFO("pgx:default:StartNewPage", "False")
    Q_CLASSINFO("pgx:default:Stretched", "False")

public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::Header;
    Q_INVOKABLE explicit TpgxHeader(QObject *owner = nullptr);
};

// Printed after the records of a data band.
class TpgxFooter : public TpgxBand
{
    Q_OBJECT
    Q_PROPERTY(bool AllowSplit READ allowSplit WRITE setAllowSplit)
    Q_PROPERTY(TpgxChild *Child READ child WRITE setChild)
    Q_PROPERTY(bool KeepChild READ keepChild WRITE setKeepChild)
    Q_PROPERTY(bool PrintChildIfInvisible READ printChildIfInvisible WRITE setPrintChildIfInvisible)
    Q_PROPERTY(bool Stretched READ stretched WRITE setStretched)
    Q_CLASSINFO("pgx:default:AllowSplit", "False")
    Q_CLASSINFO("pgx:default:KeepChild", "False")
    Q_CLASSINFO("pgx:default:PrintChildIfInvisible", "False")
    Q_CLASSINFO("pgx:default:Stretched", "False")

public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::Footer;
    Q_INVOKABLE explicit TpgxFooter(QObject *owner = nullptr);
};

// Starts a group; the group breaks when Condition changes its value.
class TpgxGroupHeader : public TpgxBand
{
    Q_OBJECT
    Q_PROPERTY(bool AllowSplit READ allowSplit WRITE setAllowSplit)
    Q_PROPERTY(TpgxChild *Child READ child WRITE setChild)
    Q_PROPERTY(QString Condition READ condition WRITE setCondition)
    Q_PROPERTY(bool DrillDown READ drillDown WRITE setDrillDown)
    Q_PROPERTY(bool ExpandDrillDown READ expandDrillDown WRITE setExpandDrillDown)
    Q_PROPERTY(bool KeepChild READ keepChild WRITE setKeepChild)
    Q_PROPERTY(bool KeepTogether READ keepTogether WRITE setKeepTogether)
    Q_PROPERTY(QString OutlineText READ outlineText WRITE setOutlineText)
    Q_PROPERTY(bool PrintChildIfInvisible READ printChildIfInvisible WRITE setPrintChildIfInvisible)
    Q_PROPERTY(bool ReprintOnNewPage READ reprintOnNewPage WRITE setReprintOnNewPage)
    Q_PROPERTY(bool ResetPageNumbers READ resetPageNumbers WRITE setResetPageNumbers)
    Q_PROPERTY(bool ShowFooterIfDrillDown READ showFooterIfDrillDown WRITE setShowFooterIfDrillDown)
    Q_PROPERTY(bool StartNewPage READ startNewPage WRITE setStartNewPage)
    Q_PROPERTY(bool Stretched READ stretched WRITE setStretched)
    Q_CLASSINFO("pgx:default:AllowSplit", "False")
    Q_CLASSINFO("pgx:default:DrillDown", "False")
    Q_CLASSINFO("pgx:default:ExpandDrillDown", "False")
    Q_CLASSINFO("pgx:default:KeepChild", "False")
    Q_CLASSINFO("pgx:default:KeepTogether", "False")
    Q_CLASSINFO("pgx:default:PrintChildIfInvisible", "False")
    Q_CLASSINFO("pgx:default:ReprintOnNewPage", "False")
    Q_CLASSINFO("pgx:default:ResetPageNumbers", "False")
    Q_CLASSINFO("pgx:default:ShowFooterIfDrillDown", "False")
    Q_CLASSINFO("pgx:default:StartNewPage", "False")
    Q_CLASSINFO("pgx:default:Stretched", "False")

public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::GroupHeader;
    Q_INVOKABLE explicit TpgxGroupHeader(QObject *owner = nullptr);

    QString condition() const { return m_condition; }
    void setCondition(const QString &value) { m_condition = value; }
    bool drillDown() const { return m_drillDown; }
    void setDrillDown(bool value) { m_drillDown = value; }
    bool expandDrillDown() const { return m_expandDrillDown; }
    void setExpandDrillDown(bool value) { m_expandDrillDown = value; }
    bool resetPageNumbers() const { return m_resetPageNumbers; }
    void setResetPageNumbers(bool value) { m_resetPageNumbers = value; }
    bool showFooterIfDrillDown() const { return m_showFooterIfDrillDown; }
    void setShowFooterIfDrillDown(bool value) { m_showFooterIfDrillDown = value; }
    // The index of the group instance being printed, which prepared pages
    // keep so that a drill-down group can be expanded and collapsed.
    int drillIndex() const { return m_drillIndex; }
    void setDrillIndex(int value) { m_drillIndex = value; }

    // With DrillDown, the base text and ` Tag="<drill index>"`.
    QString diffAttrs(const TpgxComponent *other) const override;

private:
    QString m_condition;
    bool m_drillDown = false;
    bool m_expandDrillDown = false;
    bool m_resetPageNumbers = false;
    bool m_showFooterIfDrillDown = false;
    int m_drillIndex = 0;
};

// Ends a group.
class TpgxGroupFooter : public TpgxBand
{
    Q_OBJECT
    Q_PROPERTY(bool AllowSplit READ allowSplit WRITE setAllowSplit)
    Q_PROPERTY(TpgxChild *Child READ child WRITE setChild)
    Q_PROPERTY(
        bool HideIfSingleDataRecord READ hideIfSingleDataRecord WRITE setHideIfSingleDataRecord)
    Q_PROPERTY(bool KeepChild READ keepChild WRITE setKeepChild)
    Q_PROPERTY(bool PrintChildIfInvisible READ printChildIfInvisible WRITE setPrintChildIfInvisible)
    Q_PROPERTY(bool Stretched READ stretched WRITE setStretched)
    Q_CLASSINFO("pgx:default:AllowSplit", "False")
    Q_CLASSINFO("pgx:default:HideIfSingleDataRecord", "False")
    Q_CLASSINFO("pgx:default:KeepChild", "False")
    Q_CLASSINFO("pgx:default:PrintChildIfInvisible", "False")
    Q_CLASSINFO("pgx:default:Stretched", "False")

public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::GroupFooter;
    Q_INVOKABLE explicit TpgxGroupFooter(QObject *owner = nullptr);

    bool hideIfSingleDataRecord() const { return m_hideIfSingleDataRecord; }
    void setHideIfSingleDataRecord(bool value) { m_hideIfSingleDataRecord = value; }

private:
    bool m_hideIfSingleDataRecord = false;
};

// Printed at the top of every page column.
class TpgxColumnHeader : public TpgxBand
{
    Q_OBJECT
    Q_PROPERTY(TpgxChild *Child READ child WRITE setChild)
    Q_PROPERTY(bool Stretched READ stretched WRITE setStretched)
    Q_CLASSINFO("pgx:default:Stretched", "False")

public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::ColumnHeader;
    Q_INVOKABLE explicit TpgxColumnHeader(QObject *owner = nullptr);
};

// Printed at the bottom of every page column.
class TpgxColumnFooter : public TpgxBand
{
    Q_OBJECT

public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::ColumnFooter;
    Q_INVOKABLE explicit TpgxColumnFooter(QObject *owner = nullptr);
};

// Printed over (PrintOnTop) or under the contents of every page.
class TpgxOverlay : public TpgxBand
{
    Q_OBJECT
    Q_PROPERTY(bool PrintOnTop READ printOnTop WRITE setPrintOnTop)
    Q_CLASSINFO("pgx:default:PrintOnTop", "False")

public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::Overlay;
    Q_INVOKABLE explicit TpgxOverlay(QObject *owner = nullptr);
};

// A band of no kind (number 0): a container the engine prints on demand.
class TpgxNullBand : public TpgxBand
{
    Q_OBJECT

public:
    Q_INVOKABLE explicit TpgxNullBand(QObject *owner = nullptr);
};
