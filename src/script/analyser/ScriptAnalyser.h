#pragma once

namespace pgx::script {

// Installs the syntax analyser as TkxScript's compiler: stage 1 over the
// script's Lines in its SyntaxType, then stage 2 into the script. Also
// registers the standard languages. An explicit start-up call (tools,
// engine, tests); calling it again installs it again.
void installScriptAnalyser();

}   // namespace pgx::script
