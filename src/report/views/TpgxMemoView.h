#pragma once

#include "persist/serializer/SerializerHooks.h"
#include "report/component/TpgxFont.h"
#include "report/views/TpgxView.h"

#include <QtCore/QPointer>
#include <QtCore/QStringList>

// The conditional look of a text object: applied while Condition is true
// (text layout).
class TpgxHighlight : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Active READ active WRITE setActive)
    Q_PROPERTY(TpgxFont *Font READ font WRITE setFont)
    Q_PROPERTY(int Color READ color WRITE setColor)
    Q_PROPERTY(QString Condition READ condition WRITE setCondition)
    Q_CLASSINFO("pgx:default:Active", "False")
    Q_CLASSINFO("pgx:type:Color", "TColor")
    Q_CLASSINFO("pgx:default:Color", "536870911")

public:
    // Arial 10 points in red, no colour, no condition.
    explicit TpgxHighlight(QObject *parent = nullptr);

    bool active() const { return m_active; }
    void setActive(bool value) { m_active = value; }
    TpgxFont *font() const { return const_cast<TpgxFont *>(&m_font); }
    void setFont(const TpgxFont *value) { m_font.assign(*value); }
    TColor color() const { return m_color; }
    void setColor(TColor value) { m_color = value; }
    QString condition() const { return m_condition; }
    void setCondition(const QString &value) { m_condition = value; }

private:
    bool m_active = false;
    TpgxFont m_font{this};
    TColor m_color = kClTransparent;
    QString m_condition;
};

// The display format of a text object's values (text layout).
class TpgxFormat : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString DecimalSeparator READ decimalSeparator WRITE setDecimalSeparator)
    Q_PROPERTY(QString FormatStr READ formatStr WRITE setFormatStr)
    Q_PROPERTY(TpgxFormat::TpgxFormatKind Kind READ kind WRITE setKind)
    Q_CLASSINFO("pgx:default:Kind", "fkText")

public:
    enum TpgxFormatKind { fkText, fkNumeric, fkDateTime, fkBoolean };
    Q_ENUM(TpgxFormatKind)

    explicit TpgxFormat(QObject *parent = nullptr) : QObject(parent) { }

    QString decimalSeparator() const { return m_decimalSeparator; }
    void setDecimalSeparator(const QString &value) { m_decimalSeparator = value; }
    QString formatStr() const { return m_formatStr; }
    void setFormatStr(const QString &value) { m_formatStr = value; }
    TpgxFormatKind kind() const { return m_kind; }
    void setKind(TpgxFormatKind value) { m_kind = value; }

private:
    QString m_decimalSeparator;
    QString m_formatStr;
    TpgxFormatKind m_kind = fkText;
};

// A text object: the text as lines (Memo; stored as the UTF-8 attribute
// Text, never through Memo), its inner margins, alignment and flow, and the
// prepared-page macros. Measuring, layout, expansion and the drawing of the
// text are the text-layout layer's.
//
// TpgxCustomMemoView publishes what both text classes start with after
// StretchMode; TpgxMemoView and TpgxSysMemoView publish the rest.
class TpgxCustomMemoView : public TpgxStretcheable, public pgx::TpgxMemoContent
{
    Q_OBJECT
    Q_PROPERTY(bool FirstParaBreak READ firstParaBreak WRITE setFirstParaBreak)
    Q_PROPERTY(bool LastParaBreak READ lastParaBreak WRITE setLastParaBreak)
    Q_PROPERTY(int Cursor READ cursor WRITE setCursor)
    Q_PROPERTY(QString TagStr READ tagStr WRITE setTagStr)
    Q_PROPERTY(QString URL READ url WRITE setUrl)
    Q_CLASSINFO("pgx:default:FirstParaBreak", "False")
    Q_CLASSINFO("pgx:default:LastParaBreak", "False")
    Q_CLASSINFO("pgx:type:Cursor", "TCursor")
    Q_CLASSINFO("pgx:default:Cursor", "0")

public:
    enum TpgxHAlign { haLeft, haRight, haCenter, haBlock };
    Q_ENUM(TpgxHAlign)
    enum TpgxVAlign { vaTop, vaBottom, vaCenter };
    Q_ENUM(TpgxVAlign)

