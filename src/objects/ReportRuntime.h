#pragma once

namespace pgx {

// Everything a program must set up once before it loads and prepares
// templates: the report and object classes, the script engine's analyser
// and library, report expressions, and the script modules of the report
// and its objects. Calling it again is harmless.
void setUpReportRuntime();

}   // namespace pgx
