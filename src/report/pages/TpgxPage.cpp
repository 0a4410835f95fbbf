#include "report/pages/TpgxPage.h"

TpgxPage::TpgxPage(QObject *owner) : TpgxComponent(owner) { }
