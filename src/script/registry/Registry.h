#pragma once

#include "script/runtime/Items.h"
#include "script/runtime/Script.h"

#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QPointer>

#include <functional>
#include <memory>
#include <vector>

namespace pgx {
class PropertyInfo;
class TpgxXMLItem;
}   // namespace pgx

namespace pgx::script {

class TkxClassVariable;
class TkxMethodHelper;
struct TkxEventAdapterClass;

// Handler protocols. `instance` is the object before the dot (none for
// global functions and constructors), `cls` the class the member belongs
// to, `name` the member name upper-cased (indexed properties add ".GET" or
// ".SET"). A handler returns the result; errors it raises reach the
// running statement.
using TkxMethodHandler = std::function<Variant(QObject *instance, TkxClassVariable *cls,
                                               const QString &name, TkxMethodHelper &helper)>;
// Array style: the arguments as values; elements of by-reference
// parameters are written back after the call. ".SET" passes the assigned
// value as an extra last element.
using TkxArrayHandler = std::function<Variant(QObject *instance, TkxClassVariable *cls,
                                              QList<Variant> &args, const QString &name)>;
using TkxPropertyGetter = std::function<Variant(QObject *instance, const QString &name)>;
using TkxPropertySetter
    = std::function<void(QObject *instance, const Variant &value, const QString &name)>;
// Creates an object of a registered class for a script constructor, from
// the constructor's arguments.
using TkxClassFactory = std::function<QObject *(TkxMethodHelper &call)>;

// A global function or a method, built from its declaration text.
class TkxMethodHelper : public TkxCustomHelper
{
public:
    // Raises ScriptError for a declaration that does not parse. `script`
    // resolves type names and default values (registered constants).
    TkxMethodHelper(TkxScript &script, const QString &declaration, TkxClassVariable *cls);

    Variant getValue() override;
    void setValue(const Variant &value) override;

    // Argument i; for a ".SET" call, index ParamCount() is the assigned value.
    Variant params(int i) const;
    // Writes a by-reference argument back (it reaches the caller's variable).
    void setParam(int i, const Variant &value);
    int count() const { return paramCount(); }

    QString declaration;
    QString category;
    QString description;
    TkxClassVariable *classRef = nullptr;
    bool isIndexProperty = false;
    bool isConstructor() const { return kind() == TkxKind::Constructor; }
    TkxMethodHandler handler;
    TkxArrayHandler arrayHandler;

private:
    Variant call(const Variant *assigned);
    QString m_getName;
    QString m_setName;
    const Variant *m_assigned = nullptr;
};

// A property of a registered class: published (read and written through
// the reflection) or served by a getter and setter.
class TkxPropertyHelper : public TkxCustomHelper
{
public:
    TkxPropertyHelper(const QString &name, TkxKind kind, const QString &typeName);
    // A published property of the reflection.
    explicit TkxPropertyHelper(const pgx::PropertyInfo &info);

    Variant getValue() override;
    void setValue(const Variant &value) override;

    TkxClassVariable *classRef = nullptr;
    bool published = false;
    const pgx::PropertyInfo *info = nullptr;
    TkxPropertyGetter getter;
    TkxPropertySetter setter;
};

// An event of a registered class: reading gives "", assigning the name of
// a script procedure (or "0" for nil) binds or clears the object's event.
class TkxEventHelper : public TkxCustomHelper
{
public:
    TkxEventHelper(const QString &name, const TkxEventAdapterClass &adapter);
    Variant getValue() override;
    void setValue(const Variant &value) override;
    const TkxEventAdapterClass &adapter;
};

// A named sub-component of a registered form or data module.
class TkxComponentHelper : public TkxCustomHelper
{
public:
    explicit TkxComponentHelper(QObject *component);
    Variant getValue() override;

private:
    QPointer<QObject> m_component;
};

// A class registered with a script: members, ancestor, default property;
// used as a one-argument function it is a type cast.
class TkxClassVariable : public TkxTypeVariable
{
public:
    TkxClassVariable(const QMetaObject *classRef, const QString &name, const QString &ancestorName,
                     TkxScript &script);

    // The cast: the argument as it is (reading resets it to its default).
    Variant getValue() override;

    const QMetaObject *classRef;
    QString ancestorName;
    TkxCustomVariable *defaultProperty = nullptr;
    TkxClassFactory factory;

