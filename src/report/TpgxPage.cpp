#include "report/TpgxPage.h"

TpgxPage::TpgxPage(QObject *owner) : TpgxComponent(owner) {}
