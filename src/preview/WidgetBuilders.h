#pragma once

#include "preview/PreviewTexts.h"

#include <QtCore/QLatin1String>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLayout>

namespace pgx::preview {

// The layer's dialogs name every control, so that tests find them.
template<typename Widget>
Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A named group box captioned with the resource text of `key`.
inline QGroupBox *group(const char *key, const char *name, QLayout *layout)
{
    auto *box = named(new QGroupBox(previewText(key)), name);
    box->setLayout(layout);
    return box;
}

}   // namespace pgx::preview
