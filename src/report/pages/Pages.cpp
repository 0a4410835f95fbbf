// The two pages that are not printed: the data page and the dialog page.
#include "report/pages/TpgxDataPage.h"
#include "report/pages/TpgxDialogPage.h"
#include "report/resources/TpgxResources.h"

TpgxDataPage::TpgxDataPage(QObject *owner) : TpgxPage(owner)
{
    setWidth(1000);
    setHeight(1000);
}

QString TpgxDataPage::kindCaption() const
{
    return pgxResources().get(QStringLiteral("obDataPage"));
}

TpgxDialogPage::TpgxDialogPage(QObject *owner) : TpgxPage(owner)
{
    // The dialog font of the platform's windows; it is the page's own, so
    // it is stored with the page.
    font()->setName(QStringLiteral("Tahoma"));
    font()->setSize(8);
}

QString TpgxDialogPage::kindCaption() const
{
    return pgxResources().get(QStringLiteral("obDlgPage"));
}
