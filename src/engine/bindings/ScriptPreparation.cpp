#include "engine/bindings/ScriptPreparation.h"

#include "engine/bindings/ReportModule.h"
#include "engine/expressions/ReportEvaluation.h"
#include "engine/run/TpgxCustomEngine.h"
#include "platform/format/NumberText.h"
#include "prepared/TpgxOutline.h"
#include "report/resources/TpgxResources.h"
#include "report/root/TpgxReport.h"
#include "script/registry/ObjectTable.h"
#include "script/registry/Registry.h"
#include "script/runtime/Script.h"

#include <QtCore/QPointer>

namespace pgx::engine {

namespace {

// An object under its name, typed by its class (made known when it is not
// yet); nil under the class name scripts expect when there is none.
void declareRunObject(script::TkxScript &s, const QString &name, QObject *object,
                      const QString &classWhenNone)
{
    if (!object) {
        s.addVariable(name, script::TkxKind::Class, classWhenNone, script::Variant::fromInt(0));
        return;
    }
    ensureClass(s, object->metaObject());
    script::declareObject(s, name, object);
}

// "%s" twice, filled in order. The texts are the script's own and may hold
// anything, so nothing of them is read as a format.
QString scriptErrorText(const QString &position, const QString &message)
{
    QString text = pgxResources().get(QStringLiteral("clScrError"));
    for (const QString &part : {position, message}) {
        const qsizetype at = text.indexOf(QLatin1String("%s"));
        if (at < 0)
            break;
        text.replace(at, 2, part);
    }
    return text;
}

}   // namespace

bool prepareReportScript(TpgxReport &report, script::TkxScript &script, TpgxCustomEngine *engine,
                         TpgxOutline *outline)
{
    const qintptr reportOwner = qintptr(&report);
    ReportEvaluation::of(report).resetCache();
    // The engine empties its aggregate list when its run starts.
    script.clearItems(reportOwner);
    const qintptr savedOwner = script.itemOwner;
    struct RestoreOwner
    {
        script::TkxScript &s;
        qintptr owner;
        ~RestoreOwner() { s.itemOwner = owner; }
    } restore{script, savedOwner};
    script.itemOwner = reportOwner;
    script.mainRun = true;

    for (TpgxComponent *c : report.allObjects()) {
        c->setIsDesigning(false);
        c->prepareForRun();
        // A nameless object has nothing to be found by.
        if (!c->name().isEmpty())
            declareRunObject(script, c->name(), c, QString());
    }
    declareRunObject(script, QStringLiteral("Report"), &report, QString());
    declareRunObject(script, QStringLiteral("Engine"), engine, QStringLiteral("TpgxEngine"));
    declareRunObject(script, QStringLiteral("Outline"), outline, QStringLiteral("TpgxOutline"));
    if (outline) {
        // AddItem marks the place the engine has reached on the page.
        QPointer<TpgxCustomEngine> running(engine);
        outline->setCurrentTop(
            [running] { return running ? int(format::roundHalfEven(running->curY())) : 0; });
    }
    // "Value", Get, Set and the macro functions (IIF and the aggregates) are
    // the evaluation's own items: declared once with its script, they stay.

    script.setLines(report.scriptText());
    script.setSyntaxType(report.scriptLanguage());
    if (script.compile())
        return true;
    report.addError(scriptErrorText(script.errorPosition, script.errorMessage));
    return false;
}

}   // namespace pgx::engine
