#pragma once

#include "report/pages/TpgxReportPage.h"
#include "report/views/TpgxView.h"

#include <QtCore/QPointer>

// "Subreport object": a placeholder on a band for a report page that
// prints in its place. The link goes both ways: setting Page points the
// page back at this object, and destroying either side clears it.
class TpgxSubreport : public TpgxView
{
    Q_OBJECT
    Q_PROPERTY(TpgxReportPage *Page READ reportPage WRITE setReportPage)
    Q_PROPERTY(bool PrintOnParent READ printOnParent WRITE setPrintOnParent)
    Q_CLASSINFO("pgx:default:PrintOnParent", "False")

public:
    // Framed on all four sides, Tahoma 8 points, silver.
    Q_INVOKABLE explicit TpgxSubreport(QObject *owner = nullptr);
    ~TpgxSubreport() override;

    // The page this object prints (Page; named so apart from the component's
    // own Page(), the page it lies on).
    TpgxReportPage *reportPage() const { return m_page; }
    void setReportPage(TpgxReportPage *page);
    bool printOnParent() const { return m_printOnParent; }
    void setPrintOnParent(bool value) { m_printOnParent = value; }

    // The view, then the object's name at (X + 2, Y + 2) in its font.
    void draw(QPainter *canvas, double scaleX, double scaleY, double offsetX,
              double offsetY) override;

private:
    QPointer<TpgxReportPage> m_page;
    bool m_printOnParent = false;
};
