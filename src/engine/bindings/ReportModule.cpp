#include "engine/bindings/ReportModule.h"

#include "engine/bindings/BindingFamilies.h"
#include "meta/ClassDescriptor.h"
#include "meta/MetaComponent.h"
#include "script/library/SysFunctions.h"
#include "script/runtime/Script.h"

namespace pgx::engine {

namespace bindings {

// Report classes the class registry can make are made by the inherited
// "constructor Create(AOwner: TComponent)": TpgxMemoView.Create(Band1)
// puts a new text object on the band.
void setComponentFactory(TkxClassVariable *c)
{
    if (!c || !c->classRef)
        return;
    if (const pgx::ComponentFactory make = pgx::describe(c->classRef).factory)
        c->factory = [make](TkxMethodHelper &h) -> QObject * {
            return make(script::TkxObjectTable::object(h.params(0)));
        };
}

TkxClassVariable *declareReportClass(TkxScript &s, const QMetaObject *meta, const char *ancestor,
                                     const char *name)
{
    const QString className
        = name ? QString::fromLatin1(name) : script::TkxObjectTable::scriptClassName(meta);
    if (TkxClassVariable *c
        = script::declareClass(s, meta, QString::fromLatin1(ancestor), className)) {
        setComponentFactory(c);
        return c;
    }
    return script::findClassVariable(s, className);
}

void throwUnavailable(const QString &member)
{
    throw script::ScriptError(
        QStringLiteral("%1 is not available on this platform yet").arg(member),
        QStringLiteral("EInvalidOperation"));
}

}   // namespace bindings

namespace {

void ensurePropertyClasses(script::TkxScript &s, const QMetaObject *meta)
{
    for (const pgx::PropertyInfo &info : pgx::describe(meta).properties) {
        const bool holdsObject = info.kind == pgx::PropertyKind::SubObject
            || info.kind == pgx::PropertyKind::Reference;
        if (holdsObject && info.objectClass)
            ensureClass(s, info.objectClass);
    }
}

}   // namespace

script::TkxClassVariable *ensureClass(script::TkxScript &s, const QMetaObject *meta)
{
    if (!meta)
        return nullptr;
    const QString name = script::TkxObjectTable::scriptClassName(meta);
    if (script::TkxClassVariable *known = script::findClassVariable(s, name))
        return known;
    const QMetaObject *base = meta->superClass();
    script::TkxClassVariable *ancestor
        = base && base != &QObject::staticMetaObject ? ensureClass(s, base) : nullptr;
    // A class outside the report's families (an options block, a font)
    // behaves as a persistent object.
    script::TkxClassVariable *c = script::declareClass(
        s, meta, ancestor ? ancestor->name() : QStringLiteral("TPersistent"));
    if (c) {
        bindings::setComponentFactory(c);
        ensurePropertyClasses(s, meta);
    }
    return c;
}

// Ancestors before descendants: a class publishes only the properties its
// ancestor does not, so the order decides where a property is listed.
TpgxReportFunctions::TpgxReportFunctions(script::TkxScript &s)
{
    bindings::declareConstants(s);
    bindings::declareComponents(s);
    bindings::declareDataSets(s);
    bindings::declareReportObjects(s);
    bindings::declareGlobalFunctions(s);
    // The classes of object properties (fonts, frames, options) come last,
    // so that the families above place every class they name themselves.
    QList<const QMetaObject *> declared;
    for (int i = 0; i < s.count(); ++i)
        if (auto *c = dynamic_cast<script::TkxClassVariable *>(s.items(i)); c && c->classRef)
            declared.append(c->classRef);
    for (const QMetaObject *meta : std::as_const(declared))
        ensurePropertyClasses(s, meta);
}

void registerReportModules()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    script::registerLibraryModules();
    script::TkxScript::registerModule(
        [](script::TkxScript &s) { return std::make_unique<TpgxReportFunctions>(s); });
}

}   // namespace pgx::engine
