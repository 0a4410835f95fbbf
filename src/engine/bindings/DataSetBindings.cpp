#include "engine/bindings/BindingFamilies.h"

#include "report/data/TpgxDBDataSet.h"
#include "report/data/TpgxDataSet.h"
#include "script/library/Classes.h"
#include "script/registry/VariantBridge.h"

namespace pgx::engine::bindings {

using D = TpgxDataSet;

void declareDataSets(TkxScript &s)
{
    TkxClassVariable *c = declareReportClass(s, &D::staticMetaObject, "TComponent");
    auto step = [c](const char *declaration, void (D::*op)()) {
        declareMember<D>(c, declaration, [op](D *d, H &) {
            (d->*op)();
            return Variant();
        });
    };
    step("procedure Open", &D::open);
    step("procedure Close", &D::close);
    step("procedure First", &D::first);
    step("procedure Next", &D::next);
    step("procedure Prior", &D::prior);
    declareMember<D>(c, "function Eof: Boolean", [](D *d, H &) { return Variant(d->eof()); });
    declareMember<D>(c, "function FieldsCount: Integer",
                     [](D *d, H &) { return Variant(d->fieldsCount()); });
    declareMember<D>(c, "function HasField(const fName: String): Boolean",
                     [](D *d, H &h) { return Variant(d->hasField(h.params(0).toString())); });
    declareMember<D>(c, "function IsBlobField(const fName: String): Boolean",
                     [](D *d, H &h) { return Variant(d->isBlobField(h.params(0).toString())); });
    declareMember<D>(c, "function RecordCount: Integer",
                     [](D *d, H &) { return Variant(d->recordCount()); });
    declareMember<D>(c, "procedure GetFieldList(List: TStrings)", [](D *d, H &h) {
        objectArg<script::TStrings>(h.params(0))->setStrings(d->getFieldList());
        return Variant();
    });
    declareProp<D>(c, "RecNo", "Integer", [](D *d) { return Variant(d->recNo()); });
    // Read-only, by field name.
    declareIndexed<D>(c, "DisplayText", "String", "string", true, false, [](D *d, H &h, bool) {
        return str8(d->getDisplayText(h.params(0).toString()));
    });
    declareIndexed<D>(c, "DisplayWidth", "String", "Integer", true, false, [](D *d, H &h, bool) {
        return Variant(d->getDisplayWidth(h.params(0).toString()));
    });
    declareIndexed<D>(c, "FieldType", "String", "TpgxFieldType", true, false, [](D *d, H &h, bool) {
        return Variant(int(d->getFieldType(h.params(0).toString())));
    });
    declareIndexed<D>(c, "Value", "String", "Variant", true, false, [](D *d, H &h, bool) {
        return script::fromQVariant(d->getValue(h.params(0).toString()));
    });

    declareReportClass(s, &TpgxUserDataSet::staticMetaObject, "TpgxDataSet");
    declareReportClass(s, &TpgxCustomDBDataSet::staticMetaObject, "TpgxDataSet");
}

}   // namespace pgx::engine::bindings
