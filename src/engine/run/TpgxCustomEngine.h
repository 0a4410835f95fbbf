#pragma once

#include <QtCore/QObject>
#include <QtCore/QVariant>

class TpgxBand;
class TpgxPreviewPages;
class TpgxReport;

// The report engine as scripts and the rest of the program see it: the
// position on the page being filled, the pass, and the operations a report
// script may call while the report runs (Engine.NewPage, Engine.ShowBand
// ...). TpgxEngine is the one implementation.
class TpgxCustomEngine : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int CurColumn READ curColumn WRITE setCurColumn)
    Q_PROPERTY(int CurVColumn READ curVColumn WRITE setCurVColumn)
    Q_PROPERTY(double CurX READ curX WRITE setCurX)
    Q_PROPERTY(double CurY READ curY WRITE setCurY)
    Q_PROPERTY(bool DoublePass READ doublePass)
    Q_PROPERTY(bool FinalPass READ finalPass)
    Q_PROPERTY(double PageHeight READ pageHeight WRITE setPageHeight)
    Q_PROPERTY(double PageWidth READ pageWidth WRITE setPageWidth)
    Q_PROPERTY(double StartDate READ startDate)
    Q_PROPERTY(double StartTime READ startTime)
    Q_PROPERTY(int TotalPages READ totalPages)

public:
    TpgxCustomEngine(TpgxReport &report, TpgxPreviewPages &pages);
    ~TpgxCustomEngine() override;

    TpgxReport &report() const { return m_report; }
    TpgxPreviewPages &pages() const { return m_pages; }

    int curColumn() const { return m_curColumn; }
    void setCurColumn(int value) { m_curColumn = value; }
    int curVColumn() const { return m_curVColumn; }
    void setCurVColumn(int value) { m_curVColumn = value; }
    double curX() const { return m_curX; }
    void setCurX(double value) { m_curX = value; }
    double curY() const { return m_curY; }
    void setCurY(double value) { m_curY = value; }
    // EngineOptions.DoublePass of the report.
    bool doublePass() const;
    bool finalPass() const { return m_finalPass; }
    double pageHeight() const { return m_pageHeight; }
    void setPageHeight(double value) { m_pageHeight = value; }
    double pageWidth() const { return m_pageWidth; }
    void setPageWidth(double value) { m_pageWidth = value; }
    // Days since 30.12.1899 (the date) and the fraction of a day (the time)
    // at which the run started.
    double startDate() const { return m_startDate; }
    double startTime() const { return m_startTime; }
    // The physical page count of the first pass; 0 in a one-pass run.
    int totalPages() const { return m_totalPages; }
    bool running() const { return m_running; }
    // "Line" and "Line#": the row within its group and since its data
    // source started, of the data band being shown.
    int lineCounter() const { return m_lineCounter; }
    int absLineCounter() const { return m_absLineCounter; }

    // --- what scripts call -----------------------------------------------------
    virtual void finishPage() = 0;
    virtual void newColumn() = 0;
    virtual void newPage() = 0;
    virtual void showBand(TpgxBand *band) = 0;
    // The first band of that class on the page being run; nothing if none.
    virtual void showBandOfClass(const QMetaObject &bandClass) = 0;
    virtual double topReservedHeight() const = 0;
    virtual double bottomReservedHeight() const = 0;
    // Room left below CurY on the current page.
    virtual double freeSpace() const = 0;
    // SUM, AVG, MIN, MAX or COUNT of a report expression over the rows of a
    // data band, answered for the band being calculated.
    virtual QVariant computeAggregate(const QString &name, const QString &expression,
                                      TpgxBand *band, int flags) = 0;
    // Prepares the report into the pages; true when pages were produced.
    virtual bool run() = 0;
    void stopReport();
    void addAnchor(const QString &text);
    int anchorPage(const QString &text) const;

protected:
    TpgxReport &m_report;
    TpgxPreviewPages &m_pages;
    int m_curColumn = 1;
    int m_curVColumn = 0;
    int m_lineCounter = 0;
    int m_absLineCounter = 0;
    double m_curX = 0;
    double m_curY = 0;
    bool m_finalPass = true;
    double m_pageHeight = 0;
    double m_pageWidth = 0;
    double m_startDate = 0;
    double m_startTime = 0;
    int m_totalPages = 0;
    bool m_running = false;
};
