#pragma once

#include "engine/expressions/ReportEvaluation.h"

#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"
#include "script/analyser/ScriptAnalyser.h"
#include "script/library/SysFunctions.h"

#include <gtest/gtest.h>

namespace pgx::engine::test {

// A suite whose reports evaluate their expressions: the script analyser,
// the library, the report classes and the report's calc are installed for
// the suite and the calc is taken away after it.
class EvaluatingSuite : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        script::installScriptAnalyser();
        script::registerLibraryModules();
        registerReportClasses();
        installReportEvaluation();
    }
    static void TearDownTestSuite()
    {
        TpgxReport::setCalcHook({});
        TpgxReport::setValueHook({});
    }
};

}   // namespace pgx::engine::test
