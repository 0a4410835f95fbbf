#pragma once

#include "report/bands/BandRunState.h"
#include "report/component/TpgxFrame.h"
#include "report/component/TpgxPicture.h"
#include "report/component/Units.h"
#include "report/pages/TpgxPage.h"

#include "report/data/TpgxDataSet.h"
#include "report/data/TpgxDataSetLink.h"

#include <QtCore/QPointer>
#include <QtCore/QRectF>
#include <QtCore/QStringList>
#include <functional>

class QPainter;
class TpgxBand;
class TpgxReportPage;

// A sheet of paper with margins, columns and a background, holding bands.
// Paper sizes and margins are millimetres; the page's Width and Height are
// the paper in report units (Left/Top stay 0).
//
// Published in the order templates carry them: Orientation comes before the
// paper and PaperSize after PaperWidth and PaperHeight, so that a stored
// code below 256 finally decides the size. While loading, the setters only
// store their values and loaded() settles the size from the paper table, so
// a hand-edited template in any attribute order reads the same.
class TpgxReportPage : public TpgxPage
{
    Q_OBJECT
    Q_PROPERTY(TPrinterOrientation Orientation READ orientation WRITE setOrientation)
    Q_PROPERTY(double PaperWidth READ paperWidth WRITE setPaperWidth)
    Q_PROPERTY(double PaperHeight READ paperHeight WRITE setPaperHeight)
    Q_PROPERTY(int PaperSize READ paperSize WRITE setPaperSize)
    Q_PROPERTY(double LeftMargin READ leftMargin WRITE setLeftMargin)
    Q_PROPERTY(double RightMargin READ rightMargin WRITE setRightMargin)
    Q_PROPERTY(double TopMargin READ topMargin WRITE setTopMargin)
    Q_PROPERTY(double BottomMargin READ bottomMargin WRITE setBottomMargin)
    Q_PROPERTY(bool MirrorMargins READ mirrorMargins WRITE setMirrorMargins)
    Q_PROPERTY(int Columns READ columns WRITE setColumns)
    Q_PROPERTY(double ColumnWidth READ columnWidth WRITE setColumnWidth)
    Q_PROPERTY(QStringList ColumnPositions READ columnPositions WRITE setColumnPositions)
    Q_PROPERTY(int Bin READ bin WRITE setBin)
    Q_PROPERTY(int BinOtherPages READ binOtherPages WRITE setBinOtherPages)
    Q_PROPERTY(TpgxPicture *BackPicture READ backPicture)
    Q_PROPERTY(int Color READ color WRITE setColor)
    Q_PROPERTY(TpgxDataSet *DataSet READ dataSet WRITE setDataSet)
    Q_PROPERTY(QString DataSetName READ dataSetName WRITE setDataSetName)
    Q_PROPERTY(TpgxDuplexMode Duplex READ duplex WRITE setDuplex)
    Q_PROPERTY(TpgxFrame *Frame READ frame WRITE setFrame)
    Q_PROPERTY(bool EndlessHeight READ endlessHeight WRITE setEndlessHeight)
    Q_PROPERTY(bool EndlessWidth READ endlessWidth WRITE setEndlessWidth)
    Q_PROPERTY(bool LargeDesignHeight READ largeDesignHeight WRITE setLargeDesignHeight)
    Q_PROPERTY(QString OutlineText READ outlineText WRITE setOutlineText)
    Q_PROPERTY(bool PrintIfEmpty READ printIfEmpty WRITE setPrintIfEmpty)
    Q_PROPERTY(bool PrintOnPreviousPage READ printOnPreviousPage WRITE setPrintOnPreviousPage)
    Q_PROPERTY(bool ResetPageNumbers READ resetPageNumbers WRITE setResetPageNumbers)
    Q_PROPERTY(bool TitleBeforeHeader READ titleBeforeHeader WRITE setTitleBeforeHeader)
    Q_PROPERTY(QStringList HGuides READ hGuides WRITE setHGuides)
    Q_PROPERTY(QStringList VGuides READ vGuides WRITE setVGuides)
    Q_PROPERTY(QString OnAfterPrint READ onAfterPrint WRITE setOnAfterPrint)
    Q_PROPERTY(QString OnBeforePrint READ onBeforePrint WRITE setOnBeforePrint)
    Q_PROPERTY(QString OnManualBuild READ onManualBuild WRITE setOnManualBuild)
    Q_CLASSINFO("pgx:default:Orientation", "poPortrait")
    Q_CLASSINFO("pgx:default:MirrorMargins", "False")
    Q_CLASSINFO("pgx:default:Columns", "0")
    Q_CLASSINFO("pgx:default:Bin", "7")
    Q_CLASSINFO("pgx:default:BinOtherPages", "7")
    Q_CLASSINFO("pgx:default:Color", "536870911")
    Q_CLASSINFO("pgx:type:Color", "TColor")
    Q_CLASSINFO("pgx:default:Duplex", "dmNone")
    Q_CLASSINFO("pgx:default:EndlessHeight", "False")
    Q_CLASSINFO("pgx:default:EndlessWidth", "False")
    Q_CLASSINFO("pgx:default:LargeDesignHeight", "False")
    Q_CLASSINFO("pgx:default:PrintIfEmpty", "True")
    Q_CLASSINFO("pgx:default:PrintOnPreviousPage", "False")
    Q_CLASSINFO("pgx:default:ResetPageNumbers", "False")
    Q_CLASSINFO("pgx:default:TitleBeforeHeader", "True")

public:
    enum TPrinterOrientation { poPortrait, poLandscape };
    Q_ENUM(TPrinterOrientation)
    enum TpgxDuplexMode { dmNone, dmVertical, dmHorizontal, dmSimplex };
    Q_ENUM(TpgxDuplexMode)