    Q_INVOKABLE explicit TpgxCustomMemoView(QObject *owner = nullptr);

    // --- the text -----------------------------------------------------------
    QStringList memo() const { return m_memo; }
    void setMemo(const QStringList &lines) { m_memo = lines; }
    // Every line followed by CR LF.
    QString text() const;
    // Splits at CR LF, CR, LF and U+2028 (MemoText.h).
    void setText(const QString &value);

    // --- published values ---------------------------------------------------
    bool autoWidth() const { return m_autoWidth; }
    void setAutoWidth(bool value) { m_autoWidth = value; }
    bool allowExpressions() const { return m_allowExpressions; }
    void setAllowExpressions(bool value) { m_allowExpressions = value; }
    bool allowHtmlTags() const { return m_allowHtmlTags; }
    void setAllowHtmlTags(bool value) { m_allowHtmlTags = value; }
    double charSpacing() const { return m_charSpacing; }
    void setCharSpacing(double value) { m_charSpacing = value; }
    bool clipped() const { return m_clipped; }
    void setClipped(bool value) { m_clipped = value; }
    TpgxFormat *displayFormat() const { return const_cast<TpgxFormat *>(&m_displayFormat); }
    QString expressionDelimiters() const { return m_expressionDelimiters; }
    void setExpressionDelimiters(const QString &value) { m_expressionDelimiters = value; }
    TpgxCustomMemoView *flowTo() const { return m_flowTo; }
    void setFlowTo(TpgxCustomMemoView *value) { m_flowTo = value; }
    bool firstParaBreak() const { return m_firstParaBreak; }
    void setFirstParaBreak(bool value) { m_firstParaBreak = value; }
    bool lastParaBreak() const { return m_lastParaBreak; }
    void setLastParaBreak(bool value) { m_lastParaBreak = value; }
    double gapX() const { return m_gapX; }
    void setGapX(double value) { m_gapX = value; }
    double gapY() const { return m_gapY; }
    void setGapY(double value) { m_gapY = value; }
    TpgxHAlign hAlign() const { return m_hAlign; }
    void setHAlign(TpgxHAlign value) { m_hAlign = value; }
    bool hideZeros() const { return m_hideZeros; }
    void setHideZeros(bool value) { m_hideZeros = value; }
    TpgxHighlight *highlight() const { return const_cast<TpgxHighlight *>(&m_highlight); }
    double lineSpacing() const { return m_lineSpacing; }
    void setLineSpacing(double value) { m_lineSpacing = value; }
    double paragraphGap() const { return m_paragraphGap; }
    void setParagraphGap(double value) { m_paragraphGap = value; }
    int rotation() const { return m_rotation; }
    // Keeps the signed remainder of a division by 360 (450 -> 90, -450 -> -90).
    void setRotation(int value) { m_rotation = value % 360; }
    bool rtlReading() const { return m_rtlReading; }
    void setRtlReading(bool value) { m_rtlReading = value; }
    QString style() const { return m_style; }
    // Stores the name; in a report (and not while loading, where the stored
    // values already are the style's) applies the style of that name, if
    // there is one: its Color, Font (no longer the parent's) and Frame.
    void setStyle(const QString &name);
    bool suppressRepeated() const { return m_suppressRepeated; }
    void setSuppressRepeated(bool value) { m_suppressRepeated = value; }
    bool underlines() const { return m_underlines; }
    void setUnderlines(bool value) { m_underlines = value; }
    TpgxVAlign vAlign() const { return m_vAlign; }
    void setVAlign(TpgxVAlign value) { m_vAlign = value; }
    bool wordBreak() const { return m_wordBreak; }
    void setWordBreak(bool value) { m_wordBreak = value; }
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool value) { m_wordWrap = value; }
    bool wysiwyg() const { return m_wysiwyg; }
    void setWysiwyg(bool value) { m_wysiwyg = value; }

    // --- stored rules -----------------------------------------------------
    Q_INVOKABLE bool charSpacingIsStored() const { return m_charSpacing != 0; }
    Q_INVOKABLE bool expressionDelimitersIsStored() const;
    Q_INVOKABLE bool gapXIsStored() const { return m_gapX != 2; }
    Q_INVOKABLE bool gapYIsStored() const { return m_gapY != 1; }
    Q_INVOKABLE bool highlightIsStored() const;
    Q_INVOKABLE bool lineSpacingIsStored() const { return m_lineSpacing != 2; }
    Q_INVOKABLE bool paragraphGapIsStored() const { return m_paragraphGap != 0; }

    // --- prepared pages -----------------------------------------------------
    // The page count the preview sets on the object for [TOTALPAGES].
    int totalPages() const { return m_totalPages; }
    void setTotalPages(int value) { m_totalPages = value; }
    // The text with every [TOTALPAGES] (any case) replaced by totalPages(),
    // when AllowExpressions.
    QString plainText() const override;
    // Called when a prepared page is shown or printed: with AllowExpressions
    // every [TOTALPAGES#] becomes `totalPages` and every [COPYNAME#] the
    // global variable "CopyName" followed by the copy number (empty when
    // there is none).
    void applyPreparedPageMacros(int totalPages, int copyNumber);

    // What the frame and the gaps add to the text's height and width: twice
    // the gap, half the frame width (less half a pixel on the top and left)
    // on each framed side, and the shadow.
    double frameExtraHeight() const;
    double frameExtraWidth() const;

    // Also saves the text when the object is not data-bound; afterPrint
    // restores it.
    void beforePrint() override;
    void afterPrint() override;

    // After the view's: AutoWidth, CharSpacing, GapX, GapY, HAlign,
    // Highlight.Active, LineSpacing; always the text as "u"; ParagraphGap,
    // Rotation, RTLReading, Underlines, VAlign, WordWrap; FirstParaBreak and
    // LastParaBreak when set. Writing it moves LastParaBreak into
    // FirstParaBreak: a split text's next part starts where this one ended.
    QString diffAttrs(const TpgxComponent *other) const override;

    // --- TpgxMemoContent ----------------------------------------------------
    QString memoText() const override { return text(); }
    void setMemoText(const QString &value) override { setText(value); }

    // --- measuring, splitting and drawing -----------------------------------
    // The height and width the text needs with the object's own box
    // (without a wrapping limit with AutoWidth), insets included.
    double calcHeight() override;
    double calcWidth() const;
    // Starts splitting: the whole text remains, no paragraph continues.
    void preparePart() override;
    // Keeps the lines of the remaining text that fit the object's height as
    // its text, leaves the rest in remainingText(), and answers the empty
    // height below the last whole line (the whole height when none fits).
    double drawNextPart() override;
    QString remainingText() const { return m_remainingText; }
    void setRemainingText(const QString &value) { m_remainingText = value; }

    // Fill, text and frame. With AutoWidth the object first takes the
    // width its text needs, keeping its right edge (right-aligned) or its
    // centre (centred) where they were.
    void draw(QPainter *canvas, double scaleX, double scaleY, double offsetX,
              double offsetY) override;

