#pragma once

#include "script/runtime/Kinds.h"
#include "script/value/Variant.h"

#include <QtCore/QString>
#include <QtCore/QVarLengthArray>

#include <memory>
#include <vector>

namespace pgx::script {

class TkxScript;
class TkxParamItem;

// Base of every script item: an owned list of sub-items and the owner tag
// that lets a script free the items of one owner as a group.
class TkxItemList
{
public:
    TkxItemList() = default;
    virtual ~TkxItemList();
    TkxItemList(const TkxItemList &) = delete;
    TkxItemList &operator=(const TkxItemList &) = delete;

    // Frees the sub-items.
    virtual void clear();

    void addSubItem(std::unique_ptr<TkxItemList> item) { m_subItems.push_back(std::move(item)); }
    int subItemCount() const { return int(m_subItems.size()); }
    TkxItemList *subItem(int i) const { return m_subItems[size_t(i)].get(); }

    qintptr owner() const { return m_owner; }
    void setOwner(qintptr owner) { m_owner = owner; }

protected:
    std::vector<std::unique_ptr<TkxItemList>> m_subItems;
    qintptr m_owner = 0;
};

// A named value with a kind: variables, constants, parameters, procedures,
// designators, helpers and expression nodes all derive from it. Its
// parameters are listed in order (owned as sub-items, or by the local
// script of a procedure).
class TkxCustomVariable : public TkxItemList
{
public:
    TkxCustomVariable(const QString &name, TkxKind kind, const QString &typeName);

    const QString &name() const { return m_name; }
    const QString &upperName() const { return m_upperName; }
    void setName(const QString &name);
    TkxKind kind() const { return m_kind; }
    const QString &typeName() const { return m_typeName; }
    void setKind(TkxKind kind, const QString &typeName)
    {
        m_kind = kind;
        m_typeName = typeName;
    }

    // The item's value; writing an item that is read-only does nothing.
    virtual void setValue(const Variant &value);
    virtual Variant getValue();

    bool readOnly = false;
    bool isMacro = false;     // arguments arrive as their source text
    bool needResult = true;   // whether the caller uses the value
    QString sourcePosition;
    QString unitName;
    TkxCustomVariable *refItem = nullptr;   // result variable, array helper (not owned)
    // The stored value. Plain items (IsPlain) are read and written here
    // directly by the evaluation fast paths.
    Variant value = Variant::null();

    // True when SetValue and GetValue are the base ones, so that writing
    // Value directly is the same as calling them.
    bool isPlain() const { return m_plain; }

    // Parameters, in order.
    int paramCount() const { return int(m_params.size()); }
    TkxParamItem *param(int i) const { return m_params[size_t(i)]; }
    TkxParamItem *addParam(std::unique_ptr<TkxParamItem> param);   // owned here
    void linkParam(TkxParamItem *param);                           // owned elsewhere
    int requiredParamCount() const;

protected:
    bool m_plain = false;

private:
    QString m_name;
    QString m_upperName;
    TkxKind m_kind;
    QString m_typeName;
    std::vector<TkxParamItem *> m_params;
};

// A variable or a constant (a read-only variable).
class TkxVariable : public TkxCustomVariable
{
public:
    TkxVariable(const QString &name, TkxKind kind, const QString &typeName, const Variant &value);
};

// A variable of kind char or string: it keeps its value as an 8-bit string.
class TkxStringVariable : public TkxVariable
{
public:
    TkxStringVariable(const QString &name, TkxKind kind, const QString &typeName);
    void setValue(const Variant &value) override;
};

// A registered type name with its kind.
class TkxTypeVariable : public TkxCustomVariable
{
public:
    TkxTypeVariable(const QString &name, TkxKind kind);
};

class TkxParamItem : public TkxCustomVariable
{
public:
    TkxParamItem(const QString &name, TkxKind kind, const QString &typeName, bool isVarParam,
                 bool hasDefault = false, const Variant &defaultValue = Variant::null());
    bool isVarParam;
    bool hasDefault;
    Variant defaultValue;
};

// A script procedure or function with its local scope. Reading its value
// calls it (see GetValue); the caller assigns the parameters first.
class TkxProcVariable : public TkxCustomVariable
{
public:
    // `parent` is the enclosing scope; a function gets a "Result" variable
    // of its result kind in the local scope.
    TkxProcVariable(const QString &name, bool isFunction, TkxKind resultKind,
                    const QString &resultType, TkxScript *parent);
    ~TkxProcVariable() override;

