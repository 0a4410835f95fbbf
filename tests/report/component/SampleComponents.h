#pragma once

// Test-only component classes standing in for the views, bands and dialog
// pages that later layers add: just enough to exercise alignment, naming,
// font inheritance, difference texts and references.
#include "report/pages/TpgxPage.h"

class TpgxSampleView : public TpgxReportComponent
{
    Q_OBJECT
    Q_PROPERTY(TpgxComponent::TpgxAlign Align READ align WRITE setAlign)
    Q_PROPERTY(double Left READ left WRITE setLeft)
    Q_PROPERTY(double Top READ top WRITE setTop)
    Q_PROPERTY(double Width READ width WRITE setWidth)
    Q_PROPERTY(double Height READ height WRITE setHeight)
    Q_PROPERTY(TpgxFont *Font READ font WRITE setFont)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(TpgxComponent::TpgxRestrictions Restrictions READ restrictions WRITE setRestrictions)
    Q_PROPERTY(TpgxComponent *Link READ link WRITE setLink)
    Q_CLASSINFO("pgx:default:Align", "baNone")
    Q_CLASSINFO("pgx:stored:Font", "fontIsStored")
    Q_CLASSINFO("pgx:default:ParentFont", "True")
    Q_CLASSINFO("pgx:default:Restrictions", "")

public:
    Q_INVOKABLE explicit TpgxSampleView(QObject *owner = nullptr) : TpgxReportComponent(owner) { }

    TpgxAlign align() const { return m_align; }
    void setAlign(TpgxAlign a) { m_align = a; }
    std::optional<TpgxAlign> arrangeAlign() const override { return m_align; }

    TpgxComponent *link() const { return m_link; }
    void setLink(TpgxComponent *c) { m_link = c; }

private:
    TpgxAlign m_align = baNone;
    QPointer<TpgxComponent> m_link;
};

class TpgxSampleBand : public TpgxReportComponent
{
    Q_OBJECT
    Q_PROPERTY(TpgxFont *Font READ font WRITE setFont)
    Q_PROPERTY(double Height READ height WRITE setHeight)
    Q_PROPERTY(double Left READ left WRITE setLeft)
    Q_PROPERTY(double Top READ top WRITE setTop)
    Q_PROPERTY(double Width READ width WRITE setWidth)
    Q_CLASSINFO("pgx:stored:Font", "fontIsStored")

public:
    Q_INVOKABLE explicit TpgxSampleBand(QObject *owner = nullptr) : TpgxReportComponent(owner) { }

protected:
    bool keepsTopInDiff() const override { return true; }
};

class TpgxSampleDialogPage : public TpgxPage
{
    Q_OBJECT

public:
    Q_INVOKABLE explicit TpgxSampleDialogPage(QObject *owner = nullptr) : TpgxPage(owner) { }

protected:
    bool placesChildrenOnOwnWindow() const override { return true; }
};

// A text object whose width follows its text.
class TpgxSampleMemoView : public TpgxSampleView
{
    Q_OBJECT

public:
    Q_INVOKABLE explicit TpgxSampleMemoView(QObject *owner = nullptr) : TpgxSampleView(owner) { }
    bool autoWidth = false;

protected:
    bool hasAutoWidth() const override { return autoWidth; }
    void initInDesigner(int flags) override { setBounds(0, 0, 94.5, 18.9); }
};
