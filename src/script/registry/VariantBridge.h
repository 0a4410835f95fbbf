#pragma once

#include "script/value/Variant.h"

#include <QtCore/QVariant>

namespace pgx::script {

// Values crossing between scripts and Qt properties: numbers, booleans,
// strings and date-times keep their kind; anything else becomes its text.
Variant fromQVariant(const QVariant &value);
QVariant toQVariant(const Variant &value);

}   // namespace pgx::script
