#pragma once

// What the script and eval verbs share: the engine set up for a run and
// the language of a file. Values print through script::displayText.

#include <QtCore/QString>

namespace pgx::tool {

// Installs the analyser, the languages and the script library once.
void setUpScriptEngine();

// The language of a script file from its extension (.cpp, .js, .vb; else
// PascalScript); the code editor saves scripts under these.
QString languageForFile(const QString &path);

} // namespace pgx::tool
