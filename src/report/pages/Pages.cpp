// The two pages that are not printed: the data page and the dialog page.
#include "report/pages/TpgxDataPage.h"
#include "report/pages/TpgxDialogPage.h"
#include "report/resources/TpgxResources.h"

TpgxDataPage::TpgxDataPage(QObject *owner) : TpgxPage(owner)
{
    SetWidth(1000);
    SetHeight(1000);
}

QString TpgxDataPage::KindCaption() const
{
    return pgxResources().Get(QStringLiteral("obDataPage"));
}

TpgxDialogPage::TpgxDialogPage(QObject *owner) : TpgxPage(owner)
{
    // The dialog font of the platform's windows; it is the page's own, so
    // it is stored with the page.
    Font()->SetName(QStringLiteral("Tahoma"));
    Font()->SetSize(8);
}

QString TpgxDialogPage::KindCaption() const
{
    return pgxResources().Get(QStringLiteral("obDlgPage"));
}
