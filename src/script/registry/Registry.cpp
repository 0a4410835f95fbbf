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
    return TkxObjectTable::nonNil(helper.parentValue);
}

// A published property reached through a typecast to a class the object
// does not have would run that class's accessors on the wrong object.
QObject *publishedInstance(const TkxCustomHelper &helper, const pgx::PropertyInfo &info)
{
    QObject *instance = instanceFor(helper);
    const QMetaObject *declaring = info.property.enclosingMetaObject();
    if (declaring && !instance->metaObject()->inherits(declaring))
        throw ScriptError(QStringLiteral("Invalid class typecast"), QStringLiteral("EInvalidCast"));
    return instance;
}

}   // namespace

// ---- TkxMethodHelper ---------------------------------------------------------

TkxMethodHelper::TkxMethodHelper(TkxScript &script, const QString &declaration,
                                 TkxClassVariable *cls)
    : TkxCustomHelper(QString(), TkxKind::Variant, QStringLiteral("Variant")),
      declaration(declaration), classRef(cls)
{
    const TkxDeclaration d = parseDeclaration(script, declaration);
    setName(d.name);
    if (d.isFunction)
        setKind(kindOfType(script, d.resultType), d.resultType);
    else
        setKind(TkxKind::Variant, QString());
    isMacro = d.isMacro;
    readOnly = true;
    for (const TkxDeclaration::Param &p : d.params) {
        TkxParamItem *param = addParam(
            std::make_unique<TkxParamItem>(p.name, kindOfType(script, p.typeName), p.typeName,
                                           p.byRef, p.hasDefault, p.defaultValue));
        param->value = p.hasDefault ? p.defaultValue : Variant::null();
    }
    m_getName = upperName();
    description = d.name;
}

Variant TkxMethodHelper::params(int i) const
{
    if (i >= 0 && i < paramCount())
        return param(i)->value;
    if (i == paramCount() && m_assigned)
        return *m_assigned;
    return Variant::null();
}

void TkxMethodHelper::setParam(int i, const Variant &value)
{
    if (i >= 0 && i < paramCount())
        param(i)->value = value;
}

Variant TkxMethodHelper::getValue()
{
    return call(nullptr);
}

void TkxMethodHelper::setValue(const Variant &value)
{
    if (!isIndexProperty || readOnly)
        return;
    call(&value);
}

