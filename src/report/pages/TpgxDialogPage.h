#pragma once

#include "report/component/Units.h"
#include "report/pages/TpgxPage.h"

// A window the report shows before it runs, holding dialog controls. This
// class keeps the window's data (placement, border, caption, colour and the
// script procedures its events call); the window itself comes with the
// dialog controls and is placed from these values.
class TpgxDialogPage : public TpgxPage
{
    Q_OBJECT
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(double Height READ Height WRITE SetHeight)
    Q_PROPERTY(double Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
    Q_PROPERTY(double Top READ Top WRITE SetTop)
    Q_PROPERTY(double Width READ Width WRITE SetWidth)
    Q_PROPERTY(int WindowState READ WindowState WRITE SetWindowState)
    Q_PROPERTY(QString OnActivate READ OnActivate WRITE SetOnActivate)
    Q_PROPERTY(QString OnClick READ OnClick WRITE SetOnClick)
    Q_PROPERTY(QString OnCloseQuery READ OnCloseQuery WRITE SetOnCloseQuery)
    Q_PROPERTY(QString OnDeactivate READ OnDeactivate WRITE SetOnDeactivate)
    Q_PROPERTY(QString OnHide READ OnHide WRITE SetOnHide)
    Q_PROPERTY(QString OnKeyDown READ OnKeyDown WRITE SetOnKeyDown)
    Q_PROPERTY(QString OnKeyPress READ OnKeyPress WRITE SetOnKeyPress)
    Q_PROPERTY(QString OnKeyUp READ OnKeyUp WRITE SetOnKeyUp)
    Q_PROPERTY(QString OnShow READ OnShow WRITE SetOnShow)
    Q_PROPERTY(QString OnResize READ OnResize WRITE SetOnResize)
    Q_CLASSINFO("pgx:default:BorderStyle", "2")
    Q_CLASSINFO("pgx:type:BorderStyle", "TFormBorderStyle")
    Q_CLASSINFO("pgx:default:Color", "-16777201")
    Q_CLASSINFO("pgx:type:Color", "TColor")
    Q_CLASSINFO("pgx:default:Position", "4")
    Q_CLASSINFO("pgx:type:Position", "TPosition")
    Q_CLASSINFO("pgx:default:WindowState", "0")
    Q_CLASSINFO("pgx:type:WindowState", "TWindowState")

public:
    // Window codes of the platform the templates come from.
    static constexpr int bsSizeable = 2;
    static constexpr int poScreenCenter = 4;
    static constexpr int wsNormal = 0;
    // The platform's button-face colour.
    static constexpr TColor clBtnFace = -16777201;

    // Sizeable, centred on the screen, button-face colour, Tahoma 8 points.
    Q_INVOKABLE explicit TpgxDialogPage(QObject *owner = nullptr);

    int BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(int value) { m_borderStyle = value; }
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &value) { m_caption = value; }
    TColor Color() const { return m_color; }
    void SetColor(TColor value) { m_color = value; }
    int Position() const { return m_position; }
    void SetPosition(int value) { m_position = value; }
    int WindowState() const { return m_windowState; }
    void SetWindowState(int value) { m_windowState = value; }
    // The platform modal result of the last ShowModal.
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int value) { m_modalResult = value; }

    QString OnActivate() const { return m_onActivate; }
    void SetOnActivate(const QString &value) { m_onActivate = value; }
    QString OnClick() const { return m_onClick; }
    void SetOnClick(const QString &value) { m_onClick = value; }
    QString OnCloseQuery() const { return m_onCloseQuery; }
    void SetOnCloseQuery(const QString &value) { m_onCloseQuery = value; }
    QString OnDeactivate() const { return m_onDeactivate; }
    void SetOnDeactivate(const QString &value) { m_onDeactivate = value; }
    QString OnHide() const { return m_onHide; }
    void SetOnHide(const QString &value) { m_onHide = value; }
    QString OnKeyDown() const { return m_onKeyDown; }
    void SetOnKeyDown(const QString &value) { m_onKeyDown = value; }
    QString OnKeyPress() const { return m_onKeyPress; }
    void SetOnKeyPress(const QString &value) { m_onKeyPress = value; }
    QString OnKeyUp() const { return m_onKeyUp; }
    void SetOnKeyUp(const QString &value) { m_onKeyUp = value; }
    QString OnShow() const { return m_onShow; }
    void SetOnShow(const QString &value) { m_onShow = value; }
    QString OnResize() const { return m_onResize; }
    void SetOnResize(const QString &value) { m_onResize = value; }

    QString KindCaption() const override;

protected:
    bool PlacesChildrenOnOwnWindow() const override { return true; }

private:
    int m_borderStyle = bsSizeable;
    QString m_caption;
    TColor m_color = clBtnFace;
    int m_position = poScreenCenter;
    int m_windowState = wsNormal;
    int m_modalResult = 0;
    QString m_onActivate;
    QString m_onClick;
    QString m_onCloseQuery;
    QString m_onDeactivate;
    QString m_onHide;
    QString m_onKeyDown;
    QString m_onKeyPress;
    QString m_onKeyUp;
    QString m_onShow;
    QString m_onResize;
};
