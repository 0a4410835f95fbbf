#include "script_run.h"

#include "script/analyser/ScriptAnalyser.h"
#include "script/library/SysFunctions.h"

namespace pgx::tool {

void setUpScriptEngine()
{
    script::installScriptAnalyser();
    script::registerLibraryModules();
}

}   // namespace pgx::tool
