#pragma once

// What the script and eval verbs share: the engine set up for a run, and
// the text form of values they print.

#include "script/value/Variant.h"

#include <QtCore/QString>

namespace pgx::tool {

// Installs the analyser, the languages and the script library once.
void setUpScriptEngine();

// The language of a script file from its extension (.cpp, .js, .vb; else
// PascalScript); the code editor saves scripts under these.
QString languageForFile(const QString &path);

// A value as the tool prints it: strings as they are, Null as "Null",
// booleans True/False, numbers in the script's own format, one-dimensional
// arrays as [a, b, c].
QString scriptValueText(const script::Variant &value);

} // namespace pgx::tool
