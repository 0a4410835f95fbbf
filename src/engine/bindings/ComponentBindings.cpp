#include "engine/bindings/BindingFamilies.h"
#include "engine/bindings/ScriptObjects.h"

#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/component/TpgxFrame.h"
#include "report/pages/TpgxDataPage.h"
#include "report/pages/TpgxDialogPage.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/ReportOptions.h"
#include "report/views/TpgxLineView.h"
#include "report/views/TpgxMemoView.h"
#include "report/views/TpgxPictureView.h"
#include "report/views/TpgxShapeView.h"
#include "report/views/TpgxSubreport.h"
#include "script/library/Classes.h"
#include "script/registry/VariantBridge.h"

namespace pgx::engine::bindings {

namespace {

TWideStrings *wide(QObject *o)
{
    return script::self<TWideStrings>(o);
}

// Runs an edit on the owner's current lines and writes them back.
template<class F>
Variant editLines(TWideStrings *t, F &&edit)
{
    script::TStringList &list = t->list();
    Variant result = edit(list);
    t->commit();
    return result;
}

void declareWideStrings(TkxScript &s)
{
    TkxClassVariable *c = declareReportClass(s, &TWideStrings::staticMetaObject, "TPersistent");
    auto method = [c](const char *declaration,
                      std::function<Variant(script::TStringList &, H &)> fn) {
        c->declareMethod(QString::fromLatin1(declaration),
                         [fn](QObject *o, TkxClassVariable *, const QString &, H &h) {
                             return script::runGuarded([&] {
                                 return editLines(wide(o),
                                                  [&](script::TStringList &l) { return fn(l, h); });
                             });
                         });
    };
    auto objectHandle
        = [](const Variant &v) { return TkxObjectTable::handleOf(TkxObjectTable::object(v)); };
    auto index
        = [](const Variant &v) { return int(qBound<qint64>(-1, v.toInt64(), qint64(INT_MAX))); };
    method("function Add(const S: string): Integer",
           [](script::TStringList &l, H &h) { return Variant(l.add(h.params(0).toString())); });
    method("function AddObject(const S: string; AObject: TObject): Integer",
           [objectHandle](script::TStringList &l, H &h) {
               return Variant(l.addObject(h.params(0).toString(), objectHandle(h.params(1))));
           });
    method("procedure Clear", [](script::TStringList &l, H &) {
        l.clear();
        return Variant();
    });
    method("procedure Delete(Index: Integer)", [index](script::TStringList &l, H &h) {
        l.removeAt(index(h.params(0)));
        return Variant();
    });
    method("function IndexOf(const S: string): Integer",
           [](script::TStringList &l, H &h) { return Variant(l.indexOf(h.params(0).toString())); });
    method("procedure Insert(Index: Integer; const S: string)",
           [index](script::TStringList &l, H &h) {
               l.insert(index(h.params(0)), h.params(1).toString());
               return Variant();
           });
    method("procedure LoadFromFile(const FileName: string)", [](script::TStringList &l, H &h) {
        l.loadFromFile(h.params(0).toString());
        return Variant();
    });
    method("procedure LoadFromStream(Stream: TStream)", [](script::TStringList &l, H &h) {
        l.loadFromStream(objectArg<script::TStream>(h.params(0)));
        return Variant();
    });
    method("procedure SaveToFile(const FileName: string)", [](script::TStringList &l, H &h) {
        l.saveToFile(h.params(0).toString());
        return Variant();
    });
    method("procedure SaveToStream(Stream: TStream)", [](script::TStringList &l, H &h) {
        l.saveToStream(objectArg<script::TStream>(h.params(0)));
        return Variant();
    });
    declareProp<TWideStrings>(c, "Count", "Integer",
                              [](TWideStrings *t) { return Variant(t->list().count()); });
    declareProp<TWideStrings>(
        c, "Text", "string", [](TWideStrings *t) { return str8(t->list().text()); },
        [](TWideStrings *t, const Variant &v) {
            editLines(t, [&](script::TStringList &l) {
                l.setText(v.toString());
                return Variant();
            });
        });
    declareIndexed<TWideStrings>(c, "Objects", "Integer", "TObject", false, false,
                                 [index, objectHandle](TWideStrings *t, H &h, bool set) {
                                     return editLines(t, [&](script::TStringList &l) {
                                         const int i = index(h.params(0));
                                         if (set)
                                             l.putObject(i, objectHandle(h.params(1)));
                                         return Variant::fromInt(l.getObject(i));
                                     });
                                 });
    declareIndexed<TWideStrings>(c, "Strings", "Integer", "string", false, true,
                                 [index](TWideStrings *t, H &h, bool set) {
                                     return editLines(t, [&](script::TStringList &l) {
                                         const int i = index(h.params(0));
                                         if (set)
                                             l.put(i, h.params(1).toString());
                                         return str8(l.get(i));
                                     });
                                 });
}

void declareComponentBase(TkxScript &s)
{
    using C = TpgxComponent;
    TkxClassVariable *c = declareReportClass(s, &C::staticMetaObject, "TComponent");
    declareMember<C>(c, "procedure Clear", [](C *o, H &) {
        o->clear();
        return Variant();
    });
    declareMember<C>(c, "function FindObject(s: String): TpgxComponent",
                     [](C *o, H &h) { return handleOf(o->findObject(h.params(0).toString())); });
    declareMember<C>(c, "procedure LoadFromStream(Stream: TStream)", [](C *o, H &h) {
        o->loadFromStream(objectArg<script::TStream>(h.params(0))->device());
        return Variant();
    });
    declareMember<C>(c, "procedure SaveToStream(Stream: TStream; SaveChildren: Boolean = True)",
                     [](C *o, H &h) {
                         o->saveToStream(objectArg<script::TStream>(h.params(0))->device(),
                                         h.params(1).toBool());
                         return Variant();
                     });
    declareMember<C>(c, "procedure SetBounds(ALeft, ATop, AWidth, AHeight: Extended)",
                     [](C *o, H &h) {
                         o->setBounds(h.params(0).toDouble(), h.params(1).toDouble(),
                                      h.params(2).toDouble(), h.params(3).toDouble());
                         return Variant();
                     });
    declareProp<C>(c, "Objects", "TList", [](C *o) { return handleOf(componentList(o, false)); });
    declareProp<C>(c, "AllObjects", "TList", [](C *o) { return handleOf(componentList(o, true)); });
    declareProp<C>(
        c, "Parent", "TpgxComponent", [](C *o) { return handleOf(o->parentComponent()); },
        [](C *o, const Variant &v) { o->setParentComponent(TkxObjectTable::as<C>(v)); });
    declareProp<C>(c, "Page", "TpgxPage", [](C *o) { return handleOf(o->page()); });
    declareProp<C>(c, "AbsLeft", "Extended", [](C *o) { return Variant(o->absLeft()); });
    declareProp<C>(c, "AbsTop", "Extended", [](C *o) { return Variant(o->absTop()); });

    declareReportClass(s, &TpgxReportComponent::staticMetaObject, "TpgxComponent");
    declareReportClass(s, &TpgxDialogComponent::staticMetaObject, "TpgxReportComponent");
    // ### dialog controls are not built yet: the class is known by name so
    // that scripts that name it compile.
    TkxClassVariable *control
        = declareReportClass(s, nullptr, "TpgxReportComponent", "TpgxDialogControl");
    control->declareMethod(QStringLiteral("procedure SetFocus"),
                           [](QObject *, TkxClassVariable *, const QString &, H &) -> Variant {
                               throwUnavailable(QStringLiteral("SetFocus"));
                           });
}

void declarePersistents(TkxScript &s)
{
    const QMetaObject *const kClasses[] = {
        &TpgxFrameLine::staticMetaObject,      &TpgxFrame::staticMetaObject,
        &TpgxHighlight::staticMetaObject,      &TpgxFormat::staticMetaObject,
        &TpgxEngineOptions::staticMetaObject,  &TpgxPrintOptions::staticMetaObject,
        &TpgxPreviewOptions::staticMetaObject, &TpgxReportOptions::staticMetaObject,
    };
    for (const QMetaObject *meta : kClasses)
        declareReportClass(s, meta, "TPersistent");
}

void declareViews(TkxScript &s)
{
    TkxClassVariable *view
        = declareReportClass(s, &TpgxView::staticMetaObject, "TpgxReportComponent");
    declareProp<TpgxView>(
        view, "TagStr", "string", [](TpgxView *v) { return str8(v->tagStr()); },
        [](TpgxView *v, const Variant &value) { v->setTagStr(value.toString()); });
    declareReportClass(s, &TpgxShapeView::staticMetaObject, "TpgxView");

    TkxClassVariable *stretch
        = declareReportClass(s, &TpgxStretcheable::staticMetaObject, "TpgxView");
    declareMember<TpgxStretcheable>(
        stretch, "function CalcHeight: Extended",
        [](TpgxStretcheable *v, H &) { return Variant(v->calcHeight()); });

    using M = TpgxCustomMemoView;
    TkxClassVariable *memo = declareReportClass(s, &M::staticMetaObject, "TpgxStretcheable");
    declareMember<M>(memo, "function CalcWidth: Extended",
                     [](M *m, H &) { return Variant(m->calcWidth()); });
    declareProp<M>(
        memo, "Text", "string", [](M *m) { return str8(m->text()); },
        [](M *m, const Variant &v) { m->setText(v.toString()); });
    declareProp<M>(
        memo, "Lines", "TWideStrings", [](M *m) { return handleOf(TWideStrings::linesOf(m)); },
        [](M *m, const Variant &v) {
            QObject *source = TkxObjectTable::object(v);
            if (auto *w = qobject_cast<TWideStrings *>(source))
                m->setMemo(w->list().strings());
            else if (auto *strings = qobject_cast<script::TStrings *>(source))
                m->setMemo(strings->strings());
            else if (!source)
                m->setMemo({});
            else
                throw script::ScriptError(QStringLiteral("Invalid class typecast"),
                                          QStringLiteral("EInvalidCast"));
        });
    declareProp<M>(memo, "Value", "Variant", [](M *m) { return script::fromQVariant(m->value()); });
    declareReportClass(s, &TpgxMemoView::staticMetaObject, "TpgxCustomMemoView");
    declareReportClass(s, &TpgxSysMemoView::staticMetaObject, "TpgxCustomMemoView");
    // ### dot-matrix objects are not built: known by name only.
    declareReportClass(s, nullptr, "TpgxCustomMemoView", "TpgxDMPMemoView");

    declareReportClass(s, &TpgxCustomLineView::staticMetaObject, "TpgxStretcheable");
    declareReportClass(s, &TpgxLineView::staticMetaObject, "TpgxCustomLineView");
    declareReportClass(s, nullptr, "TpgxCustomLineView", "TpgxDMPLineView");
    declareReportClass(s, nullptr, "TpgxView", "TpgxDMPCommand");
    declareReportClass(s, &TpgxSubreport::staticMetaObject, "TpgxView");

    TkxClassVariable *picture
        = declareReportClass(s, &TpgxPictureView::staticMetaObject, "TpgxView");
    declareMember<TpgxPictureView>(picture, "procedure LoadFromFile(filename: String)",
                                   [](TpgxPictureView *p, H &h) {
                                       const QString file = h.params(0).toString();
                                       if (!p->loadFromFile(file))
                                           script::throwFileError(file, false);
                                       return Variant();
                                   });
}

void declareBands(TkxScript &s)
{
    TkxClassVariable *band
        = declareReportClass(s, &TpgxBand::staticMetaObject, "TpgxReportComponent");
    declareProp<TpgxBand>(band, "Overflow", "Boolean",
                          [](TpgxBand *b) { return Variant(b->runState().overflow); });
    declareReportClass(s, &TpgxDataBand::staticMetaObject, "TpgxBand");
    const QMetaObject *const kBands[] = {
        &TpgxHeader::staticMetaObject,       &TpgxFooter::staticMetaObject,
        &TpgxPageHeader::staticMetaObject,   &TpgxPageFooter::staticMetaObject,
        &TpgxColumnHeader::staticMetaObject, &TpgxColumnFooter::staticMetaObject,
        &TpgxGroupHeader::staticMetaObject,  &TpgxGroupFooter::staticMetaObject,
        &TpgxReportTitle::staticMetaObject,  &TpgxReportSummary::staticMetaObject,
        &TpgxChild::staticMetaObject,        &TpgxOverlay::staticMetaObject,
    };
    for (const QMetaObject *meta : kBands)
        declareReportClass(s, meta, "TpgxBand");
    const QMetaObject *const kDataBands[] = {
        &TpgxMasterData::staticMetaObject,    &TpgxDetailData::staticMetaObject,
        &TpgxSubdetailData::staticMetaObject, &TpgxDataBand4::staticMetaObject,
        &TpgxDataBand5::staticMetaObject,     &TpgxDataBand6::staticMetaObject,
    };
    for (const QMetaObject *meta : kDataBands)
        declareReportClass(s, meta, "TpgxDataBand");
}

void declarePages(TkxScript &s)
{
    declareReportClass(s, &TpgxPage::staticMetaObject, "TpgxComponent");
    declareReportClass(s, &TpgxReportPage::staticMetaObject, "TpgxPage");
    declareReportClass(s, &TpgxDataPage::staticMetaObject, "TpgxPage");
    declareReportClass(s, nullptr, "TpgxReportPage", "TpgxDMPPage");
    TkxClassVariable *dialog = declareReportClass(s, &TpgxDialogPage::staticMetaObject, "TpgxPage");
    // ### the dialog window comes with the dialog controls.
    dialog->declareMethod(QStringLiteral("function ShowModal: Integer"),
                          [](QObject *, TkxClassVariable *, const QString &, H &) -> Variant {
                              throwUnavailable(QStringLiteral("ShowModal"));
                          });
    declareProp<TpgxDialogPage>(
        dialog, "ModalResult", "Integer",
        [](TpgxDialogPage *p) { return Variant(p->modalResult()); },
        [](TpgxDialogPage *p, const Variant &v) { p->setModalResult(int(v.toInt64())); });
}

}   // namespace

void declareComponents(TkxScript &s)
{
    declareReportClass(s, nullptr, "TPersistent", "TGraphic");
    declareReportClass(s, nullptr, "TGraphic", "TJPEGImage");
    declareWideStrings(s);
    declareComponentBase(s);
    declarePersistents(s);
    declareViews(s);
    declareBands(s);
    declarePages(s);
}

}   // namespace pgx::engine::bindings
