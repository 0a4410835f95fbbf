#pragma once

#include "report/component/TpgxComponent.h"

// The base of report, dialog and data pages. Publishes Font (stored only
// when it is not inherited) and Visible.
class TpgxPage : public TpgxComponent
{
    Q_OBJECT
    Q_PROPERTY(TpgxFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_CLASSINFO("pgx:stored:Font", "FontIsStored")
    Q_CLASSINFO("pgx:default:Visible", "True")

public:
    Q_INVOKABLE explicit TpgxPage(QObject *owner = nullptr);
};
