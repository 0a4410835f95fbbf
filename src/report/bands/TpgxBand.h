#pragma once

#include "report/bands/BandKind.h"
#include "report/bands/BandRunState.h"
#include "report/component/TpgxComponent.h"

#include <QtCore/QPointer>

class TpgxChild;

// A horizontal (or vertical) strip of a report page whose class tells the
// engine when to print it; it holds the printable views.
//
// TpgxBand keeps every band option; each band class publishes the subset
// that applies to it (so a page footer has no Child and a title no
// KeepHeader), after the base's Font, Height, Left, Top, Width, ParentFont,
// Restrictions, Vertical, Visible and events.
class TpgxBand : public TpgxReportComponent
{
    Q_OBJECT
    Q_PROPERTY(TpgxFont *Font READ font WRITE setFont)
    Q_PROPERTY(double Height READ height WRITE setHeight)
    Q_PROPERTY(double Left READ left WRITE setLeft)
    Q_PROPERTY(double Top READ top WRITE setTop)
    Q_PROPERTY(double Width READ width WRITE setWidth)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(TpgxComponent::TpgxRestrictions Restrictions READ restrictions WRITE setRestrictions)
    Q_PROPERTY(bool Vertical READ vertical WRITE setVertical)
    Q_PROPERTY(bool Visible READ visible WRITE setVisible)
    Q_PROPERTY(QString OnAfterCalcHeight READ onAfterCalcHeight WRITE setOnAfterCalcHeight)
    Q_PROPERTY(QString OnAfterPrint READ onAfterPrint WRITE setOnAfterPrint)
    Q_PROPERTY(QString OnBeforePrint READ onBeforePrint WRITE setOnBeforePrint)
    Q_CLASSINFO("pgx:stored:Font", "fontIsStored")
    Q_CLASSINFO("pgx:default:ParentFont", "True")
    Q_CLASSINFO("pgx:default:Restrictions", "")
    Q_CLASSINFO("pgx:default:Vertical", "False")
    Q_CLASSINFO("pgx:default:Visible", "True")

public:
    Q_INVOKABLE explicit TpgxBand(QObject *owner = nullptr);
    ~TpgxBand() override;

    // The class name without "Tpgx" and "Band": TpgxMasterData ->
    // "MasterData", TpgxDataBand4 -> "Data4".
    QString bandKindName() const;

    // On a page that uses the character grid (dot-matrix) Left is rounded to
    // whole character widths, Top and Height to whole character heights.
    void setLeft(double value) override;
    void setTop(double value) override;
    void setHeight(double value) override;
    // The number of the band's class in the band table (BandTable.h; 0 for
    // a class that is not in it); the designer and the engine index their
    // tables by it.
    int bandKindIndex() const;
    // The band table's class names by BandKindIndex, 0 to 17.
    static const QList<const char *> &bandClassNames();

    bool vertical() const { return m_vertical; }
    void setVertical(bool value) { m_vertical = value; }
    QString onAfterCalcHeight() const { return m_onAfterCalcHeight; }
    void setOnAfterCalcHeight(const QString &value) { m_onAfterCalcHeight = value; }
    QString onAfterPrint() const { return m_onAfterPrint; }
    void setOnAfterPrint(const QString &value) { m_onAfterPrint = value; }
    QString onBeforePrint() const { return m_onBeforePrint; }
    void setOnBeforePrint(const QString &value) { m_onBeforePrint = value; }

    // --- options the band classes publish ------------------------------------
    bool allowSplit() const { return m_allowSplit; }
    void setAllowSplit(bool value) { m_allowSplit = value; }
    // The band printed right after this one; none when it goes.
    TpgxChild *child() const;
    // Throws pgx::Error "Circular child reference is not allowed" when this
    // band is in the chain child, child.Child, ...; the old child stays.
    void setChild(TpgxChild *child);
    bool keepChild() const { return m_keepChild; }
    void setKeepChild(bool value) { m_keepChild = value; }
    bool printChildIfInvisible() const { return m_printChildIfInvisible; }
    void setPrintChildIfInvisible(bool value) { m_printChildIfInvisible = value; }
    bool startNewPage() const { return m_startNewPage; }
    void setStartNewPage(bool value) { m_startNewPage = value; }
    bool stretched() const { return m_stretched; }
    void setStretched(bool value) { m_stretched = value; }
    bool keepFooter() const { return m_keepFooter; }
    void setKeepFooter(bool value) { m_keepFooter = value; }
    bool keepHeader() const { return m_keepHeader; }
    void setKeepHeader(bool value) { m_keepHeader = value; }
    bool keepTogether() const { return m_keepTogether; }
    void setKeepTogether(bool value) { m_keepTogether = value; }
    bool reprintOnNewPage() const { return m_reprintOnNewPage; }
    void setReprintOnNewPage(bool value) { m_reprintOnNewPage = value; }
    QString outlineText() const { return m_outlineText; }
    void setOutlineText(const QString &value) { m_outlineText = value; }
    bool printOnFirstPage() const { return m_printOnFirstPage; }
    void setPrintOnFirstPage(bool value) { m_printOnFirstPage = value; }
    bool printOnLastPage() const { return m_printOnLastPage; }
    void setPrintOnLastPage(bool value) { m_printOnLastPage = value; }
    bool printOnTop() const { return m_printOnTop; }
    void setPrintOnTop(bool value) { m_printOnTop = value; }

    // "ob" and the class name without "Tpgx" ("obMasterData"), from the
    // resources.
    QString kindCaption() const override;

    // The engine's working state for the current run.
    pgx::BandRunState &runState() { return m_runState; }
    const pgx::BandRunState &runState() const { return m_runState; }

protected:
    bool keepsTopInDiff() const override { return true; }

private:
    friend class TpgxChild;
    pgx::BandRunState m_runState;
    // The value on the character grid of `cell` when the band lies on a
    // dot-matrix page, else as given.
    double onGrid(double value, double cell) const;

    bool m_vertical = false;
    QString m_onAfterCalcHeight;
    QString m_onAfterPrint;
    QString m_onBeforePrint;
    bool m_allowSplit = false;
    QPointer<TpgxChild> m_child;
    // The bands whose Child this band is: destroying it clears their links
    // before any of its own destructors run, so no band ever sees a child
    // that is half gone.
    QList<QPointer<TpgxBand>> m_parentBands;
    bool m_keepChild = false;
    bool m_printChildIfInvisible = false;
    bool m_startNewPage = false;
    bool m_stretched = false;
    bool m_keepFooter = false;
    bool m_keepHeader = false;
    bool m_keepTogether = false;
    bool m_reprintOnNewPage = false;
    QString m_outlineText;
    bool m_printOnFirstPage = true;
    bool m_printOnLastPage = true;
    bool m_printOnTop = false;
};

// A band printed right after the band whose Child it is.
class TpgxChild : public TpgxBand
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
    static constexpr pgx::BandKind kKind = pgx::BandKind::Child;
    Q_INVOKABLE explicit TpgxChild(QObject *owner = nullptr);
};
