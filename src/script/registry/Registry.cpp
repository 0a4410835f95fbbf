#include "script/registry/Registry.h"

#include "meta/ClassDescriptor.h"
#include "meta/PropertyInfo.h"
#include "script/registry/Declaration.h"
#include "script/registry/EventAdapters.h"
#include "script/registry/ObjectTable.h"
#include "script/registry/VariantBridge.h"
#include "script/value/ScriptError.h"

#include <QtCore/QHash>
#include <QtCore/QMutex>
#include <QtCore/QRegularExpression>

namespace pgx::script {

namespace {

// Class name -> registered ancestor name, the same in every script, for the
// runtime's process-wide class questions.
struct Ancestry
{
    QMutex mutex;
    QHash<QString, QString> ancestors;   // upper-cased names
};

Ancestry &ancestry()
{
    static Ancestry a;
    return a;
}

TkxKind kindOfPropertyInfo(const pgx::PropertyInfo &info, QString *typeName)
{
    switch (info.kind) {
    case PropertyKind::Float: *typeName = QStringLiteral("Extended"); return TkxKind::Float;
    case PropertyKind::String:
    case PropertyKind::Event:
    case PropertyKind::StringList: *typeName = QStringLiteral("String"); return TkxKind::String;
    case PropertyKind::Boolean: *typeName = QStringLiteral("Boolean"); return TkxKind::Boolean;
    case PropertyKind::Enumeration:
        if (info.typeName.compare(QLatin1String("Boolean"), Qt::CaseInsensitive) == 0
            || info.typeName.compare(QLatin1String("bool"), Qt::CaseInsensitive) == 0) {
            *typeName = QStringLiteral("Boolean");
            return TkxKind::Boolean;
        }
        *typeName = info.typeName;
        return TkxKind::Enumeration;
    case PropertyKind::Set: *typeName = info.typeName; return TkxKind::Enumeration;
    case PropertyKind::SubObject:
    case PropertyKind::Reference:
        *typeName
            = info.objectClass ? TkxObjectTable::scriptClassName(info.objectClass) : info.typeName;
        return TkxKind::Class;
    case PropertyKind::Variant: *typeName = QStringLiteral("Variant"); return TkxKind::Variant;
    default:
        *typeName = info.typeName.isEmpty() ? QStringLiteral("Integer") : info.typeName;
        return TkxKind::Integer;
    }
}

QObject *instanceFor(const TkxCustomHelper &helper)
{
    return TkxObjectTable::nonNil(helper.ParentValue);
}

}   // namespace

// ---- TkxMethodHelper ---------------------------------------------------------

TkxMethodHelper::TkxMethodHelper(TkxScript &script, const QString &declaration,
                                 TkxClassVariable *cls)
    : TkxCustomHelper(QString(), TkxKind::Variant, QStringLiteral("Variant")),
      Declaration(declaration), ClassRef(cls)
{
    const TkxDeclaration d = parseDeclaration(script, declaration);
    SetName(d.name);
    if (d.isFunction)
        SetKind(KindOfType(script, d.resultType), d.resultType);
    else
        SetKind(TkxKind::Variant, QString());
    IsMacro = d.isMacro;
    ReadOnly = true;
    for (const TkxDeclaration::Param &p : d.params) {
        TkxParamItem *param = AddParam(
            std::make_unique<TkxParamItem>(p.name, KindOfType(script, p.typeName), p.typeName,
                                           p.byRef, p.hasDefault, p.defaultValue));
        param->Value = p.hasDefault ? p.defaultValue : Variant::null();
    }
    m_getName = UpperName();
    Description = d.name;
}

Variant TkxMethodHelper::Params(int i) const
{
    if (i >= 0 && i < ParamCount())
        return Param(i)->Value;
    if (i == ParamCount() && m_assigned)
        return *m_assigned;
    return Variant::null();
}

void TkxMethodHelper::SetParam(int i, const Variant &value)
{
    if (i >= 0 && i < ParamCount())
        Param(i)->Value = value;
}

Variant TkxMethodHelper::GetValue()
{
    return call(nullptr);
}

void TkxMethodHelper::SetValue(const Variant &value)
{
    if (!IsIndexProperty || ReadOnly)
        return;
    call(&value);
}

Variant TkxMethodHelper::call(const Variant *assigned)
{
    if (IsIndexProperty && m_setName.isEmpty()) {
        m_setName = UpperName() + QStringLiteral(".SET");
        m_getName = UpperName() + QStringLiteral(".GET");
    }
    const QString &name = assigned ? m_setName : m_getName;

    QObject *instance = nullptr;
    TkxClassVariable *cls = ClassRef;
    if (IsConstructor()) {
        // Inherited constructors create the class they were called through.
        if (auto *through = dynamic_cast<TkxClassVariable *>(ParentRef))
            cls = through;
    } else if (ClassRef) {
        instance = instanceFor(*this);
    }

    // Parameters with defaults go back to them after every call, so that
    // a call that leaves them out never sees the previous call's argument.
    struct ResetDefaults
    {
        TkxMethodHelper *h;
        ~ResetDefaults()
        {
            for (int i = 0; i < h->ParamCount(); ++i) {
                TkxParamItem *p = h->Param(i);
                if (p->HasDefault && !p->IsVarParam)
                    p->Value = p->DefaultValue;
            }
        }
    } reset{this};

    m_assigned = assigned;
    struct ClearAssigned
    {
        const Variant **p;
        ~ClearAssigned() { *p = nullptr; }
    } clearAssigned{&m_assigned};

    if (Handler)
        return Handler(instance, cls, name, *this);
    if (ArrayHandler) {
        QList<Variant> args;
        args.reserve(ParamCount() + 1);
        for (int i = 0; i < ParamCount(); ++i)
            args.append(Param(i)->Value);
        if (assigned)
            args.append(*assigned);
        Variant result = ArrayHandler(instance, cls, args, name);
        for (int i = 0; i < ParamCount() && i < args.size(); ++i) {
            if (Param(i)->IsVarParam)
                Param(i)->Value = args[i];
        }
        return result;
    }
    return Variant(0);
}

// ---- TkxPropertyHelper -------------------------------------------------------

TkxPropertyHelper::TkxPropertyHelper(const QString &name, TkxKind kind, const QString &typeName)
    : TkxCustomHelper(name, kind, typeName)
{ }

TkxPropertyHelper::TkxPropertyHelper(const pgx::PropertyInfo &info)
    : TkxCustomHelper(info.name, TkxKind::Integer, QString()), Published(true), Info(&info)
{
    QString typeName;
    const TkxKind kind = kindOfPropertyInfo(info, &typeName);
    SetKind(kind, typeName);
    ReadOnly = !info.isWritable() || info.kind == PropertyKind::SubObject;
}

Variant TkxPropertyHelper::GetValue()
{
    QObject *instance = instanceFor(*this);
    Variant result;
    if (Published) {
        const pgx::PropertyInfo &info = *Info;
        switch (info.kind) {
        case PropertyKind::Float: result = Variant(info.read(instance).toDouble()); break;
        case PropertyKind::String:
        case PropertyKind::Event:
            result = Variant::fromString8(info.read(instance).toString());
            break;
        case PropertyKind::StringList:
            result = Variant::fromString8(
                info.read(instance).toStringList().join(QStringLiteral("\r\n")));
            break;
        case PropertyKind::Variant: result = fromQVariant(info.read(instance)); break;
        case PropertyKind::SubObject:
        case PropertyKind::Reference:
            result = TkxObjectTable::toVariant(info.readObject(instance));
            break;
        case PropertyKind::Int64:
            result = Variant::fromInt(info.read(instance).toLongLong());
            break;
        case PropertyKind::Integer:
        case PropertyKind::Boolean:
        case PropertyKind::Enumeration:
        case PropertyKind::Set: result = Variant::fromInt(info.readOrdinal(instance)); break;
        default: result = Variant::fromInt(info.read(instance).toLongLong()); break;
        }
    } else if (Getter) {
        result = Getter(instance, UpperName());
    } else {
        result = Variant(0);
    }
    if (Kind() == TkxKind::Boolean)
        return Variant(!(result.isInteger() && result.rawInt() == 0)
                       && !(result.isBoolean() && !result.toBool()));
    return result;
}

void TkxPropertyHelper::SetValue(const Variant &value)
{
    if (ReadOnly)
        return;
    QObject *instance = instanceFor(*this);
    if (!Published) {
        if (Setter)
            Setter(instance, value, UpperName());
        return;
    }
    const pgx::PropertyInfo &info = *Info;
    bool ok = true;
    switch (info.kind) {
    case PropertyKind::Float: ok = info.write(instance, value.toDouble()); break;
    case PropertyKind::String:
    case PropertyKind::Event: ok = info.write(instance, value.toString()); break;
    case PropertyKind::StringList:
        ok = info.write(instance,
                        value.toString().split(QRegularExpression(QStringLiteral("\r\n|\n|\r"))));
        break;
    case PropertyKind::Variant: ok = info.write(instance, toQVariant(value)); break;
    case PropertyKind::Reference:
        ok = info.writeReference(instance, TkxObjectTable::object(value));
        break;
    case PropertyKind::Int64:
        ok = info.write(instance, QVariant::fromValue(value.toInt64()));
        break;
    case PropertyKind::Boolean:
        // The truth test of reading: any non-zero value is True.
        ok = info.writeOrdinal(instance, value.toBool() ? 1 : 0);
        break;
    default:
        if (Kind() == TkxKind::Boolean)
            ok = info.writeOrdinal(instance, value.toBool() ? 1 : 0);
        else
            ok = info.writeOrdinal(instance, int(value.toInt64()));
        break;
    }
    if (!ok)
        throw ScriptError(QStringLiteral("Could not set property %1").arg(Name()));
}

// ---- TkxEventHelper ----------------------------------------------------------

TkxEventHelper::TkxEventHelper(const QString &name, const TkxEventAdapterClass &adapter)
    : TkxCustomHelper(name, TkxKind::String, QString::fromLatin1(adapter.className)),
      Adapter(adapter)
{ }

Variant TkxEventHelper::GetValue()
{
    return Variant::fromString8(QString());
}

void TkxEventHelper::SetValue(const Variant &value)
{
    QObject *instance = instanceFor(*this);
    auto *target = dynamic_cast<TkxEventTarget *>(instance);
    if (!target)
        throw ScriptError(QStringLiteral("Object has no event %1").arg(Name()));
    const QString procName = value.toString().trimmed();
    if (procName == QLatin1String("0") || procName.isEmpty()) {
        target->SetScriptEvent(Name(), {});
        return;
    }
    auto *proc = Script ? dynamic_cast<TkxProcVariable *>(Script->Find(procName)) : nullptr;
    if (!proc || proc->IsFunction)
        throw ScriptError(QStringLiteral("Event handler must be a procedure"),
                          QStringLiteral("EScriptError"));
    auto adapter = std::make_unique<TkxCustomEvent>(Adapter, instance, proc);
    TkxNativeEvent entry = adapter->NativeEntry();
    Script->Program()->AddItem(QString(), std::move(adapter));
    target->SetScriptEvent(Name(), std::move(entry));
}

// ---- TkxComponentHelper ------------------------------------------------------

TkxComponentHelper::TkxComponentHelper(QObject *component)
    : TkxCustomHelper(component->objectName(), TkxKind::Class,
                      TkxObjectTable::scriptClassName(component->metaObject())),
      m_component(component)
{
    ReadOnly = true;
}

Variant TkxComponentHelper::GetValue()
{
    if (!m_component)
        throw ScriptError(QStringLiteral("Invalid object reference"),
                          QStringLiteral("EAccessViolation"));
    return TkxObjectTable::toVariant(m_component);
}

// ---- TkxClassVariable --------------------------------------------------------

TkxClassVariable::TkxClassVariable(const QMetaObject *classRef, const QString &name,
                                   const QString &ancestorName, TkxScript &script)
    : TkxTypeVariable(name, TkxKind::Class), ClassRef(classRef), AncestorName(ancestorName),
      m_script(script)
{
    ReadOnly = true;
    TkxParamItem *p = AddParam(
        std::make_unique<TkxParamItem>(QStringLiteral("Value"), TkxKind::Variant,
                                       QStringLiteral("Variant"), false, true, Variant::null()));
    p->Value = Variant::null();
    Value = Variant::null();
}

Variant TkxClassVariable::GetValue()
{
    Variant v = Param(0)->Value;
    Param(0)->Value = Variant::null();
    return v;
}

TkxClassVariable *TkxClassVariable::Ancestor() const
{
    if (AncestorName.isEmpty())
        return nullptr;
    return FindClassVariable(m_script, AncestorName);
}

TkxCustomVariable *TkxClassVariable::FindMember(const QString &name) const
{
    const QString key = name.toUpper();
    const TkxClassVariable *c = this;
    for (int depth = 0; c && depth < 64; ++depth) {   // bounded: a cycle of ancestors ends here
        if (TkxCustomVariable *m = c->m_index.value(key))
            return m;
        c = c->Ancestor();
    }
    return nullptr;
}

bool TkxClassVariable::InheritsFrom(const QString &className) const
{
    const TkxClassVariable *c = this;
    for (int depth = 0; c && depth < 64; ++depth) {
        if (c->Name().compare(className, Qt::CaseInsensitive) == 0)
            return true;
        c = c->Ancestor();
    }
    return false;
}

TkxMethodHelper *TkxClassVariable::DeclareMethod(const QString &declaration,
                                                 TkxMethodHandler handler)
{
    auto m = std::make_unique<TkxMethodHelper>(m_script, declaration, this);
    m->Handler = std::move(handler);
    return AddMember(std::move(m));
}

TkxMethodHelper *TkxClassVariable::DeclareConstructor(const QString &declaration,
                                                      TkxMethodHandler handler)
{
    // "constructor Create(...)" becomes "function Create(...): Constructor".
    QString text = declaration.trimmed();
    if (text.endsWith(QLatin1Char(';')))
        text.chop(1);
    const int firstBlank = text.indexOf(QLatin1Char(' '));
    text = QStringLiteral("function") + (firstBlank < 0 ? QString() : text.mid(firstBlank))
        + QStringLiteral(": Constructor");
    return DeclareMethod(text, std::move(handler));
}

TkxPropertyHelper *TkxClassVariable::DeclareProperty(const QString &name, const QString &typeName,
                                                     TkxPropertyGetter getter,
                                                     TkxPropertySetter setter)
{
    auto p = std::make_unique<TkxPropertyHelper>(name, KindOfType(m_script, typeName), typeName);
    p->ClassRef = this;
    p->Getter = std::move(getter);
    p->Setter = std::move(setter);
    p->ReadOnly = !p->Setter;
    return AddMember(std::move(p));
}

TkxEventHelper *TkxClassVariable::DeclareEvent(const QString &name,
                                               const TkxEventAdapterClass &adapter)
{
    return AddMember(std::make_unique<TkxEventHelper>(name, adapter));
}

TkxMethodHelper *TkxClassVariable::DeclareIndexProperty(const QString &name,
                                                        const QString &indexTypes,
                                                        const QString &resultType,
                                                        TkxMethodHandler handler, bool readOnly)
{
    QStringList params;
    const QStringList types = indexTypes.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (int i = 0; i < types.size(); ++i)
        params.append(QStringLiteral("p%1: %2").arg(i).arg(types[i].trimmed()));
    TkxMethodHelper *m = DeclareMethod(QStringLiteral("function ") + name + QStringLiteral("(")
                                           + params.join(QStringLiteral("; "))
                                           + QStringLiteral("): ") + resultType,
                                       std::move(handler));
    m->IsIndexProperty = true;
    m->ReadOnly = readOnly;
    return m;
}

TkxMethodHelper *TkxClassVariable::DeclareDefaultProperty(const QString &name,
                                                          const QString &indexTypes,
                                                          const QString &resultType,
                                                          TkxMethodHandler handler, bool readOnly)
{
    TkxMethodHelper *m
        = DeclareIndexProperty(name, indexTypes, resultType, std::move(handler), readOnly);
    DefaultProperty = m;
    return m;
}

TkxComponentHelper *TkxClassVariable::DeclareComponentMember(QObject *component)
{
    if (component->objectName().isEmpty() || m_index.contains(component->objectName().toUpper()))
        return nullptr;
    return AddMember(std::make_unique<TkxComponentHelper>(component));
}

TkxEnumVariable::TkxEnumVariable(const QString &name, const QStringList &values, bool isSet)
    : TkxVariable(name, TkxKind::Enumeration, name, Variant(0)), Values(values), IsSet(isSet)
{
    ReadOnly = true;
}

// ---- registration operations -------------------------------------------------

TkxKind KindOfType(const TkxScript &script, const QString &typeName)
{
    TkxCustomVariable *v = script.Find(typeName);
    if (v && (dynamic_cast<TkxTypeVariable *>(v) || dynamic_cast<TkxEnumVariable *>(v)))
        return v->Kind();
    return TkxKind::Class;
}

TkxCustomVariable *DeclareType(TkxScript &script, const QString &name, TkxKind kind)
{
    if (TkxCustomVariable *v = script.Find(name))
        return v;
    return script.Add(name, std::make_unique<TkxTypeVariable>(name, kind));
}

TkxClassVariable *FindClassVariable(const TkxScript &script, const QString &name)
{
    return dynamic_cast<TkxClassVariable *>(script.FindClass(name));
}

TkxClassVariable *DeclareClass(TkxScript &script, const QMetaObject *classRef,
                               const QString &ancestorName, const QString &name)
{
    const QString className = name.isEmpty() ? TkxObjectTable::scriptClassName(classRef) : name;
    if (script.FindClass(className))
        return nullptr;
    auto cls = std::make_unique<TkxClassVariable>(classRef, className, ancestorName, script);
    TkxClassVariable *raw = script.Add(className, std::move(cls));
    {
        Ancestry &a = ancestry();
        QMutexLocker lock(&a.mutex);
        a.ancestors.insert(className.toUpper(), ancestorName.toUpper());
    }
    if (TkxClassVariable *anc = raw->Ancestor())
        raw->DefaultProperty = anc->DefaultProperty;
    // Published properties come from the one reflection; those an ancestor
    // publishes are found there.
    if (classRef) {
        const pgx::ClassDescriptor &d = pgx::describe(classRef);
        TkxClassVariable *anc = raw->Ancestor();
        for (const pgx::PropertyInfo &info : d.properties) {
            if (anc && anc->FindMember(info.name))
                continue;
            auto p = std::make_unique<TkxPropertyHelper>(info);
            p->ClassRef = raw;
            raw->AddMember(std::move(p));
        }
    }
    return raw;
}

TkxCustomVariable *DeclareConst(TkxScript &script, const QString &name, const QString &typeName,
                                const Variant &value)
{
    if (TkxCustomVariable *v = script.Find(name))
        return v;
    return script.AddConst(name, KindOfType(script, typeName), typeName, value);
}

TkxCustomVariable *DeclareVariable(TkxScript &script, const QString &name, const QString &typeName,
                                   const Variant &value)
{
    if (TkxCustomVariable *v = script.Find(name))
        return v;
    return script.AddVariable(name, KindOfType(script, typeName), typeName, value);
}

TkxCustomVariable *DeclareObject(TkxScript &script, const QString &name, QObject *object)
{
    const QString typeName = object ? TkxObjectTable::scriptClassName(object->metaObject())
                                    : QStringLiteral("TObject");
    return script.AddVariable(name, TkxKind::Class, typeName, TkxObjectTable::toVariant(object));
}

static TkxEnumVariable *declareEnum(TkxScript &script, const QString &typeName,
                                    const QString &names, bool isSet)
{
    if (auto *existing = dynamic_cast<TkxEnumVariable *>(script.Find(typeName)))
        return existing;
    QStringList values;
    for (const QString &n : names.split(QLatin1Char(','), Qt::SkipEmptyParts))
        values.append(n.trimmed());
    auto *type = script.Add(typeName, std::make_unique<TkxEnumVariable>(typeName, values, isSet));
    for (int i = 0; i < values.size(); ++i) {
        const qint64 v = isSet ? (qint64(1) << qMin(i, 62)) : i;
        script.AddConst(values[i], TkxKind::Enumeration, typeName, Variant::fromInt(v));
    }
    return type;
}

TkxEnumVariable *DeclareEnum(TkxScript &script, const QString &typeName, const QString &names)
{
    return declareEnum(script, typeName, names, false);
}

TkxEnumVariable *DeclareEnumSet(TkxScript &script, const QString &typeName, const QString &names)
{
    return declareEnum(script, typeName, names, true);
}

TkxMethodHelper *DeclareMethod(TkxScript &script, const QString &declaration,
                               TkxMethodHandler handler, const QString &category,
                               const QString &description)
{
    auto m = std::make_unique<TkxMethodHelper>(script, declaration, nullptr);
    m->Handler = std::move(handler);
    m->Category = category;
    if (!description.isEmpty())
        m->Description = description;
    const QString name = m->Name();
    return script.Add(name, std::move(m));
}

TkxMethodHelper *DeclareMethodArray(TkxScript &script, const QString &declaration,
                                    TkxArrayHandler handler, const QString &category,
                                    const QString &description)
{
    auto m = std::make_unique<TkxMethodHelper>(script, declaration, nullptr);
    m->ArrayHandler = std::move(handler);
    m->Category = category;
    if (!description.isEmpty())
        m->Description = description;
    const QString name = m->Name();
    return script.Add(name, std::move(m));
}

TkxClassVariable *FindClassOf(const TkxScript &script, const QObject *object)
{
    if (!object)
        return nullptr;
    for (const QMetaObject *m = object->metaObject(); m; m = m->superClass()) {
        if (TkxClassVariable *c = FindClassVariable(script, TkxObjectTable::scriptClassName(m)))
            return c;
    }
    return nullptr;
}

void DeclareComponent(TkxScript &script, QObject *component)
{
    if (!component)
        return;
    TkxClassVariable *cls
        = FindClassVariable(script, TkxObjectTable::scriptClassName(component->metaObject()));
    if (!cls) {
        QString ancestor;
        for (const QMetaObject *m = component->metaObject()->superClass(); m && ancestor.isEmpty();
             m = m->superClass()) {
            const QString n = TkxObjectTable::scriptClassName(m);
            if (n == QLatin1String("TForm") || n == QLatin1String("TDataModule"))
                ancestor = n;
        }
        if (ancestor.isEmpty())
            return;
        cls = DeclareClass(script, component->metaObject(), ancestor);
        if (!cls)
            return;
    }
    for (QObject *child : component->findChildren<QObject *>())
        cls->DeclareComponentMember(child);
    DeclareObject(script, component->objectName(), component);
}

void installRegistryHandlers()
{
    TkxScript::SetClassInheritsHandler([](const QString &className, const QString &ancestor) {
        Ancestry &a = ancestry();
        QMutexLocker lock(&a.mutex);
        QString c = className.toUpper();
        const QString target = ancestor.toUpper();
        for (int depth = 0; !c.isEmpty() && depth < 64; ++depth) {
            if (c == target)
                return true;
            c = a.ancestors.value(c);
        }
        return false;
    });
    TkxScript::SetObjectIsHandler([](const Variant &handle, const QString &className) {
        QObject *o = TkxObjectTable::object(handle);
        if (!o)
            return false;
        for (const QMetaObject *m = o->metaObject(); m; m = m->superClass()) {
            if (TkxObjectTable::scriptClassName(m).compare(className, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    });
}

}   // namespace pgx::script
