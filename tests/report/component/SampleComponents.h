#pragma once

// Test-only component classes standing in for the views, bands and dialog
// pages that later layers add: just enough to exercise alignment, naming,
// font inheritance, difference texts and references.
#include "report/pages/TpgxPage.h"

class TpgxSampleView : public TpgxReportComponent
{
    Q_OBJECT
    Q_PROPERTY(TpgxComponent::TpgxAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(double Left READ Left WRITE SetLeft)
    Q_PROPERTY(double Top READ Top WRITE SetTop)
    Q_PROPERTY(double Width READ Width WRITE SetWidth)
    Q_PROPERTY(double Height READ Height WRITE SetHeight)
    Q_PROPERTY(TpgxFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(TpgxComponent::TpgxRestrictions Restrictions READ Restrictions WRITE SetRestrictions)
    Q_PROPERTY(TpgxComponent *Link READ Link WRITE SetLink)
    Q_CLASSINFO("pgx:default:Align", "baNone")
    Q_CLASSINFO("pgx:stored:Font", "FontIsStored")
    Q_CLASSINFO("pgx:default:ParentFont", "True")
    Q_CLASSINFO("pgx:default:Restrictions", "")

public:
    Q_INVOKABLE explicit TpgxSampleView(QObject *owner = nullptr) : TpgxReportComponent(owner) { }

    TpgxAlign Align() const { return m_align; }
    void SetAlign(TpgxAlign a) { m_align = a; }
    std::optional<TpgxAlign> ArrangeAlign() const override { return m_align; }

    TpgxComponent *Link() const { return m_link; }
    void SetLink(TpgxComponent *c) { m_link = c; }

private:
    TpgxAlign m_align = baNone;
    QPointer<TpgxComponent> m_link;
};

class TpgxSampleBand : public TpgxReportComponent
{
    Q_OBJECT
    Q_PROPERTY(TpgxFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(double Height READ Height WRITE SetHeight)
    Q_PROPERTY(double Left READ Left WRITE SetLeft)
    Q_PROPERTY(double Top READ Top WRITE SetTop)
    Q_PROPERTY(double Width READ Width WRITE SetWidth)
    Q_CLASSINFO("pgx:stored:Font", "FontIsStored")

public:
    Q_INVOKABLE explicit TpgxSampleBand(QObject *owner = nullptr) : TpgxReportComponent(owner) { }

protected:
    bool KeepsTopInDiff() const override { return true; }
};

class TpgxSampleDialogPage : public TpgxPage
{
    Q_OBJECT

public:
    Q_INVOKABLE explicit TpgxSampleDialogPage(QObject *owner = nullptr) : TpgxPage(owner) { }

protected:
    bool PlacesChildrenOnOwnWindow() const override { return true; }
};

// A text object whose width follows its text.
class TpgxSampleMemoView : public TpgxSampleView
{
    Q_OBJECT

public:
    Q_INVOKABLE explicit TpgxSampleMemoView(QObject *owner = nullptr) : TpgxSampleView(owner) { }
    bool AutoWidth = false;

protected:
    bool HasAutoWidth() const override { return AutoWidth; }
    void InitInDesigner(int flags) override { SetBounds(0, 0, 94.5, 18.9); }
};
