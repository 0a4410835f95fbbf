#pragma once

#include "report/pages/TpgxPage.h"

// The page that holds a report's non-visual components (data sources). It
// is placed first in the report and never printed; its size is only the
// designer's canvas for the components' icons.
class TpgxDataPage : public TpgxPage
{
    Q_OBJECT
    Q_PROPERTY(double Height READ height WRITE setHeight)
    Q_PROPERTY(double Left READ left WRITE setLeft)
    Q_PROPERTY(double Top READ top WRITE setTop)
    Q_PROPERTY(double Width READ width WRITE setWidth)

public:
    // 1000 x 1000.
    Q_INVOKABLE explicit TpgxDataPage(QObject *owner = nullptr);

    QString kindCaption() const override;
};
