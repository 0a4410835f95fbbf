#include "objects/ReportRuntime.h"

#include "engine/expressions/ReportEvaluation.h"
#include "objects/RegisterObjects.h"
#include "objects/barcode/BarcodeScriptModule.h"
#include "report/root/RegisterClasses.h"
#include "script/analyser/ScriptAnalyser.h"
#include "script/library/SysFunctions.h"

namespace pgx {

void setUpReportRuntime()
{
    registerReportClasses();
    registerObjectClasses();
    script::installScriptAnalyser();
    script::registerLibraryModules();
    engine::installReportEvaluation();
    // After the report module, whose classes the objects' modules extend.
    registerObjectModules();
}

}   // namespace pgx
