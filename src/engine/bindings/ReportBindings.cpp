#include "engine/bindings/BindingFamilies.h"
#include "engine/bindings/ScriptObjects.h"

#include "engine/expressions/ReportEvaluation.h"
#include "engine/run/TpgxCustomEngine.h"
#include "prepared/TpgxOutline.h"
#include "report/bands/TpgxBand.h"
#include "report/data/TpgxDataSet.h"
#include "report/root/TpgxReport.h"
#include "report/root/TpgxVariables.h"
#include "script/registry/VariantBridge.h"
#include "script/runtime/Script.h"

namespace pgx::engine::bindings {

namespace {

void declareVariables(TkxScript &s)
{
    declareReportClass(s, &TpgxVariable::staticMetaObject, "TCollectionItem");
    TkxClassVariable *vars = declareReportClass(s, &TpgxVariables::staticMetaObject, "TCollection");
    vars->factory = [](H &) -> QObject * { return new TpgxVariables(); };
    script::declareConstructor(vars, "constructor Create");
    declareIndexed<TpgxVariables>(vars, "Variables", "String", "Variant", false, true,
                                  [](TpgxVariables *v, H &h, bool set) {
                                      const QString name = h.params(0).toString();
                                      if (set) {
                                          v->setValue(name, script::toQVariant(h.params(1)));
                                          return h.params(1);
                                      }
                                      return script::fromQVariant(v->value(name));
                                  });

    TkxClassVariable *array = declareReportClass(s, &TpgxArray::staticMetaObject, "TCollection");
    array->factory = [](H &) -> QObject * { return new TpgxArray(); };
    script::declareConstructor(array, "constructor Create");
    declareIndexed<TpgxArray>(array, "Variables", "Variant", "Variant", false, true,
                              [](TpgxArray *a, H &h, bool set) {
                                  if (set) {
                                      a->setValue(h.params(0), h.params(1));
                                      return h.params(1);
                                  }
                                  return a->value(h.params(0));
                              });
}

void declareReport(TkxScript &s)
{
    using R = TpgxReport;
    TkxClassVariable *c = declareReportClass(s, &R::staticMetaObject, "TpgxComponent");
    declareMember<R>(c, "function Calc(const Expr: String): Variant", [](R *r, H &h) {
        return script::fromQVariant(r->calc(h.params(0).toString()));
    });
    declareMember<R>(c, "function GetDataset(const Alias: String): TpgxDataset",
                     [](R *r, H &h) { return handleOf(r->getDataset(h.params(0).toString())); });
    declareMember<R>(c, "function LoadFromFile(const FileName: String): Boolean",
                     [](R *r, H &h) { return Variant(r->loadFromFile(h.params(0).toString())); });
    declareMember<R>(c, "procedure SaveToFile(const FileName: String)", [](R *r, H &h) {
        r->saveToFile(h.params(0).toString());
        return Variant();
    });
    // ### ShowReport needs the run and the preview window, which are built
    // above this module; until one installs it, the call says so.
    c->declareMethod(QStringLiteral("procedure ShowReport"),
                     [](QObject *, TkxClassVariable *, const QString &, H &) -> Variant {
                         throwUnavailable(QStringLiteral("ShowReport"));
                     });
    declareProp<R>(
        c, "Terminated", "Boolean", [](R *r) { return Variant(r->terminated()); },
        [](R *r, const Variant &v) {
            r->setTerminated(v.toBool());
            // Stopping the report stops its script as well.
            if (v.toBool())
                ReportEvaluation::of(*r).script().terminate();
        });
    declareProp<R>(c, "Variables", "TpgxVariables", [](R *r) { return handleOf(r->variables()); });
}

void declareEngine(TkxScript &s)
{
    using E = TpgxCustomEngine;
    TkxClassVariable *c = declareReportClass(s, &E::staticMetaObject, "TPersistent");
    declareMember<E>(c, "procedure AddAnchor(const Text: String)", [](E *e, H &h) {
        e->addAnchor(h.params(0).toString());
        return Variant();
    });
    declareMember<E>(c, "procedure NewPage", [](E *e, H &) {
        e->newPage();
        return Variant();
    });
    declareMember<E>(c, "procedure NewColumn", [](E *e, H &) {
        e->newColumn();
        return Variant();
    });
    declareMember<E>(c, "procedure ShowBand(Band: TpgxBand)", [](E *e, H &h) {
        e->showBand(objectArg<TpgxBand>(h.params(0)));
        return Variant();
    });
    declareMember<E>(c, "procedure StopReport", [](E *e, H &) {
        e->stopReport();
        return Variant();
    });
    declareMember<E>(c, "function FreeSpace: Extended",
                     [](E *e, H &) { return Variant(e->freeSpace()); });
    declareMember<E>(c, "function GetAnchorPage(const Text: String): Integer",
                     [](E *e, H &h) { return Variant(e->anchorPage(h.params(0).toString())); });
    // The engine's own class adds nothing scripts see.
    declareReportClass(s, nullptr, "TpgxCustomEngine", "TpgxEngine");
}

void declareOutline(TkxScript &s)
{
    using O = TpgxOutline;
    TkxClassVariable *c = declareReportClass(s, nullptr, "TPersistent", "TpgxCustomOutline");
    declareMember<O>(c, "procedure AddItem(const Text: String)", [](O *o, H &h) {
        o->addItem(h.params(0).toString(), o->currentTop());
        return Variant();
    });
    declareMember<O>(c, "procedure LevelRoot", [](O *o, H &) {
        o->levelRoot();
        return Variant();
    });
    declareMember<O>(c, "procedure LevelUp", [](O *o, H &) {
        o->levelUp();
        return Variant();
    });
    declareReportClass(s, &O::staticMetaObject, "TpgxCustomOutline");
}

}   // namespace

void declareReportObjects(TkxScript &s)
{
    declareVariables(s);
    declareReport(s);
    declareEngine(s);
    declareOutline(s);
    script::declareObject(s, QStringLiteral("pgxGlobalVariables"), &pgxGlobalVariables());
}

}   // namespace pgx::engine::bindings