protected:
    bool hasAutoWidth() const override { return m_autoWidth; }
    // The highlight's colour while the highlight is active.
    TColor fillColor() const override;

private:
    QStringList m_memo;
    QStringList m_savedMemo;
    bool m_autoWidth = false;
    bool m_allowExpressions = true;
    bool m_allowHtmlTags = false;
    double m_charSpacing = 0;
    bool m_clipped = true;
    TpgxFormat m_displayFormat{this};
    QString m_expressionDelimiters = QStringLiteral("[,]");
    QPointer<TpgxCustomMemoView> m_flowTo;
    // diffAttrs hands the paragraph state on to the next part it describes.
    mutable bool m_firstParaBreak = false;
    mutable bool m_lastParaBreak = false;
    double m_gapX = 2;
    double m_gapY = 1;
    TpgxHAlign m_hAlign = haLeft;
    bool m_hideZeros = false;
    TpgxHighlight m_highlight{this};
    double m_lineSpacing = 2;
    double m_paragraphGap = 0;
    int m_rotation = 0;
    bool m_rtlReading = false;
    QString m_style;
    bool m_suppressRepeated = false;
    bool m_underlines = false;
    TpgxVAlign m_vAlign = vaTop;
    bool m_wordBreak = false;
    bool m_wordWrap = true;
    bool m_wysiwyg = true;
    int m_totalPages = 0;
    QString m_remainingText;
};

