#pragma once

#include "report/bands/BandKind.h"
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
    Q_PROPERTY(TpgxFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(double Height READ Height WRITE SetHeight)
    Q_PROPERTY(double Left READ Left WRITE SetLeft)
    Q_PROPERTY(double Top READ Top WRITE SetTop)
    Q_PROPERTY(double Width READ Width WRITE SetWidth)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(TpgxComponent::TpgxRestrictions Restrictions READ Restrictions WRITE SetRestrictions)
    Q_PROPERTY(bool Vertical READ Vertical WRITE SetVertical)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(QString OnAfterCalcHeight READ OnAfterCalcHeight WRITE SetOnAfterCalcHeight)
    Q_PROPERTY(QString OnAfterPrint READ OnAfterPrint WRITE SetOnAfterPrint)
    Q_PROPERTY(QString OnBeforePrint READ OnBeforePrint WRITE SetOnBeforePrint)
    Q_CLASSINFO("pgx:stored:Font", "FontIsStored")
    Q_CLASSINFO("pgx:default:ParentFont", "True")
    Q_CLASSINFO("pgx:default:Restrictions", "")
    Q_CLASSINFO("pgx:default:Vertical", "False")
    Q_CLASSINFO("pgx:default:Visible", "True")

public:
    Q_INVOKABLE explicit TpgxBand(QObject *owner = nullptr);
    ~TpgxBand() override;

    // The class name without "Tpgx" and "Band": TpgxMasterData ->
    // "MasterData", TpgxDataBand4 -> "Data4".
    QString BandKindName() const;

    // On a page that uses the character grid (dot-matrix) Left is rounded to
    // whole character widths, Top and Height to whole character heights.
    void SetLeft(double value) override;
    void SetTop(double value) override;
    void SetHeight(double value) override;
    // The number of the band's class in the band table (BandTable.h; 0 for
    // a class that is not in it); the designer and the engine index their
    // tables by it.
    int BandKindIndex() const;
    // The band table's class names by BandKindIndex, 0 to 17.
    static const QList<const char *> &BandClassNames();

    bool Vertical() const { return m_vertical; }
    void SetVertical(bool value) { m_vertical = value; }
    QString OnAfterCalcHeight() const { return m_onAfterCalcHeight; }
    void SetOnAfterCalcHeight(const QString &value) { m_onAfterCalcHeight = value; }
    QString OnAfterPrint() const { return m_onAfterPrint; }
    void SetOnAfterPrint(const QString &value) { m_onAfterPrint = value; }
    QString OnBeforePrint() const { return m_onBeforePrint; }
    void SetOnBeforePrint(const QString &value) { m_onBeforePrint = value; }

    // --- options the band classes publish ------------------------------------
    bool AllowSplit() const { return m_allowSplit; }
    void SetAllowSplit(bool value) { m_allowSplit = value; }
    // The band printed right after this one; none when it goes.
    TpgxChild *Child() const;
    // Throws pgx::Error "Circular child reference is not allowed" when this
    // band is in the chain child, child.Child, ...; the old child stays.
    void SetChild(TpgxChild *child);
    bool KeepChild() const { return m_keepChild; }
    void SetKeepChild(bool value) { m_keepChild = value; }
    bool PrintChildIfInvisible() const { return m_printChildIfInvisible; }
    void SetPrintChildIfInvisible(bool value) { m_printChildIfInvisible = value; }
    bool StartNewPage() const { return m_startNewPage; }
    void SetStartNewPage(bool value) { m_startNewPage = value; }
    bool Stretched() const { return m_stretched; }
    void SetStretched(bool value) { m_stretched = value; }
    bool KeepFooter() const { return m_keepFooter; }
    void SetKeepFooter(bool value) { m_keepFooter = value; }
    bool KeepHeader() const { return m_keepHeader; }
    void SetKeepHeader(bool value) { m_keepHeader = value; }
    bool KeepTogether() const { return m_keepTogether; }
    void SetKeepTogether(bool value) { m_keepTogether = value; }
    bool ReprintOnNewPage() const { return m_reprintOnNewPage; }
    void SetReprintOnNewPage(bool value) { m_reprintOnNewPage = value; }
    QString OutlineText() const { return m_outlineText; }
    void SetOutlineText(const QString &value) { m_outlineText = value; }
    bool PrintOnFirstPage() const { return m_printOnFirstPage; }
    void SetPrintOnFirstPage(bool value) { m_printOnFirstPage = value; }
    bool PrintOnLastPage() const { return m_printOnLastPage; }
    void SetPrintOnLastPage(bool value) { m_printOnLastPage = value; }
    bool PrintOnTop() const { return m_printOnTop; }
    void SetPrintOnTop(bool value) { m_printOnTop = value; }

    // "ob" and the class name without "Tpgx" ("obMasterData"), from the
    // resources.
    QString KindCaption() const override;

protected:
    bool KeepsTopInDiff() const override { return true; }

private:
    friend class TpgxChild;
    // The value on the character grid of `cell` when the band lies on a
    // dot-matrix page, else as given.
    double OnGrid(double value, double cell) const;

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
    Q_PROPERTY(bool AllowSplit READ AllowSplit WRITE SetAllowSplit)
    Q_PROPERTY(TpgxChild *Child READ Child WRITE SetChild)
    Q_PROPERTY(bool KeepChild READ KeepChild WRITE SetKeepChild)
    Q_PROPERTY(bool PrintChildIfInvisible READ PrintChildIfInvisible WRITE SetPrintChildIfInvisible)
    Q_PROPERTY(bool StartNewPage READ StartNewPage WRITE SetStartNewPage)
    Q_PROPERTY(bool Stretched READ Stretched WRITE SetStretched)
    Q_CLASSINFO("pgx:default:AllowSplit", "False")
    Q_CLASSINFO("pgx:default:KeepChild", "False")
    Q_CLASSINFO("pgx:default:PrintChildIfInvisible", "False")
    Q_CLASSINFO("pgx:default:StartNewPage", "False")
    Q_CLASSINFO("pgx:default:Stretched", "False")

public:
    static constexpr pgx::BandKind kKind = pgx::BandKind::Child;
    Q_INVOKABLE explicit TpgxChild(QObject *owner = nullptr);
};
