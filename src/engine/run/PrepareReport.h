#pragma once

class TpgxPreviewPages;
class TpgxReport;

namespace pgx::engine {

class EngineHost;

// Runs a report into prepared pages: the data-set checks, the report's
// script compiled with its objects and run, then the engine. The report is
// saved before and restored after the run, so nothing a script changes
// survives it. False when the report failed; its errors say why. `host`
// null runs headless.
bool prepareReport(TpgxReport &report, TpgxPreviewPages &pages, EngineHost *host = nullptr,
                   bool clearPrevious = true);

}   // namespace pgx::engine