// "Text object".
class TpgxMemoView : public TpgxCustomMemoView
{
    Q_OBJECT
    Q_PROPERTY(bool AutoWidth READ autoWidth WRITE setAutoWidth)
    Q_PROPERTY(bool AllowExpressions READ allowExpressions WRITE setAllowExpressions)
    Q_PROPERTY(bool AllowHTMLTags READ allowHtmlTags WRITE setAllowHtmlTags)
    Q_PROPERTY(TpgxView::TpgxBrushStyle BrushStyle READ brushStyle WRITE setBrushStyle)
    Q_PROPERTY(double CharSpacing READ charSpacing WRITE setCharSpacing)
    Q_PROPERTY(bool Clipped READ clipped WRITE setClipped)
    Q_PROPERTY(int Color READ color WRITE setColor)
    Q_PROPERTY(QString DataField READ dataField WRITE setDataField)
    Q_PROPERTY(TpgxDataSet *DataSet READ dataSet WRITE setDataSet)
    Q_PROPERTY(QString DataSetName READ dataSetName WRITE setDataSetName)
    Q_PROPERTY(TpgxFormat *DisplayFormat READ displayFormat)
    Q_PROPERTY(QString ExpressionDelimiters READ expressionDelimiters WRITE setExpressionDelimiters)
    Q_PROPERTY(TpgxCustomMemoView *FlowTo READ flowTo WRITE setFlowTo)
    Q_PROPERTY(TpgxFont *Font READ font WRITE setFont)
    Q_PROPERTY(TpgxFrame *Frame READ frame)
    Q_PROPERTY(double GapX READ gapX WRITE setGapX)
    Q_PROPERTY(double GapY READ gapY WRITE setGapY)
    Q_PROPERTY(TpgxCustomMemoView::TpgxHAlign HAlign READ hAlign WRITE setHAlign)
    Q_PROPERTY(bool HideZeros READ hideZeros WRITE setHideZeros)
    Q_PROPERTY(TpgxHighlight *Highlight READ highlight)
    Q_PROPERTY(double LineSpacing READ lineSpacing WRITE setLineSpacing)
    Q_PROPERTY(QStringList Memo READ memo WRITE setMemo STORED false)
    Q_PROPERTY(double ParagraphGap READ paragraphGap WRITE setParagraphGap)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(int Rotation READ rotation WRITE setRotation)
    Q_PROPERTY(bool RTLReading READ rtlReading WRITE setRtlReading)
    Q_PROPERTY(QString Style READ style WRITE setStyle)
    Q_PROPERTY(bool SuppressRepeated READ suppressRepeated WRITE setSuppressRepeated)
    Q_PROPERTY(bool Underlines READ underlines WRITE setUnderlines)
    Q_PROPERTY(bool WordBreak READ wordBreak WRITE setWordBreak)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)
    Q_PROPERTY(bool Wysiwyg READ wysiwyg WRITE setWysiwyg)
    Q_PROPERTY(TpgxCustomMemoView::TpgxVAlign VAlign READ vAlign WRITE setVAlign)
    Q_CLASSINFO("pgx:default:AutoWidth", "False")
    Q_CLASSINFO("pgx:default:AllowExpressions", "True")
    Q_CLASSINFO("pgx:default:AllowHTMLTags", "False")
    Q_CLASSINFO("pgx:default:BrushStyle", "bsSolid")
    Q_CLASSINFO("pgx:stored:CharSpacing", "charSpacingIsStored")
    Q_CLASSINFO("pgx:default:Clipped", "True")
    Q_CLASSINFO("pgx:type:Color", "TColor")
    Q_CLASSINFO("pgx:default:Color", "536870911")
    Q_CLASSINFO("pgx:stored:ExpressionDelimiters", "expressionDelimitersIsStored")
    Q_CLASSINFO("pgx:stored:Font", "fontIsStored")
    Q_CLASSINFO("pgx:stored:GapX", "gapXIsStored")
    Q_CLASSINFO("pgx:stored:GapY", "gapYIsStored")
    Q_CLASSINFO("pgx:default:HAlign", "haLeft")
    Q_CLASSINFO("pgx:default:HideZeros", "False")
    Q_CLASSINFO("pgx:stored:Highlight", "highlightIsStored")
    Q_CLASSINFO("pgx:stored:LineSpacing", "lineSpacingIsStored")
    Q_CLASSINFO("pgx:stored:ParagraphGap", "paragraphGapIsStored")
    Q_CLASSINFO("pgx:default:ParentFont", "True")
    Q_CLASSINFO("pgx:default:Rotation", "0")
    Q_CLASSINFO("pgx:default:RTLReading", "False")
    Q_CLASSINFO("pgx:default:SuppressRepeated", "False")
    Q_CLASSINFO("pgx:default:Underlines", "False")
    Q_CLASSINFO("pgx:default:WordBreak", "False")
    Q_CLASSINFO("pgx:default:WordWrap", "True")
    Q_CLASSINFO("pgx:default:Wysiwyg", "True")
    Q_CLASSINFO("pgx:default:VAlign", "vaTop")