    int memberCount() const { return int(m_members.size()); }
    TkxCustomVariable *member(int i) const { return m_members[size_t(i)].get(); }
    // Case-insensitive search here, then in the ancestors.
    TkxCustomVariable *findMember(const QString &name) const;
    // The class variable of the ancestor, when registered.
    TkxClassVariable *ancestor() const;
    bool inheritsFrom(const QString &className) const;

    TkxMethodHelper *declareConstructor(const QString &declaration, TkxMethodHandler handler);
    TkxMethodHelper *declareMethod(const QString &declaration, TkxMethodHandler handler);
    TkxPropertyHelper *declareProperty(const QString &name, const QString &typeName,
                                       TkxPropertyGetter getter, TkxPropertySetter setter = {});
    TkxEventHelper *declareEvent(const QString &name, const TkxEventAdapterClass &adapter);
    TkxMethodHelper *declareIndexProperty(const QString &name, const QString &indexTypes,
                                          const QString &resultType, TkxMethodHandler handler,
                                          bool readOnly = false);
    TkxMethodHelper *declareDefaultProperty(const QString &name, const QString &indexTypes,
                                            const QString &resultType, TkxMethodHandler handler,
                                            bool readOnly = false);
    TkxComponentHelper *declareComponentMember(QObject *component);

    TkxScript &ownerScript() const { return m_script; }

    template<class T>
    T *addMember(std::unique_ptr<T> member)
    {
        T *raw = member.get();
        m_members.push_back(std::move(member));
        m_index.insert(raw->upperName(), raw);
        return raw;
    }

private:
    TkxScript &m_script;
    std::vector<std::unique_ptr<TkxCustomVariable>> m_members;
    QHash<QString, TkxCustomVariable *> m_index;
};

// An enumeration type: kind enumeration, its value names in order.
class TkxEnumVariable : public TkxVariable
{
public:
    TkxEnumVariable(const QString &name, const QStringList &values, bool isSet);
    QStringList values;
    bool isSet;
};

// ---- registration operations of a script -----------------------------------

// The kind a type name stands for in a scope: a registered type's (or
// enumeration's) kind; any other name counts as a class.
TkxKind kindOfType(const TkxScript &script, const QString &typeName);

TkxCustomVariable *declareType(TkxScript &script, const QString &name, TkxKind kind);
// Nothing when a class of that name is known already.
TkxClassVariable *declareClass(TkxScript &script, const QMetaObject *classRef,
                               const QString &ancestorName, const QString &name = QString());
TkxCustomVariable *declareConst(TkxScript &script, const QString &name, const QString &typeName,
                                const Variant &value);
TkxCustomVariable *declareVariable(TkxScript &script, const QString &name, const QString &typeName,
                                   const Variant &value);
TkxCustomVariable *declareObject(TkxScript &script, const QString &name, QObject *object);
TkxEnumVariable *declareEnum(TkxScript &script, const QString &typeName, const QString &names);
TkxEnumVariable *declareEnumSet(TkxScript &script, const QString &typeName, const QString &names);
TkxMethodHelper *declareMethod(TkxScript &script, const QString &declaration,
                               TkxMethodHandler handler, const QString &category = QString(),
                               const QString &description = QString());
TkxMethodHelper *declareMethodArray(TkxScript &script, const QString &declaration,
                                    TkxArrayHandler handler, const QString &category = QString(),
                                    const QString &description = QString());
// Forms and data modules (objects whose class inherits a registered TForm or
// TDataModule): registers the class when needed, makes every owned named
// sub-component a member, and declares the object under its name.
void declareComponent(TkxScript &script, QObject *component);
inline void declareForm(TkxScript &script, QObject *form)
{
    declareComponent(script, form);
}

// The registered class variable of an object's class, or of its nearest
// registered base class; nullptr when none is registered.
TkxClassVariable *findClassOf(const TkxScript &script, const QObject *object);
TkxClassVariable *findClassVariable(const TkxScript &script, const QString &name);

// Process-wide class questions (ancestor names as registered), installed
// as the runtime's class handlers by installRegistryHandlers().
void installRegistryHandlers();

// The designer's trees: five groups ("functions", "classes", "types",
// "variables", "constants") created on first use under `tree`.
void listContents(const TkxScript &script, pgx::TpgxXMLItem *tree, bool functionsOnly);
// The members of every registered class the given class inherits from.
void listClassMembers(const TkxScript &script, pgx::TpgxXMLItem *tree, const QString &className);

}   // namespace pgx::script