Variant TkxMethodHelper::call(const Variant *assigned)
{
    if (isIndexProperty && m_setName.isEmpty()) {
        m_setName = upperName() + QStringLiteral(".SET");
        m_getName = upperName() + QStringLiteral(".GET");
    }
    const QString &name = assigned ? m_setName : m_getName;

    QObject *instance = nullptr;
    TkxClassVariable *cls = classRef;
    if (isConstructor()) {
        // Inherited constructors create the class they were called through.
        if (auto *through = dynamic_cast<TkxClassVariable *>(parentRef))
            cls = through;
    } else if (classRef) {
        instance = instanceFor(*this);
    }

    // Parameters with defaults go back to them after every call, so that
    // a call that leaves them out never sees the previous call's argument.
    struct ResetDefaults
    {
        TkxMethodHelper *h;
        ~ResetDefaults()
        {
            for (int i = 0; i < h->paramCount(); ++i) {
                TkxParamItem *p = h->param(i);
                if (p->hasDefault && !p->isVarParam)
                    p->value = p->defaultValue;
            }
        }
    } reset{this};

    m_assigned = assigned;
    struct ClearAssigned
    {
        const Variant **p;
        ~ClearAssigned() { *p = nullptr; }
    } clearAssigned{&m_assigned};

    if (handler)
        return handler(instance, cls, name, *this);
    if (arrayHandler) {
        QList<Variant> args;
        args.reserve(paramCount() + 1);
        for (int i = 0; i < paramCount(); ++i)
            args.append(param(i)->value);
        if (assigned)
            args.append(*assigned);
        Variant result = arrayHandler(instance, cls, args, name);
        for (int i = 0; i < paramCount() && i < args.size(); ++i) {
            if (param(i)->isVarParam)
                param(i)->value = args[i];
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
    : TkxCustomHelper(info.name, TkxKind::Integer, QString()), published(true), info(&info)
{
    QString typeName;
    const TkxKind kind = kindOfPropertyInfo(info, &typeName);
    setKind(kind, typeName);
    readOnly = !info.isWritable() || info.kind == PropertyKind::SubObject;
}

Variant TkxPropertyHelper::getValue()
{
    QObject *instance = published ? publishedInstance(*this, *info) : instanceFor(*this);
    Variant result;
    if (published) {
        const pgx::PropertyInfo &info = *this->info;
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
    } else if (getter) {
        result = getter(instance, upperName());
    } else {
        result = Variant(0);
    }
    if (kind() == TkxKind::Boolean)
        return Variant(!(result.isInteger() && result.rawInt() == 0)
                       && !(result.isBoolean() && !result.toBool()));
    return result;
}

void TkxPropertyHelper::setValue(const Variant &value)
{
    if (readOnly)
        return;
    QObject *instance = published ? publishedInstance(*this, *info) : instanceFor(*this);
    if (!published) {
        if (setter)
            setter(instance, value, upperName());
        return;
    }
    const pgx::PropertyInfo &info = *this->info;
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
        if (kind() == TkxKind::Boolean)
            ok = info.writeOrdinal(instance, value.toBool() ? 1 : 0);
        else
            ok = info.writeOrdinal(instance, int(value.toInt64()));
        break;
    }
    if (!ok)
        throw ScriptError(QStringLiteral("Could not set property %1").arg(name()));
}

// ---- TkxEventHelper ----------------------------------------------------------

TkxEventHelper::TkxEventHelper(const QString &name, const TkxEventAdapterClass &adapter)
    : TkxCustomHelper(name, TkxKind::String, QString::fromLatin1(adapter.className)),
      adapter(adapter)
{ }

Variant TkxEventHelper::getValue()
{
    return Variant::fromString8(QString());
}

void TkxEventHelper::setValue(const Variant &value)
{
    QObject *instance = instanceFor(*this);
    auto *target = dynamic_cast<TkxEventTarget *>(instance);
    if (!target)
        throw ScriptError(QStringLiteral("Object has no event %1").arg(name()));
    const QString procName = value.toString().trimmed();
    if (procName == QLatin1String("0") || procName.isEmpty()) {
        target->setScriptEvent(name(), {});
        return;
    }
    auto *proc = script ? dynamic_cast<TkxProcVariable *>(script->find(procName)) : nullptr;
    if (!proc || proc->isFunction)
        throw ScriptError(QStringLiteral("Event handler must be a procedure"),
                          QStringLiteral("EScriptError"));
    auto adapter = std::make_unique<TkxCustomEvent>(this->adapter, instance, proc);
    TkxNativeEvent entry = adapter->nativeEntry();
    script->program()->addItem(QString(), std::move(adapter));
    target->setScriptEvent(name(), std::move(entry));
}

// ---- TkxComponentHelper ------------------------------------------------------

TkxComponentHelper::TkxComponentHelper(QObject *component)
    : TkxCustomHelper(component->objectName(), TkxKind::Class,
                      TkxObjectTable::scriptClassName(component->metaObject())),
      m_component(component)
{
    readOnly = true;
}

Variant TkxComponentHelper::getValue()
{
    if (!m_component)
        throw ScriptError(QStringLiteral("Invalid object reference"),
                          QStringLiteral("EAccessViolation"));
    return TkxObjectTable::toVariant(m_component);
}

// ---- TkxClassVariable --------------------------------------------------------

TkxClassVariable::TkxClassVariable(const QMetaObject *classRef, const QString &name,
                                   const QString &ancestorName, TkxScript &script)
    : TkxTypeVariable(name, TkxKind::Class), classRef(classRef), ancestorName(ancestorName),
      m_script(script)
{
    readOnly = true;
    TkxParamItem *p = addParam(
        std::make_unique<TkxParamItem>(QStringLiteral("Value"), TkxKind::Variant,
                                       QStringLiteral("Variant"), false, true, Variant::null()));
    p->value = Variant::null();
    value = Variant::null();
}

Variant TkxClassVariable::getValue()
{
    Variant v = param(0)->value;
    param(0)->value = Variant::null();
    return v;
}

TkxClassVariable *TkxClassVariable::ancestor() const
{
    if (ancestorName.isEmpty())
        return nullptr;
    return findClassVariable(m_script, ancestorName);
}

TkxCustomVariable *TkxClassVariable::findMember(const QString &name) const
{
    const QString key = name.toUpper();
    const TkxClassVariable *c = this;
    for (int depth = 0; c && depth < 64; ++depth) {   // bounded: a cycle of ancestors ends here
        if (TkxCustomVariable *m = c->m_index.value(key))
            return m;
        c = c->ancestor();
    }
    return nullptr;
}

bool TkxClassVariable::inheritsFrom(const QString &className) const
{
    const TkxClassVariable *c = this;
    for (int depth = 0; c && depth < 64; ++depth) {
        if (c->name().compare(className, Qt::CaseInsensitive) == 0)
            return true;
        c = c->ancestor();
    }
    return false;
}

TkxMethodHelper *TkxClassVariable::declareMethod(const QString &declaration,
                                                 TkxMethodHandler handler)
{
    auto m = std::make_unique<TkxMethodHelper>(m_script, declaration, this);
    m->handler = std::move(handler);
    return addMember(std::move(m));
}

TkxMethodHelper *TkxClassVariable::declareConstructor(const QString &declaration,
                                                      TkxMethodHandler handler)
{
    // "constructor Create(...)" becomes "function Create(...): Constructor".
    QString text = declaration.trimmed();
    if (text.endsWith(QLatin1Char(';')))
        text.chop(1);
    const int firstBlank = text.indexOf(QLatin1Char(' '));
    text = QStringLiteral("function") + (firstBlank < 0 ? QString() : text.mid(firstBlank))
        + QStringLiteral(": Constructor");
    return declareMethod(text, std::move(handler));
}

TkxPropertyHelper *TkxClassVariable::declareProperty(const QString &name, const QString &typeName,
                                                     TkxPropertyGetter getter,
                                                     TkxPropertySetter setter)
{
    auto p = std::make_unique<TkxPropertyHelper>(name, kindOfType(m_script, typeName), typeName);
    p->classRef = this;
    p->getter = std::move(getter);
    p->setter = std::move(setter);
    p->readOnly = !p->setter;
    return addMember(std::move(p));
}

TkxEventHelper *TkxClassVariable::declareEvent(const QString &name,
                                               const TkxEventAdapterClass &adapter)
{
    return addMember(std::make_unique<TkxEventHelper>(name, adapter));
}

TkxMethodHelper *TkxClassVariable::declareIndexProperty(const QString &name,
                                                        const QString &indexTypes,
                                                        const QString &resultType,
                                                        TkxMethodHandler handler, bool readOnly)
{
    QStringList params;
    const QStringList types = indexTypes.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (int i = 0; i < types.size(); ++i)
        params.append(QStringLiteral("p%1: %2").arg(i).arg(types[i].trimmed()));
    TkxMethodHelper *m = declareMethod(QStringLiteral("function ") + name + QStringLiteral("(")
                                           + params.join(QStringLiteral("; "))
                                           + QStringLiteral("): ") + resultType,
                                       std::move(handler));
    m->isIndexProperty = true;
    m->readOnly = readOnly;
    return m;
}

TkxMethodHelper *TkxClassVariable::declareDefaultProperty(const QString &name,
                                                          const QString &indexTypes,
                                                          const QString &resultType,
                                                          TkxMethodHandler handler, bool readOnly)
{
    TkxMethodHelper *m
        = declareIndexProperty(name, indexTypes, resultType, std::move(handler), readOnly);
    defaultProperty = m;
    return m;
}

TkxComponentHelper *TkxClassVariable::declareComponentMember(QObject *component)
{
    if (component->objectName().isEmpty() || m_index.contains(component->objectName().toUpper()))
        return nullptr;
    return addMember(std::make_unique<TkxComponentHelper>(component));
}

TkxEnumVariable::TkxEnumVariable(const QString &name, const QStringList &values, bool isSet)
    : TkxVariable(name, TkxKind::Enumeration, name, Variant(0)), values(values), isSet(isSet)
{
    readOnly = true;
}

// ---- registration operations -------------------------------------------------

TkxKind kindOfType(const TkxScript &script, const QString &typeName)
{
    TkxCustomVariable *v = script.find(typeName);
    if (v && (dynamic_cast<TkxTypeVariable *>(v) || dynamic_cast<TkxEnumVariable *>(v)))
        return v->kind();
    return TkxKind::Class;
}

TkxCustomVariable *declareType(TkxScript &script, const QString &name, TkxKind kind)
{
    if (TkxCustomVariable *v = script.find(name))
        return v;
    return script.add(name, std::make_unique<TkxTypeVariable>(name, kind));
}

TkxClassVariable *findClassVariable(const TkxScript &script, const QString &name)
{
    return dynamic_cast<TkxClassVariable *>(script.findClass(name));
}

TkxClassVariable *declareClass(TkxScript &script, const QMetaObject *classRef,
                               const QString &ancestorName, const QString &name)
{
    const QString className = name.isEmpty() ? TkxObjectTable::scriptClassName(classRef) : name;
    if (script.findClass(className))
        return nullptr;
    auto cls = std::make_unique<TkxClassVariable>(classRef, className, ancestorName, script);
    TkxClassVariable *raw = script.add(className, std::move(cls));
    {
        Ancestry &a = ancestry();
        QMutexLocker lock(&a.mutex);
        a.ancestors.insert(className.toUpper(), ancestorName.toUpper());
    }
    if (TkxClassVariable *anc = raw->ancestor())
        raw->defaultProperty = anc->defaultProperty;
    // Published properties come from the one reflection; those an ancestor
    // publishes are found there.
    if (classRef) {
        const pgx::ClassDescriptor &d = pgx::describe(classRef);
        TkxClassVariable *anc = raw->ancestor();
        for (const pgx::PropertyInfo &info : d.properties) {
            if (anc && anc->findMember(info.name))
                continue;
            auto p = std::make_unique<TkxPropertyHelper>(info);
            p->classRef = raw;
            raw->addMember(std::move(p));
        }
    }
    return raw;
}

TkxCustomVariable *declareConst(TkxScript &script, const QString &name, const QString &typeName,
                                const Variant &value)
{
    if (TkxCustomVariable *v = script.find(name))
        return v;
    return script.addConst(name, kindOfType(script, typeName), typeName, value);
}

TkxCustomVariable *declareVariable(TkxScript &script, const QString &name, const QString &typeName,
                                   const Variant &value)
{
    if (TkxCustomVariable *v = script.find(name))
        return v;
    return script.addVariable(name, kindOfType(script, typeName), typeName, value);
}

TkxCustomVariable *declareObject(TkxScript &script, const QString &name, QObject *object)
{
    const QString typeName = object ? TkxObjectTable::scriptClassName(object->metaObject())
                                    : QStringLiteral("TObject");
    return script.addVariable(name, TkxKind::Class, typeName, TkxObjectTable::toVariant(object));
}

static TkxEnumVariable *declareEnum(TkxScript &script, const QString &typeName,
                                    const QString &names, bool isSet)
{
    if (auto *existing = dynamic_cast<TkxEnumVariable *>(script.find(typeName)))
        return existing;
    QStringList values;
    for (const QString &n : names.split(QLatin1Char(','), Qt::SkipEmptyParts))
        values.append(n.trimmed());
    auto *type = script.add(typeName, std::make_unique<TkxEnumVariable>(typeName, values, isSet));
    for (int i = 0; i < values.size(); ++i) {
        const qint64 v = isSet ? (qint64(1) << qMin(i, 62)) : i;
        script.addConst(values[i], TkxKind::Enumeration, typeName, Variant::fromInt(v));
    }
    return type;
}

TkxEnumVariable *declareEnum(TkxScript &script, const QString &typeName, const QString &names)
{
    return declareEnum(script, typeName, names, false);
}

TkxEnumVariable *declareEnumSet(TkxScript &script, const QString &typeName, const QString &names)
{
    return declareEnum(script, typeName, names, true);
}

TkxMethodHelper *declareMethod(TkxScript &script, const QString &declaration,
                               TkxMethodHandler handler, const QString &category,
                               const QString &description)
{
    auto m = std::make_unique<TkxMethodHelper>(script, declaration, nullptr);
    m->handler = std::move(handler);
    m->category = category;
    if (!description.isEmpty())
        m->description = description;
    const QString name = m->name();
    return script.add(name, std::move(m));
}

TkxMethodHelper *declareMethodArray(TkxScript &script, const QString &declaration,
                                    TkxArrayHandler handler, const QString &category,
                                    const QString &description)
{
    auto m = std::make_unique<TkxMethodHelper>(script, declaration, nullptr);
    m->arrayHandler = std::move(handler);
    m->category = category;
    if (!description.isEmpty())
        m->description = description;
    const QString name = m->name();
    return script.add(name, std::move(m));
}

TkxClassVariable *findClassOf(const TkxScript &script, const QObject *object)
{
    if (!object)
        return nullptr;
    for (const QMetaObject *m = object->metaObject(); m; m = m->superClass()) {
        if (TkxClassVariable *c = findClassVariable(script, TkxObjectTable::scriptClassName(m)))
            return c;
    }
    return nullptr;
}

void declareComponent(TkxScript &script, QObject *component)
{
    if (!component)
        return;
    TkxClassVariable *cls
        = findClassVariable(script, TkxObjectTable::scriptClassName(component->metaObject()));
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
        cls = declareClass(script, component->metaObject(), ancestor);
        if (!cls)
            return;
    }
    for (QObject *child : component->findChildren<QObject *>())
        cls->declareComponentMember(child);
    declareObject(script, component->objectName(), component);
}

void installRegistryHandlers()
{
    TkxScript::setClassInheritsHandler([](const QString &className, const QString &ancestor) {
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
    TkxScript::setObjectIsHandler([](const Variant &handle, const QString &className) {
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
