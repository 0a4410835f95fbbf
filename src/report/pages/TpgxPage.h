#pragma once

#include "report/component/TpgxComponent.h"

// The base of report, dialog and data pages. Publishes Font (stored only
// when it is not inherited) and Visible.
class TpgxPage : public TpgxComponent
{
    Q_OBJECT
    Q_PROPERTY(TpgxFont *Font READ font WRITE setFont)
    Q_PROPERTY(bool Visible READ visible WRITE setVisible)
    Q_CLASSINFO("pgx:stored:Font", "fontIsStored")
    Q_CLASSINFO("pgx:default:Visible", "True")

public:
    Q_INVOKABLE explicit TpgxPage(QObject *owner = nullptr);
};
