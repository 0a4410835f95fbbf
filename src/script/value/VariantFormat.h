#pragma once

#include "script/value/Variant.h"

#include <QtCore/QString>

namespace pgx::script {

// The script's Format(Fmt, Args): the elements of the argument array are
// passed by kind to the one formatting engine - integers as integers, Int64
// as such, single, double, currency and date as floating numbers, strings as
// strings (whole: nothing is cut), booleans as booleans; Null and Empty
// count as the integer 0. A non-array argument is one argument. Kind and
// count mismatches raise ScriptError (EConvertError).
QString formatVariants(const QString &format, const Variant &args);

// A value as tools and listings show it: Null as "Null", a one-dimensional
// array as "[a, b, c]" (deeper arrays as "[]"), anything else as its string.
QString displayText(const Variant &value);

}   // namespace pgx::script
