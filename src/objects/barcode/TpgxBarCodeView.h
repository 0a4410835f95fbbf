#pragma once

#include "objects/barcode/BarcodeType.h"
#include "report/views/TpgxView.h"

// "Barcode object": a linear symbol or a matrix symbol (QR Code, Data
// Matrix, PDF417) for a text given directly, taken from a data field or
// computed from an expression. Drawing sizes the view to the symbol: a
// linear symbol's length is its width in modules times Zoom (its height for
// rotations 90 and 270), a matrix symbol is its modules and quiet zone
// times Zoom both ways; HAlign says which edge stays. A text the symbology
// cannot encode is drawn as its message in red instead of bars.
class TpgxBarCodeView : public TpgxView
{
    Q_OBJECT
    Q_PROPERTY(TpgxBarcodeTypes::TpgxBarcodeType BarType READ barType WRITE setBarType)
    Q_PROPERTY(TpgxView::TpgxBrushStyle BrushStyle READ brushStyle WRITE setBrushStyle)
    Q_PROPERTY(bool CalcCheckSum READ calcCheckSum WRITE setCalcCheckSum)
    Q_PROPERTY(int Color READ color WRITE setColor)
    Q_PROPERTY(int Cursor READ cursor WRITE setCursor)
    Q_PROPERTY(QString DataField READ dataField WRITE setDataField)
    Q_PROPERTY(TpgxDataSet *DataSet READ dataSet WRITE setDataSet)
    Q_PROPERTY(QString DataSetName READ dataSetName WRITE setDataSetName)
    Q_PROPERTY(
        TpgxBarcodeTypes::TpgxBarcodeErrorLevel ErrorLevel READ errorLevel WRITE setErrorLevel)
    Q_PROPERTY(QString Expression READ expression WRITE setExpression)
    Q_PROPERTY(TpgxFrame *Frame READ frame)
    Q_PROPERTY(TpgxBarCodeView::TpgxHAlign HAlign READ hAlign WRITE setHAlign)
    Q_PROPERTY(int QuietZone READ quietZone WRITE setQuietZone)
    Q_PROPERTY(int Rotation READ rotation WRITE setRotation)
    Q_PROPERTY(bool ShowText READ showText WRITE setShowText)
    Q_PROPERTY(QString TagStr READ tagStr WRITE setTagStr)
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(QString URL READ url WRITE setUrl)
    Q_PROPERTY(double WideBarRatio READ wideBarRatio WRITE setWideBarRatio)
    Q_PROPERTY(double Zoom READ zoom WRITE setZoom)
    Q_CLASSINFO("pgx:default:BarType", "bcCode39")
    Q_CLASSINFO("pgx:default:BrushStyle", "bsSolid")
    Q_CLASSINFO("pgx:default:CalcCheckSum", "False")
    Q_CLASSINFO("pgx:type:Color", "TColor")
    Q_CLASSINFO("pgx:default:Color", "536870911")
    Q_CLASSINFO("pgx:type:Cursor", "TCursor")
    Q_CLASSINFO("pgx:default:Cursor", "0")
    Q_CLASSINFO("pgx:default:ErrorLevel", "elMedium")
    Q_CLASSINFO("pgx:default:HAlign", "haLeft")
    Q_CLASSINFO("pgx:default:QuietZone", "4")
    Q_CLASSINFO("pgx:default:Rotation", "0")
    Q_CLASSINFO("pgx:default:ShowText", "True")
    Q_CLASSINFO("pgx:default:Text", "12345678")

public:
    enum TpgxHAlign { haLeft, haRight, haCenter };
    Q_ENUM(TpgxHAlign)

    Q_INVOKABLE explicit TpgxBarCodeView(QObject *owner = nullptr);

    TpgxBarcodeType barType() const { return m_barType; }
    void setBarType(TpgxBarcodeType value) { m_barType = value; }
    bool calcCheckSum() const { return m_calcCheckSum; }
    void setCalcCheckSum(bool value) { m_calcCheckSum = value; }
    TpgxBarcodeTypes::TpgxBarcodeErrorLevel errorLevel() const { return m_errorLevel; }
    void setErrorLevel(TpgxBarcodeTypes::TpgxBarcodeErrorLevel value) { m_errorLevel = value; }
    QString expression() const { return m_expression; }
    void setExpression(const QString &value) { m_expression = value; }
    TpgxHAlign hAlign() const { return m_hAlign; }
    void setHAlign(TpgxHAlign value) { m_hAlign = value; }
    int quietZone() const { return m_quietZone; }
    void setQuietZone(int value) { m_quietZone = value; }
    int rotation() const { return m_rotation; }
    void setRotation(int value) { m_rotation = value; }
    bool showText() const { return m_showText; }
    void setShowText(bool value) { m_showText = value; }
    QString text() const { return m_text; }
    void setText(const QString &value) { m_text = value; }
    double wideBarRatio() const { return m_wideBarRatio; }
    void setWideBarRatio(double value) { m_wideBarRatio = value; }
    // Values below 0.0001 are taken as 1.
    double zoom() const { return m_zoom < 0.0001 ? 1 : m_zoom; }
    void setZoom(double value) { m_zoom = value; }

    // "obBarC", "Barcode object".
    QString kindCaption() const override;

    // Encodes the text and sizes the view to the symbol (HAlign keeps its
    // edge); answers the message when the text cannot be encoded, else an
    // empty string. draw calls it first, as the designer and the engine
    // expect the view to take its symbol's size when it is drawn.
    QString updateSize();
    // The text as encoded and shown by the last updateSize (padded, with
    // check digits).
    QString encodedText() const { return m_encodedText; }

    void draw(QPainter *canvas, double scaleX, double scaleY, double offsetX,
              double offsetY) override;
    // A bound field's value, else the value of Expression (the report's
    // calc; a failing expression raises pgx::Error).
    void fetchData() override;
    // The text too is saved before a row and restored after it.
    void beforePrint() override;
    void afterPrint() override;
    // After the view's: the text always (what was fetched for the row), and
    // BarType, CalcCheckSum, Rotation, ShowText and Zoom when a script
    // changed them.
    QString diffAttrs(const TpgxComponent *other) const override;

private:
    void drawError(const QString &message);
    QString m_savedText;

    TpgxBarcodeType m_barType = TpgxBarcodeTypes::bcCode39;
    bool m_calcCheckSum = false;
    TpgxBarcodeTypes::TpgxBarcodeErrorLevel m_errorLevel = TpgxBarcodeTypes::elMedium;
    QString m_expression;
    TpgxHAlign m_hAlign = haLeft;
    int m_quietZone = 4;
    int m_rotation = 0;
    bool m_showText = true;
    QString m_text = QStringLiteral("12345678");
    double m_wideBarRatio = 2;
    double m_zoom = 1;
    // Drawing state, never stored.
    QString m_encodedText;
};