    bool isFunction;
    bool executing = false;
    TkxScript *localScript() const { return m_local.get(); }
    TkxCustomVariable *resultVariable() const { return refItem; }

    // Adds a parameter to the local scope and to the parameter list.
    TkxParamItem *addParameter(const QString &name, TkxKind kind, const QString &typeName,
                               bool isVarParam, bool hasDefault = false,
                               const Variant &defaultValue = Variant::null());

    // Runs the body with the parameters as they are: makes the local scope
    // the CurrentScope of the running program for the duration, bounds the
    // call depth and restores the state on the way out, errors included.
    Variant getValue() final;   // final: calls of a known procedure bind directly
    // The same, for the call designator: inline (CallFrame.h) so that a
    // call of a known procedure is one level, not two.
    inline Variant run();
    void setValue(const Variant &) override { }

    // The local variables and parameters, for saving around a recursive
    // call. Inline (defined in Script.h): every recursive call asks twice.
    inline const std::vector<TkxCustomVariable *> &localVariables();

private:
    void refreshLocalVariables();
    std::unique_ptr<TkxScript> m_local;
    std::vector<TkxCustomVariable *> m_localVars;
    quint64 m_localVarsVersion = ~quint64(0);
};

// Saves the values of a procedure's locals and puts them back, also when
// an error passes through.
// Inline (defined in Script.h) since it sits on the path of every
// recursive call; the values of most procedures' locals (they have few)
// live on the caller's stack.
class TkxLocalsGuard
{
public:
    inline explicit TkxLocalsGuard(TkxProcVariable *proc);
    inline ~TkxLocalsGuard();
    TkxLocalsGuard(const TkxLocalsGuard &) = delete;
    TkxLocalsGuard &operator=(const TkxLocalsGuard &) = delete;

private:
    TkxProcVariable *m_proc;
    QVarLengthArray<Variant, 8> m_saved;
};

// Items that act on the value before the dot (methods, properties, array
// and string access); the registry derives its method items from it.
class TkxCustomHelper : public TkxCustomVariable
{
public:
    using TkxCustomVariable::TkxCustomVariable;
    // Told before each use: the previous referent, the value before the dot
    // and the script of the designator.
    void setContext(TkxCustomVariable *parentRef, const Variant &parentValue, TkxScript *script)
    {
        this->parentRef = parentRef;
        this->parentValue = parentValue;
        this->script = script;
    }
    TkxCustomVariable *parentRef = nullptr;
    Variant parentValue;
    TkxScript *script = nullptr;
};

// Element access on a variant array: up to three integer indices. Attached
// to an array variable it works on that variable's value in place; the
// registered "__ArrayHelper" works on the value before the dot and writes
// the changed array back through the previous referent.
class TkxArrayHelper : public TkxCustomHelper
{
public:
    TkxArrayHelper(const QString &name, int dimensions, bool onValueBeforeDot);
    Variant getValue() override;
    void setValue(const Variant &value) override;

    // Arrays of more dimensions read as Null and ignore writes.
    static constexpr int kMaxIndices = 3;
    using Indices = QVarLengthArray<qint64, kMaxIndices>;

private:
    Indices indices(int dimensions) const;
    bool m_onValueBeforeDot;
};

// Character access on the string before the dot ("__StringHelper"): one
// 1-based index; writing puts the first character of the value's string
// form there and writes the string back through the previous referent.
class TkxStringHelper : public TkxCustomHelper
{
public:
    explicit TkxStringHelper(const QString &name);
    Variant getValue() override;
    void setValue(const Variant &value) override;
};

// The string and array index errors of the runtime.
[[noreturn]] void throwStringIndexError(qint64 index, qint64 length);
[[noreturn]] void throwArrayIndexError();
[[noreturn]] void throwNotAnArrayError();
// One character of a string (1-based), raising outside 1..length.
Variant stringCharAt(const Variant &text, qint64 index);
// The string with the character at index replaced by the first character
// of the value's string form (NUL when that is empty).
Variant stringWithCharAt(const Variant &text, qint64 index, const Variant &value);

}   // namespace pgx::script
