#pragma once

class TpgxCustomEngine;
class TpgxOutline;
class TpgxReport;

namespace pgx::script {
class TkxScript;
}   // namespace pgx::script

namespace pgx::engine {

// Readies a report's script for a run: the report's earlier run items go,
// the expression cache starts empty in the report's language, every named
// object of the report is declared under its name (out of design mode,
// prepared for the run), then "Report", "Engine" and "Outline"; the script
// text is loaded in the report's language and compiled. The items belong to
// the report (ItemOwner), so the next preparation removes them again.
// Engine and outline may be absent (a check of the script outside a run):
// their names are then known with nil values. A compile error adds
// "Script error at <position>: <message>" to the report's errors; the
// result is whether the script compiled.
bool prepareReportScript(TpgxReport &report, script::TkxScript &script, TpgxCustomEngine *engine,
                         TpgxOutline *outline);

}   // namespace pgx::engine
