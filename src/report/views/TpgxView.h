#pragma once

#include "report/component/TpgxComponent.h"
#include "report/component/TpgxFrame.h"
#include "report/data/TpgxDataSet.h"
#include "report/data/TpgxDataSetLink.h"
#include "report/views/DeviceBox.h"

class QPainter;

// A printable object: text, picture, line, shape, subreport and the special
// objects of later layers. It keeps a frame, a fill, a data binding and two
// texts that may hold bracketed expressions (TagStr, URL), and draws itself
// on a painter at a scale and offset: draw runs prepareDrawing,
// fillBackground and strokeFrame, which subclasses extend.
//
// TpgxView publishes what every view shows; the held properties below the
// first block (BrushStyle ... URL) are published by each subclass that
// shows them, with their defaults and rules declared there.
class TpgxView : public TpgxReportComponent
{
    Q_OBJECT
    Q_PROPERTY(TpgxComponent::TpgxAlign Align READ align WRITE setAlign)
    Q_PROPERTY(bool Printable READ printable WRITE setPrintable)
    Q_PROPERTY(TpgxView::TpgxShiftMode ShiftMode READ shiftMode WRITE setShiftMode)
    Q_PROPERTY(double Left READ left WRITE setLeft)
    Q_PROPERTY(double Top READ top WRITE setTop)
    Q_PROPERTY(double Width READ width WRITE setWidth)
    Q_PROPERTY(double Height READ height WRITE setHeight)
    Q_PROPERTY(int GroupIndex READ groupIndex WRITE setGroupIndex)
    Q_PROPERTY(TpgxComponent::TpgxRestrictions Restrictions READ restrictions WRITE setRestrictions)
    Q_PROPERTY(bool Visible READ visible WRITE setVisible)
    Q_PROPERTY(QString OnAfterData READ onAfterData WRITE setOnAfterData)
    Q_PROPERTY(QString OnAfterPrint READ onAfterPrint WRITE setOnAfterPrint)
    Q_PROPERTY(QString OnBeforePrint READ onBeforePrint WRITE setOnBeforePrint)
    Q_PROPERTY(QString OnPreviewClick READ onPreviewClick WRITE setOnPreviewClick)
    Q_CLASSINFO("pgx:default:Align", "baNone")
    Q_CLASSINFO("pgx:default:Printable", "True")
    Q_CLASSINFO("pgx:default:ShiftMode", "smAlways")
    Q_CLASSINFO("pgx:default:GroupIndex", "0")
    Q_CLASSINFO("pgx:default:Restrictions", "")
    Q_CLASSINFO("pgx:default:Visible", "True")

public:
    enum TpgxBrushStyle {
        bsSolid,
        bsClear,
        bsHorizontal,
        bsVertical,
        bsFDiagonal,
        bsBDiagonal,
        bsCross,
        bsDiagCross
    };
    Q_ENUM(TpgxBrushStyle)
    enum TpgxShiftMode { smDontShift, smAlways, smWhenOverlapped };
    Q_ENUM(TpgxShiftMode)

    Q_INVOKABLE explicit TpgxView(QObject *owner = nullptr);

    TpgxAlign align() const { return m_align; }
    void setAlign(TpgxAlign value) { m_align = value; }
    bool printable() const { return m_printable; }
    void setPrintable(bool value) { m_printable = value; }
    TpgxShiftMode shiftMode() const { return m_shiftMode; }
    void setShiftMode(TpgxShiftMode value) { m_shiftMode = value; }
    QString onAfterData() const { return m_onAfterData; }
    void setOnAfterData(const QString &value) { m_onAfterData = value; }
    QString onAfterPrint() const { return m_onAfterPrint; }
    void setOnAfterPrint(const QString &value) { m_onAfterPrint = value; }
    QString onBeforePrint() const { return m_onBeforePrint; }
    void setOnBeforePrint(const QString &value) { m_onBeforePrint = value; }
    QString onPreviewClick() const { return m_onPreviewClick; }
    void setOnPreviewClick(const QString &value) { m_onPreviewClick = value; }

