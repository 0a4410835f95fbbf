#include "report/views/TpgxSubreport.h"

#include "report/pages/TpgxReportPage.h"

#include <QtGui/QFont>
#include <QtGui/QPainter>

TpgxSubreport::TpgxSubreport(QObject *owner) : TpgxView(owner)
{
    frame()->setTyp(TpgxFrame::ftLeft | TpgxFrame::ftRight | TpgxFrame::ftTop
                    | TpgxFrame::ftBottom);
    TpgxFont font;
    font.setName(QStringLiteral("Tahoma"));
    font.setSize(8);
    setFont(&font);
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
    if (m_page && m_page->subReport() == this)
        m_page->setSubReport(nullptr);
    m_page = page;
    if (m_page)
        m_page->setSubReport(this);
}

void TpgxSubreport::draw(QPainter *canvas, double scaleX, double scaleY, double offsetX,
                         double offsetY)
{
    TpgxView::draw(canvas, scaleX, scaleY, offsetX, offsetY);
    const TpgxFont *f = font();
    QFont font(f->name());
    font.setPixelSize(qMax(1, pgx::views::roundPixel(std::abs(f->height()) * scaleY)));
    font.setBold(f->style().testFlag(TpgxFont::fsBold));
    font.setItalic(f->style().testFlag(TpgxFont::fsItalic));
    canvas->save();
    canvas->setFont(font);
    canvas->setPen(pgx::views::toQColor(f->color()));
    const pgx::views::DeviceBox &b = deviceBox();
    canvas->drawText(QRect(QPoint(b.x + 2, b.y + 2), QPoint(b.x1 - 1, b.y1 - 1)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, name());
    canvas->restore();
}
