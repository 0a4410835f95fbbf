#pragma once

// What the script and eval verbs share: the engine set up for a run. A
// file's language is script::languageForFile; values print through
// script::displayText.

#include <QtCore/QString>

namespace pgx::tool {

// Installs the analyser, the languages and the script library once.
void setUpScriptEngine();

}   // namespace pgx::tool