    // --- held, published by the subclasses --------------------------------
    TpgxBrushStyle brushStyle() const { return m_brushStyle; }
    void setBrushStyle(TpgxBrushStyle value) { m_brushStyle = value; }
    TColor color() const { return m_color; }
    virtual void setColor(TColor value) { m_color = value; }
    int cursor() const { return m_cursor; }
    void setCursor(int value) { m_cursor = value; }
    TpgxDataSet *dataSet() const { return m_dataSet.get(); }
    void setDataSet(TpgxDataSet *value) { m_dataSet.set(value); }
    QString dataSetName() const { return m_dataSet.name(); }
    void setDataSetName(const QString &value);
    QString dataField() const { return m_dataField; }
    void setDataField(const QString &value) { m_dataField = value; }
    TpgxFrame *frame() const { return const_cast<TpgxFrame *>(&m_frame); }
    QString tagStr() const { return m_tagStr; }
    void setTagStr(const QString &value) { m_tagStr = value; }
    QString url() const { return m_url; }
    void setUrl(const QString &value) { m_url = value; }

    // "ob" and the class name without "Tpgx" ("obMemoView"), from the
    // resources.
    QString kindCaption() const override;

    // A data source is set and DataField is not empty.
    bool isBound() const;

    // --- drawing ------------------------------------------------------------
    // prepareDrawing, fillBackground, strokeFrame; subclasses add their
    // contents between the last two. Drawing never changes the model.
    void draw(QPainter *canvas, double scaleX, double scaleY, double offsetX,
              double offsetY) override;
    // The device box of the last prepareDrawing.
    const pgx::views::DeviceBox &deviceBox() const { return m_box; }

    // --- print cycle ----------------------------------------------------------
    void beforePrint() override;
    void afterPrint() override;
    void fetchData() override;

    // After the component's differences: BrushStyle, Align, Color, the frame,
    // Cursor, Printable, TagStr, URL.
    QString diffAttrs(const TpgxComponent *other) const override;

    std::optional<TpgxAlign> arrangeAlign() const override { return m_align; }

protected:
    // Computes the device box and the frame width in pixels.
    virtual void prepareDrawing(QPainter *canvas, double scaleX, double scaleY, double offsetX,
                                double offsetY);
    // The fill in fillColor(), then the hatch of BrushStyle in the frame's
    // colour.
    virtual void fillBackground();
    // Color, unless the view's state asks for another.
    virtual TColor fillColor() const { return m_color; }
    // Shadow and frame lines.
    virtual void strokeFrame();

    // The hatch pattern of BrushStyle; Qt::NoBrush for solid and clear.
    Qt::BrushStyle hatchPattern() const;

    QPainter *canvas() const { return m_canvas; }
    double scaleX() const { return m_scaleX; }
    double scaleY() const { return m_scaleY; }
    // Frame.Width in pixels at the current scale.
    int frameWidthPixels() const { return m_frameWidth; }

private:
    TpgxAlign m_align = baNone;
    bool m_printable = true;
    TpgxShiftMode m_shiftMode = smAlways;
    QString m_onAfterData;
    QString m_onAfterPrint;
    QString m_onBeforePrint;
    QString m_onPreviewClick;
    TpgxBrushStyle m_brushStyle = bsSolid;
    TColor m_color = kClTransparent;
    int m_cursor = 0;
    TpgxDataSetLink m_dataSet;
    QString m_dataField;
    TpgxFrame m_frame{this};
    QString m_tagStr;
    QString m_url;
    QString m_savedTagStr;
    QString m_savedUrl;

    // Drawing state, never stored.
    QPainter *m_canvas = nullptr;
    double m_scaleX = 1;
    double m_scaleY = 1;
    pgx::views::DeviceBox m_box;
    int m_frameWidth = 0;
};

// Views that can grow with their contents (the engine's stretching).
class TpgxStretcheable : public TpgxView
{
    Q_OBJECT
    Q_PROPERTY(TpgxStretcheable::TpgxStretchMode StretchMode READ stretchMode WRITE setStretchMode)
    Q_CLASSINFO("pgx:default:StretchMode", "smDontStretch")

public:
    enum TpgxStretchMode { smDontStretch, smActualHeight, smMaxHeight };
    Q_ENUM(TpgxStretchMode)

    Q_INVOKABLE explicit TpgxStretcheable(QObject *owner = nullptr);

    TpgxStretchMode stretchMode() const { return m_stretchMode; }
    void setStretchMode(TpgxStretchMode value) { m_stretchMode = value; }

    // The height the contents need; the base keeps the current Height.
    virtual double calcHeight() { return height(); }
    // Draws what did not fit the last time and answers the height still
    // left; the base has nothing left.
    virtual double drawNextPart() { return 0; }
    // Prepares the part of the contents that fits; nothing in the base.
    virtual void preparePart() { }

private:
    TpgxStretchMode m_stretchMode = smDontStretch;
};
