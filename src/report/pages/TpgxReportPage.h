#pragma once

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
    Q_PROPERTY(TPrinterOrientation Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(double PaperWidth READ PaperWidth WRITE SetPaperWidth)
    Q_PROPERTY(double PaperHeight READ PaperHeight WRITE SetPaperHeight)
    Q_PROPERTY(int PaperSize READ PaperSize WRITE SetPaperSize)
    Q_PROPERTY(double LeftMargin READ LeftMargin WRITE SetLeftMargin)
    Q_PROPERTY(double RightMargin READ RightMargin WRITE SetRightMargin)
    Q_PROPERTY(double TopMargin READ TopMargin WRITE SetTopMargin)
    Q_PROPERTY(double BottomMargin READ BottomMargin WRITE SetBottomMargin)
    Q_PROPERTY(bool MirrorMargins READ MirrorMargins WRITE SetMirrorMargins)
    Q_PROPERTY(int Columns READ Columns WRITE SetColumns)
    Q_PROPERTY(double ColumnWidth READ ColumnWidth WRITE SetColumnWidth)
    Q_PROPERTY(QStringList ColumnPositions READ ColumnPositions WRITE SetColumnPositions)
    Q_PROPERTY(int Bin READ Bin WRITE SetBin)
    Q_PROPERTY(int BinOtherPages READ BinOtherPages WRITE SetBinOtherPages)
    Q_PROPERTY(TpgxPicture *BackPicture READ BackPicture)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(TpgxDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(QString DataSetName READ DataSetName WRITE SetDataSetName)
    Q_PROPERTY(TpgxDuplexMode Duplex READ Duplex WRITE SetDuplex)
    Q_PROPERTY(TpgxFrame *Frame READ Frame WRITE SetFrame)
    Q_PROPERTY(bool EndlessHeight READ EndlessHeight WRITE SetEndlessHeight)
    Q_PROPERTY(bool EndlessWidth READ EndlessWidth WRITE SetEndlessWidth)
    Q_PROPERTY(bool LargeDesignHeight READ LargeDesignHeight WRITE SetLargeDesignHeight)
    Q_PROPERTY(QString OutlineText READ OutlineText WRITE SetOutlineText)
    Q_PROPERTY(bool PrintIfEmpty READ PrintIfEmpty WRITE SetPrintIfEmpty)
    Q_PROPERTY(bool PrintOnPreviousPage READ PrintOnPreviousPage WRITE SetPrintOnPreviousPage)
    Q_PROPERTY(bool ResetPageNumbers READ ResetPageNumbers WRITE SetResetPageNumbers)
    Q_PROPERTY(bool TitleBeforeHeader READ TitleBeforeHeader WRITE SetTitleBeforeHeader)
    Q_PROPERTY(QStringList HGuides READ HGuides WRITE SetHGuides)
    Q_PROPERTY(QStringList VGuides READ VGuides WRITE SetVGuides)
    Q_PROPERTY(QString OnAfterPrint READ OnAfterPrint WRITE SetOnAfterPrint)
    Q_PROPERTY(QString OnBeforePrint READ OnBeforePrint WRITE SetOnBeforePrint)
    Q_PROPERTY(QString OnManualBuild READ OnManualBuild WRITE SetOnManualBuild)
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
    static constexpr int AutoBin = 7;
    // More page columns than this are refused: each has a position line.
    static constexpr int MaxColumns = 1000;

    // Draws the page background (Color, Frame, BackPicture) into `area`, the
    // printable area in device coordinates. The views layer installs it; with
    // none installed the background is not drawn.
    using BackgroundPainter
        = std::function<void(const TpgxReportPage &page, QPainter *canvas, const QRectF &area)>;
    static void SetBackgroundPainter(BackgroundPainter painter);

    // A4 portrait (the paper table's code 9), no margins, no columns.
    Q_INVOKABLE explicit TpgxReportPage(QObject *owner = nullptr);

    TPrinterOrientation Orientation() const { return m_orientation; }
    // A change swaps the paper's sides and turns the margins a quarter.
    void SetOrientation(TPrinterOrientation value);
    double PaperWidth() const { return m_paperWidth; }
    double PaperHeight() const { return m_paperHeight; }
    // A custom size: rounded to 8 decimals, PaperSize becomes 256.
    void SetPaperWidth(double mm);
    void SetPaperHeight(double mm);
    int PaperSize() const { return m_paperSize; }
    // A code the paper table knows (below 256) sets the size, turned for
    // landscape; any other code is only stored.
    void SetPaperSize(int code);
    // Code and size as given (each rounded), without the paper table.
    void SetSizeAndDimensions(int code, double width, double height);

    double LeftMargin() const { return m_leftMargin; }
    void SetLeftMargin(double mm) { m_leftMargin = mm; }
    double RightMargin() const { return m_rightMargin; }
    void SetRightMargin(double mm) { m_rightMargin = mm; }
    double TopMargin() const { return m_topMargin; }
    void SetTopMargin(double mm) { m_topMargin = mm; }
    double BottomMargin() const { return m_bottomMargin; }
    void SetBottomMargin(double mm) { m_bottomMargin = mm; }
    bool MirrorMargins() const { return m_mirrorMargins; }
    void SetMirrorMargins(bool value) { m_mirrorMargins = value; }

    int Columns() const { return m_columns; }
    // Splits the printable width into n equal columns (positions 0, w, 2w,
    // ...); 0 removes the columns. Throws pgx::Error outside 0..MaxColumns.
    void SetColumns(int n);
    double ColumnWidth() const { return m_columnWidth; }
    void SetColumnWidth(double mm) { m_columnWidth = mm; }
    QStringList ColumnPositions() const { return m_columnPositions; }
    void SetColumnPositions(const QStringList &value) { m_columnPositions = value; }

    int Bin() const { return m_bin; }
    void SetBin(int value) { m_bin = value; }
    int BinOtherPages() const { return m_binOtherPages; }
    void SetBinOtherPages(int value) { m_binOtherPages = value; }
    // The background picture, drawn over the printable area.
    TpgxPicture *BackPicture() const { return const_cast<TpgxPicture *>(&m_backPicture); }
    TColor Color() const { return m_color; }
    void SetColor(TColor value) { m_color = value; }

    TpgxDataSet *DataSet() const { return m_dataSet.get(); }
    void SetDataSet(TpgxDataSet *value);
    // The data source's UserName while it is set; empty once it is gone.
    QString DataSetName() const;
    void SetDataSetName(const QString &value);

    // The frame drawn around the printable area (no lines on a new page).
    TpgxFrame *Frame() const { return const_cast<TpgxFrame *>(&m_frame); }
    void SetFrame(const TpgxFrame *frame);
    TpgxDuplexMode Duplex() const { return m_duplex; }
    void SetDuplex(TpgxDuplexMode value) { m_duplex = value; }
    bool EndlessHeight() const { return m_endlessHeight; }
    void SetEndlessHeight(bool value) { m_endlessHeight = value; }
    bool EndlessWidth() const { return m_endlessWidth; }
    void SetEndlessWidth(bool value) { m_endlessWidth = value; }
    bool LargeDesignHeight() const { return m_largeDesignHeight; }
    void SetLargeDesignHeight(bool value) { m_largeDesignHeight = value; }
    QString OutlineText() const { return m_outlineText; }
    void SetOutlineText(const QString &value) { m_outlineText = value; }
    bool PrintIfEmpty() const { return m_printIfEmpty; }
    void SetPrintIfEmpty(bool value) { m_printIfEmpty = value; }
    bool PrintOnPreviousPage() const { return m_printOnPreviousPage; }
    void SetPrintOnPreviousPage(bool value) { m_printOnPreviousPage = value; }
    bool ResetPageNumbers() const { return m_resetPageNumbers; }
    void SetResetPageNumbers(bool value) { m_resetPageNumbers = value; }
    bool TitleBeforeHeader() const { return m_titleBeforeHeader; }
    void SetTitleBeforeHeader(bool value) { m_titleBeforeHeader = value; }
    QStringList HGuides() const { return m_hGuides; }
    void SetHGuides(const QStringList &value) { m_hGuides = value; }
    QStringList VGuides() const { return m_vGuides; }
    void SetVGuides(const QStringList &value) { m_vGuides = value; }
    QString OnAfterPrint() const { return m_onAfterPrint; }
    void SetOnAfterPrint(const QString &value) { m_onAfterPrint = value; }
    QString OnBeforePrint() const { return m_onBeforePrint; }
    void SetOnBeforePrint(const QString &value) { m_onBeforePrint = value; }
    QString OnManualBuild() const { return m_onManualBuild; }
    void SetOnManualBuild(const QString &value) { m_onManualBuild = value; }

    // The subreport object that prints this page, if any (set by the
    // subreport; cleared when it goes).
    TpgxComponent *SubReport() const { return m_subReport; }
    void SetSubReport(TpgxComponent *subreport) { m_subReport = subreport; }

    // Margins 10 mm each; paper and orientation from the current printer's
    // default sheet.
    void ApplyPrinterDefaults();
    // The first object in Objects of the given band class (or a subclass).
    TpgxBand *FirstBandOf(const QMetaObject &bandClass) const;
    template<class Band>
    Band *FirstBandOf() const
    {
        return static_cast<Band *>(FirstBandOf(Band::staticMetaObject));
    }

    // The printable area in millimetres: the paper less the margins.
    double PrintableWidth() const { return m_paperWidth - m_leftMargin - m_rightMargin; }
    double PrintableHeight() const { return m_paperHeight - m_topMargin - m_bottomMargin; }
    // Width and Height from the paper, in whole report units.
    void UpdateDimensions();
    // Draws the background over the printable area only, at the given scale
    // and offset (through the installed BackgroundPainter).
    void DrawBackground(QPainter *canvas, double scaleX, double scaleY, double offsetX,
                        double offsetY) const;
    // The page's printable area in device coordinates for that scale and
    // offset.
    QRectF BackgroundRect(double scaleX, double scaleY, double offsetX, double offsetY) const;

    // Lays the bands out over the printable area: views on the page by their
    // Align, then each band across the printable width (vertical bands down
    // the printable height) and its own children; the page keeps its paper
    // size afterwards.
    void ArrangeChildren() override;
    QString KindCaption() const override;
    // Dot-matrix pages answer true: bands on them keep Left, Top and Height
    // on the character grid (pg1CharX by pg1CharY).
    virtual bool UsesCharacterGrid() const { return false; }
    void loaded() override;

private:
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
    int m_bin = AutoBin;
    int m_binOtherPages = AutoBin;
    TpgxPicture m_backPicture{this};
    TColor m_color = clTransparent;
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
