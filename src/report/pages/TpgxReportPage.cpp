#include "report/pages/TpgxReportPage.h"

#include "platform/Error.h"
#include "platform/format/NumberText.h"
#include "platform/printing/PaperTable.h"
#include "platform/printing/Printers.h"
#include "report/bands/TpgxBand.h"
#include "report/data/TpgxDataSet.h"
#include "report/resources/TpgxResources.h"

#include <QtCore/QMutex>
#include <cmath>
#include <utility>

namespace {

// Paper sizes keep 8 decimals (half to even): enough for any driver's
// sheet, and a size read back from a template equals the one written.
double roundPaper(double mm)
{
    return std::nearbyint(mm * 1e8) / 1e8;
}

QMutex backgroundMutex;
TpgxReportPage::BackgroundPainter &backgroundPainter()
{
    static TpgxReportPage::BackgroundPainter painter;
    return painter;
}

}   // namespace

void TpgxReportPage::SetBackgroundPainter(BackgroundPainter painter)
{
    QMutexLocker lock(&backgroundMutex);
    backgroundPainter() = std::move(painter);
}

TpgxReportPage::TpgxReportPage(QObject *owner) : TpgxPage(owner)
{
    SetNameStem(QStringLiteral("Page"));
    SetPaperSize(pgx::kDefaultPaper);
}

void TpgxReportPage::SetOrientation(TPrinterOrientation value)
{
    if (IsLoading() || value == m_orientation) {
        m_orientation = value;
        return;
    }
    std::swap(m_paperWidth, m_paperHeight);
    const double left = m_leftMargin, right = m_rightMargin, top = m_topMargin,
                 bottom = m_bottomMargin;
    if (value == poLandscape) {
        m_leftMargin = top;
        m_rightMargin = bottom;
        m_topMargin = right;
        m_bottomMargin = left;
    } else {
        m_leftMargin = bottom;
        m_rightMargin = top;
        m_topMargin = left;
        m_bottomMargin = right;
    }
    m_orientation = value;
    UpdateDimensions();
}

void TpgxReportPage::SetPaperWidth(double mm)
{
    m_paperWidth = roundPaper(mm);
    // While loading, a stored PaperSize decides (loaded()).
    if (IsLoading())
        m_loadedSize = true;
    else
        m_paperSize = pgx::kCustomPaper;
    UpdateDimensions();
}

void TpgxReportPage::SetPaperHeight(double mm)
{
    m_paperHeight = roundPaper(mm);
    // While loading, a stored PaperSize decides (loaded()).
    if (IsLoading())
        m_loadedSize = true;
    else
        m_paperSize = pgx::kCustomPaper;
    UpdateDimensions();
}

void TpgxReportPage::SetPaperSize(int code)
{
    m_paperSize = code;
    if (IsLoading()) {
        m_loadedCode = true;
        return;
    }
    if (code >= pgx::kCustomPaper)
        return;
    double width = 0, height = 0;
    if (pgx::LookUpPaperSize(code, width, height)) {
        if (m_orientation == poLandscape)
            std::swap(width, height);
        m_paperWidth = width;
        m_paperHeight = height;
    }
    UpdateDimensions();
}

void TpgxReportPage::SetSizeAndDimensions(int code, double width, double height)
{
    m_paperSize = code;
    m_paperWidth = roundPaper(width);
    m_paperHeight = roundPaper(height);
    UpdateDimensions();
}

void TpgxReportPage::SetColumns(int n)
{
    if (n < 0 || n > MaxColumns)
        throw pgx::Error(pgxResources().Get(QStringLiteral("prInvProp")));
    m_columns = n;
    // A template stores width and positions of its own; they follow Columns.
    if (IsLoading())
        return;
    m_columnPositions.clear();
    if (n == 0)
        return;
    m_columnWidth = PrintableWidth() / n;
    for (int i = 0; i < n; ++i)
        m_columnPositions.append(pgx::format::fileFloatText(i * m_columnWidth));
}

void TpgxReportPage::SetDataSet(TpgxDataSet *value)
{
    m_dataSet.set(value);
}

QString TpgxReportPage::DataSetName() const
{
    return m_dataSet.name();
}

void TpgxReportPage::SetDataSetName(const QString &value)
{
    m_dataSet.setName(value);
}

void TpgxReportPage::SetFrame(const TpgxFrame *frame)
{
    if (frame)
        m_frame.Assign(*frame);
}

void TpgxReportPage::ApplyPrinterDefaults()
{
    m_leftMargin = m_rightMargin = m_topMargin = m_bottomMargin = 10;
    const pgx::TpgxCustomPrinter *printer = pgx::TpgxPrinters::instance().currentPrinter();
    if (!printer)
        return UpdateDimensions();
    // The printer's default sheet is already turned for its orientation.
    m_orientation = printer->defaultOrientation() == pgx::poLandscape ? poLandscape : poPortrait;
    SetSizeAndDimensions(printer->defaultPaper(), printer->defaultPaperWidth(),
                         printer->defaultPaperHeight());
}

TpgxBand *TpgxReportPage::FirstBandOf(const QMetaObject &bandClass) const
{
    for (TpgxComponent *child : Objects())
        if (child->metaObject()->inherits(&bandClass))
            return qobject_cast<TpgxBand *>(child);
    return nullptr;
}

void TpgxReportPage::UpdateDimensions()
{
    TpgxComponent::SetWidth(std::nearbyint(m_paperWidth * pg01cm));
    TpgxComponent::SetHeight(std::nearbyint(m_paperHeight * pg01cm));
}

QRectF TpgxReportPage::BackgroundRect(double scaleX, double scaleY, double offsetX,
                                      double offsetY) const
{
    return QRectF(offsetX + m_leftMargin * pg01cm * scaleX, offsetY + m_topMargin * pg01cm * scaleY,
                  PrintableWidth() * pg01cm * scaleX, PrintableHeight() * pg01cm * scaleY);
}

void TpgxReportPage::DrawBackground(QPainter *canvas, double scaleX, double scaleY, double offsetX,
                                    double offsetY) const
{
    BackgroundPainter painter;
    {
        QMutexLocker lock(&backgroundMutex);
        painter = backgroundPainter();
    }
    if (painter)
        painter(*this, canvas, BackgroundRect(scaleX, scaleY, offsetX, offsetY));
}

void TpgxReportPage::ArrangeChildren()
{
    TpgxComponent::SetWidth(PrintableWidth() * pg01cm);
    TpgxComponent::SetHeight(PrintableHeight() * pg01cm);
    TpgxPage::ArrangeChildren();
    for (TpgxComponent *child : Objects()) {
        auto *band = qobject_cast<TpgxBand *>(child);
        if (!band)
            continue;
        if (band->Vertical())
            band->SetHeight(Height() - band->Top());
        else
            band->SetWidth(Width() - band->Left());
        band->ArrangeChildren();
    }
    UpdateDimensions();
}

QString TpgxReportPage::KindCaption() const
{
    return pgxResources().Get(QStringLiteral("obRepPage"));
}

void TpgxReportPage::loaded()
{
    TpgxPage::loaded();
    // A stored code wins over stored sizes whenever the table knows it; sizes
    // stored without a code are a custom size; with neither, the page's code
    // gives the size in the stored orientation.
    if (m_loadedSize && !m_loadedCode)
        m_paperSize = pgx::kCustomPaper;
    else
        SetPaperSize(m_paperSize);
    m_loadedCode = m_loadedSize = false;
    UpdateDimensions();
}