    // Paper source code meaning "choose automatically".
    static constexpr int kAutoBin = 7;
    // More page columns than this are refused: each has a position line.
    static constexpr int kMaxColumns = 1000;

    // Draws the page background (Color, Frame, BackPicture) into `area`, the
    // printable area in device coordinates. The views layer installs it; with
    // none installed the background is not drawn.
    using BackgroundPainter
        = std::function<void(const TpgxReportPage &page, QPainter *canvas, const QRectF &area)>;
    static void setBackgroundPainter(BackgroundPainter painter);

    // A4 portrait (the paper table's code 9), no margins, no columns.
    Q_INVOKABLE explicit TpgxReportPage(QObject *owner = nullptr);

    TPrinterOrientation orientation() const { return m_orientation; }
    // A change swaps the paper's sides and turns the margins a quarter.
    void setOrientation(TPrinterOrientation value);
    double paperWidth() const { return m_paperWidth; }
    double paperHeight() const { return m_paperHeight; }
    // A custom size: rounded to 8 decimals, PaperSize becomes 256.
    void setPaperWidth(double mm);
    void setPaperHeight(double mm);
    int paperSize() const { return m_paperSize; }
    // A code the paper table knows (below 256) sets the size, turned for
    // landscape; any other code is only stored.
    void setPaperSize(int code);
    // Code and size as given (each rounded), without the paper table.
    void setSizeAndDimensions(int code, double width, double height);

    double leftMargin() const { return m_leftMargin; }
    void setLeftMargin(double mm) { m_leftMargin = mm; }
    double rightMargin() const { return m_rightMargin; }
    void setRightMargin(double mm) { m_rightMargin = mm; }
    double topMargin() const { return m_topMargin; }
    void setTopMargin(double mm) { m_topMargin = mm; }
    double bottomMargin() const { return m_bottomMargin; }
    void setBottomMargin(double mm) { m_bottomMargin = mm; }
    bool mirrorMargins() const { return m_mirrorMargins; }
    void setMirrorMargins(bool value) { m_mirrorMargins = value; }

    int columns() const { return m_columns; }
    // Splits the printable width into n equal columns (positions 0, w, 2w,
    // ...); 0 removes the columns. Throws pgx::Error outside 0..MaxColumns.
    void setColumns(int n);
    double columnWidth() const { return m_columnWidth; }
    void setColumnWidth(double mm) { m_columnWidth = mm; }
    QStringList columnPositions() const { return m_columnPositions; }
    void setColumnPositions(const QStringList &value) { m_columnPositions = value; }

    int bin() const { return m_bin; }
    void setBin(int value) { m_bin = value; }
    int binOtherPages() const { return m_binOtherPages; }
    void setBinOtherPages(int value) { m_binOtherPages = value; }
    // The background picture, drawn over the printable area.
    TpgxPicture *backPicture() const { return const_cast<TpgxPicture *>(&m_backPicture); }
    TColor color() const { return m_color; }
    void setColor(TColor value) { m_color = value; }

    TpgxDataSet *dataSet() const { return m_dataSet.get(); }
    void setDataSet(TpgxDataSet *value);
    // The data source's UserName while it is set; empty once it is gone.
    QString dataSetName() const;
    void setDataSetName(const QString &value);

