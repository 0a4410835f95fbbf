#pragma once

namespace pgx::engine {

class ReportEvaluation;

// IIF, SUM, AVG, MIN, MAX and COUNT in the report's script. They are
// macro functions: their arguments arrive as source text, which IIF
// evaluates only for the branch it takes, and which the aggregates hand on
// as the text a footer's item was made from.
void declareMacroFunctions(ReportEvaluation &evaluation);

}   // namespace pgx::engine