public:
    Q_INVOKABLE explicit TpgxMemoView(QObject *owner = nullptr);
};

// "System text": a text of system values (page numbers, dates, totals),
// without data binding or expression switch of its own.
class TpgxSysMemoView : public TpgxCustomMemoView
{
    Q_OBJECT
    Q_PROPERTY(bool AutoWidth READ autoWidth WRITE setAutoWidth)
    Q_PROPERTY(TpgxView::TpgxBrushStyle BrushStyle READ brushStyle WRITE setBrushStyle)
    Q_PROPERTY(double CharSpacing READ charSpacing WRITE setCharSpacing)
    Q_PROPERTY(int Color READ color WRITE setColor)
    Q_PROPERTY(TpgxFormat *DisplayFormat READ displayFormat)
    Q_PROPERTY(TpgxFont *Font READ font WRITE setFont)
    Q_PROPERTY(TpgxFrame *Frame READ frame)
    Q_PROPERTY(double GapX READ gapX WRITE setGapX)
    Q_PROPERTY(double GapY READ gapY WRITE setGapY)
    Q_PROPERTY(TpgxCustomMemoView::TpgxHAlign HAlign READ hAlign WRITE setHAlign)
    Q_PROPERTY(bool HideZeros READ hideZeros WRITE setHideZeros)
    Q_PROPERTY(TpgxHighlight *Highlight READ highlight)
    Q_PROPERTY(QStringList Memo READ memo WRITE setMemo STORED false)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(int Rotation READ rotation WRITE setRotation)
    Q_PROPERTY(bool RTLReading READ rtlReading WRITE setRtlReading)
    Q_PROPERTY(QString Style READ style WRITE setStyle)
    Q_PROPERTY(bool SuppressRepeated READ suppressRepeated WRITE setSuppressRepeated)
    Q_PROPERTY(TpgxCustomMemoView::TpgxVAlign VAlign READ vAlign WRITE setVAlign)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)
    Q_CLASSINFO("pgx:default:AutoWidth", "False")
    Q_CLASSINFO("pgx:default:BrushStyle", "bsSolid")
    Q_CLASSINFO("pgx:stored:CharSpacing", "charSpacingIsStored")
    Q_CLASSINFO("pgx:type:Color", "TColor")
    Q_CLASSINFO("pgx:default:Color", "536870911")
    Q_CLASSINFO("pgx:stored:Font", "fontIsStored")
    Q_CLASSINFO("pgx:stored:GapX", "gapXIsStored")
    Q_CLASSINFO("pgx:stored:GapY", "gapYIsStored")
    Q_CLASSINFO("pgx:default:HAlign", "haLeft")
    Q_CLASSINFO("pgx:default:HideZeros", "False")
    Q_CLASSINFO("pgx:stored:Highlight", "highlightIsStored")
    Q_CLASSINFO("pgx:default:ParentFont", "True")
    Q_CLASSINFO("pgx:default:Rotation", "0")
    Q_CLASSINFO("pgx:default:RTLReading", "False")
    Q_CLASSINFO("pgx:default:SuppressRepeated", "False")
    Q_CLASSINFO("pgx:default:VAlign", "vaTop")
    Q_CLASSINFO("pgx:default:WordWrap", "True")

public:
    Q_INVOKABLE explicit TpgxSysMemoView(QObject *owner = nullptr);
};