    // The frame drawn around the printable area (no lines on a new page).
    TpgxFrame *frame() const { return const_cast<TpgxFrame *>(&m_frame); }
    void setFrame(const TpgxFrame *frame);
    TpgxDuplexMode duplex() const { return m_duplex; }
    void setDuplex(TpgxDuplexMode value) { m_duplex = value; }
    bool endlessHeight() const { return m_endlessHeight; }
    void setEndlessHeight(bool value) { m_endlessHeight = value; }
    bool endlessWidth() const { return m_endlessWidth; }
    void setEndlessWidth(bool value) { m_endlessWidth = value; }
    bool largeDesignHeight() const { return m_largeDesignHeight; }
    void setLargeDesignHeight(bool value) { m_largeDesignHeight = value; }
    QString outlineText() const { return m_outlineText; }
    void setOutlineText(const QString &value) { m_outlineText = value; }
    bool printIfEmpty() const { return m_printIfEmpty; }
    void setPrintIfEmpty(bool value) { m_printIfEmpty = value; }
    bool printOnPreviousPage() const { return m_printOnPreviousPage; }
    void setPrintOnPreviousPage(bool value) { m_printOnPreviousPage = value; }
    bool resetPageNumbers() const { return m_resetPageNumbers; }
    void setResetPageNumbers(bool value) { m_resetPageNumbers = value; }
    bool titleBeforeHeader() const { return m_titleBeforeHeader; }
    void setTitleBeforeHeader(bool value) { m_titleBeforeHeader = value; }
    QStringList hGuides() const { return m_hGuides; }
    void setHGuides(const QStringList &value) { m_hGuides = value; }
    QStringList vGuides() const { return m_vGuides; }
    void setVGuides(const QStringList &value) { m_vGuides = value; }
    QString onAfterPrint() const { return m_onAfterPrint; }
    void setOnAfterPrint(const QString &value) { m_onAfterPrint = value; }
    QString onBeforePrint() const { return m_onBeforePrint; }
    void setOnBeforePrint(const QString &value) { m_onBeforePrint = value; }
    QString onManualBuild() const { return m_onManualBuild; }
    void setOnManualBuild(const QString &value) { m_onManualBuild = value; }

    // The subreport object that prints this page, if any (set by the
    // subreport; cleared when it goes).
    TpgxComponent *subReport() const { return m_subReport; }
    void setSubReport(TpgxComponent *subreport) { m_subReport = subreport; }

    // Margins 10 mm each; paper and orientation from the current printer's
    // default sheet.
    void applyPrinterDefaults();
    // The first object in Objects of the given band class (or a subclass).
    TpgxBand *firstBandOf(const QMetaObject &bandClass) const;
    template<class Band>
    Band *firstBandOf() const
    {
        return static_cast<Band *>(firstBandOf(Band::staticMetaObject));
    }

    // The printable area in millimetres: the paper less the margins.
    double printableWidth() const { return m_paperWidth - m_leftMargin - m_rightMargin; }
    double printableHeight() const { return m_paperHeight - m_topMargin - m_bottomMargin; }
    // Width and Height from the paper, in whole report units.
    void updateDimensions();
    // Draws the background over the printable area only, at the given scale
    // and offset (through the installed BackgroundPainter).
    void drawBackground(QPainter *canvas, double scaleX, double scaleY, double offsetX,
                        double offsetY) const;
    // The page's printable area in device coordinates for that scale and
    // offset.
    QRectF backgroundRect(double scaleX, double scaleY, double offsetX, double offsetY) const;

    // Lays the bands out over the printable area: views on the page by their
    // Align, then each band across the printable width (vertical bands down
    // the printable height) and its own children; the page keeps its paper
    // size afterwards.
    void arrangeChildren() override;
    QString kindCaption() const override;
    // Dot-matrix pages answer true: bands on them keep Left, Top and Height
    // on the character grid (pg1CharX by pg1CharY).
    virtual bool usesCharacterGrid() const { return false; }
    void loaded() override;

    // The engine's working state for the current run.
    pgx::PageRunState &runState() { return m_runState; }

private:
    // Equal columns over the printable width, for Columns.
    void layOutColumns();
    pgx::PageRunState m_runState;
    TPrinterOrientation m_orientation = poPortrait;
    double m_paperWidth = 0;
    double m_paperHeight = 0;
    int m_paperSize = 0;
    double m_leftMargin = 0;
    double m_rightMargin = 0;
    double m_topMargin = 0;
    double m_bottomMargin = 0;
    bool m_mirrorMargins = false;
    int m_columns = 0;
    double m_columnWidth = 0;
    QStringList m_columnPositions;
    int m_bin = kAutoBin;
    int m_binOtherPages = kAutoBin;
    TpgxPicture m_backPicture{this};
    TColor m_color = kClTransparent;
    TpgxDataSetLink m_dataSet;
    TpgxDuplexMode m_duplex = dmNone;
    TpgxFrame m_frame;
    bool m_endlessHeight = false;
    bool m_endlessWidth = false;
    bool m_largeDesignHeight = false;
    QString m_outlineText;
    bool m_printIfEmpty = true;
    bool m_printOnPreviousPage = false;
    bool m_resetPageNumbers = false;
    bool m_titleBeforeHeader = true;
    QStringList m_hGuides;
    QStringList m_vGuides;
    QString m_onAfterPrint;
    QString m_onBeforePrint;
    QString m_onManualBuild;
    QPointer<TpgxComponent> m_subReport;
    // What the element being loaded carried: loaded() settles the paper.
    bool m_loadedCode = false;
    bool m_loadedSize = false;
};
