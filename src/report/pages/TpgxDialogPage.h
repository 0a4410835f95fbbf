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
    Q_PROPERTY(int BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(int Color READ color WRITE setColor)
    Q_PROPERTY(double Height READ height WRITE setHeight)
    Q_PROPERTY(double Left READ left WRITE setLeft)
    Q_PROPERTY(int Position READ position WRITE setPosition)
    Q_PROPERTY(double Top READ top WRITE setTop)
    Q_PROPERTY(double Width READ width WRITE setWidth)
    Q_PROPERTY(int WindowState READ windowState WRITE setWindowState)
    Q_PROPERTY(QString OnActivate READ onActivate WRITE setOnActivate)
    Q_PROPERTY(QString OnClick READ onClick WRITE setOnClick)
    Q_PROPERTY(QString OnCloseQuery READ onCloseQuery WRITE setOnCloseQuery)
    Q_PROPERTY(QString OnDeactivate READ onDeactivate WRITE setOnDeactivate)
    Q_PROPERTY(QString OnHide READ onHide WRITE setOnHide)
    Q_PROPERTY(QString OnKeyDown READ onKeyDown WRITE setOnKeyDown)
    Q_PROPERTY(QString OnKeyPress READ onKeyPress WRITE setOnKeyPress)
    Q_PROPERTY(QString OnKeyUp READ onKeyUp WRITE setOnKeyUp)
    Q_PROPERTY(QString OnShow READ onShow WRITE setOnShow)
    Q_PROPERTY(QString OnResize READ onResize WRITE setOnResize)
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
    static constexpr int kBsSizeable = 2;
    static constexpr int kPoScreenCenter = 4;
    static constexpr int kWsNormal = 0;
    // The platform's button-face colour.
    static constexpr TColor kClBtnFace = -16777201;

    // Sizeable, centred on the screen, button-face colour, Tahoma 8 points.
    Q_INVOKABLE explicit TpgxDialogPage(QObject *owner = nullptr);

    int borderStyle() const { return m_borderStyle; }
    void setBorderStyle(int value) { m_borderStyle = value; }
    QString caption() const { return m_caption; }
    void setCaption(const QString &value) { m_caption = value; }
    TColor color() const { return m_color; }
    void setColor(TColor value) { m_color = value; }
    int position() const { return m_position; }
    void setPosition(int value) { m_position = value; }
    int windowState() const { return m_windowState; }
    void setWindowState(int value) { m_windowState = value; }
    // The platform modal result of the last ShowModal.
    int modalResult() const { return m_modalResult; }
    void setModalResult(int value) { m_modalResult = value; }

    QString onActivate() const { return m_onActivate; }
    void setOnActivate(const QString &value) { m_onActivate = value; }
    QString onClick() const { return m_onClick; }
    void setOnClick(const QString &value) { m_onClick = value; }
    QString onCloseQuery() const { return m_onCloseQuery; }
    void setOnCloseQuery(const QString &value) { m_onCloseQuery = value; }
    QString onDeactivate() const { return m_onDeactivate; }
    void setOnDeactivate(const QString &value) { m_onDeactivate = value; }
    QString onHide() const { return m_onHide; }
    void setOnHide(const QString &value) { m_onHide = value; }
    QString onKeyDown() const { return m_onKeyDown; }
    void setOnKeyDown(const QString &value) { m_onKeyDown = value; }
    QString onKeyPress() const { return m_onKeyPress; }
    void setOnKeyPress(const QString &value) { m_onKeyPress = value; }
    QString onKeyUp() const { return m_onKeyUp; }
    void setOnKeyUp(const QString &value) { m_onKeyUp = value; }
    QString onShow() const { return m_onShow; }
    void setOnShow(const QString &value) { m_onShow = value; }
    QString onResize() const { return m_onResize; }
    void setOnResize(const QString &value) { m_onResize = value; }

    QString kindCaption() const override;

protected:
    bool placesChildrenOnOwnWindow() const override { return true; }

private:
    int m_borderStyle = kBsSizeable;
    QString m_caption;
    TColor m_color = kClBtnFace;
    int m_position = kPoScreenCenter;
    int m_windowState = kWsNormal;
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
