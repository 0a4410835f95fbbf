#include "report/views/TpgxSubreport.h"

#include "report/pages/TpgxReportPage.h"

#include <QtGui/QFont>
#include <QtGui/QPainter>

TpgxSubreport::TpgxSubreport(QObject *owner) : TpgxView(owner)
{
    frame()->SetTyp(TpgxFrame::ftLeft | TpgxFrame::ftRight | TpgxFrame::ftTop
                    | TpgxFrame::ftBottom);
    TpgxFont font;
    font.SetName(QStringLiteral("Tahoma"));
    font.SetSize(8);
    SetFont(&font);
    setColor(12632256);
}

TpgxSubreport::~TpgxSubreport()
{
    setReportPage(nullptr);
}

void TpgxSubreport::setReportPage(TpgxReportPage *page)
{
    if (m_page == page)
        return;
    if (m_page && m_page->SubReport() == this)
        m_page->SetSubReport(nullptr);
    m_page = page;
    if (m_page)
        m_page->SetSubReport(this);
}

void TpgxSubreport::Draw(QPainter *canvas, double scaleX, double scaleY, double offsetX,
                         double offsetY)
{
    TpgxView::Draw(canvas, scaleX, scaleY, offsetX, offsetY);
    const TpgxFont *f = Font();
    QFont font(f->Name());
    font.setPixelSize(qMax(1, pgx::views::roundPixel(std::abs(f->Height()) * scaleY)));
    font.setBold(f->Style().testFlag(TpgxFont::fsBold));
    font.setItalic(f->Style().testFlag(TpgxFont::fsItalic));
    canvas->save();
    canvas->setFont(font);
    canvas->setPen(pgx::views::toQColor(f->Color()));
    const pgx::views::DeviceBox &b = deviceBox();
    canvas->drawText(QRect(QPoint(b.x + 2, b.y + 2), QPoint(b.x1 - 1, b.y1 - 1)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Name());
    canvas->restore();
}
