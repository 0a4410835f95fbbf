#include "engine/run/PrepareReport.h"

#include "engine/bindings/ScriptPreparation.h"
#include "engine/expressions/ReportEvaluation.h"
#include "engine/run/TpgxEngine.h"
#include "platform/Error.h"
#include "platform/format/TextFormat.h"
#include "prepared/TpgxPreviewPages.h"
#include "report/resources/TpgxResources.h"
#include "report/root/ReportDataSets.h"
#include "report/root/TpgxReport.h"
#include "script/runtime/Script.h"
#include "script/runtime/Statements.h"
#include "script/value/ScriptError.h"

#include <QtCore/QBuffer>

namespace pgx::engine {

namespace {

bool prepareScript(TpgxReport &report, TpgxCustomEngine &engine)
{
    return prepareReportScript(report, ReportEvaluation::of(report).script(), &engine,
                               &engine.pages().outline());
}

void runScriptAndEngine(TpgxReport &report, TpgxEngine &engine)
{
    if (!prepareScript(report, engine))
        return;
    script::TkxScript &script = ReportEvaluation::of(report).script();
    if (script.mainStatement())
        script.execute();
    engine.run();
}

}   // namespace

bool prepareReport(TpgxReport &report, TpgxPreviewPages &pages, EngineHost *host,
                   bool clearPrevious)
{
    if (clearPrevious)
        pages.clear();
    report.clearErrors();
    report.setTerminated(false);
    for (const TpgxDataSetItem *item : report.dataSets()->items()) {
        if (!item->dataSet())
            report.addError(pgxResources()
                                .get(QStringLiteral("clDSNotExist"))
                                .replace(QLatin1String("%s"), item->dataSetName()));
    }
    if (!report.errors().isEmpty())
        return false;

    // Saved whole, so that the run can change what it likes.
    QBuffer saved;
    saved.open(QIODevice::ReadWrite);
    const QString password = report.reportOptions()->password;
    report.reportOptions()->password.clear();
    report.saveToStream(&saved);
    report.reportOptions()->password = password;

    {
        TpgxEngine engine(report, pages);
        engine.setHost(host);
        try {
            runScriptAndEngine(report, engine);
        } catch (const pgx::Error &error) {
            report.addError(error.message());
        } catch (const script::ScriptError &error) {
            report.addError(error.message());
        }
    }

    const QStringList errors = report.errors();
    saved.seek(0);
    report.setRestoring(true);
    report.loadFromStream(&saved);
    report.setRestoring(false);
    report.reportOptions()->password = password;
    report.clearErrors();
    for (const QString &error : errors)
        report.addError(error);
    return report.errors().isEmpty();
}

}   // namespace pgx::engine
