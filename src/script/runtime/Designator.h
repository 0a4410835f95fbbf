#pragma once

#include "script/runtime/Items.h"

#include <QtCore/QVarLengthArray>

#include <memory>
#include <vector>

namespace pgx::script {

class TkxExpression;
class TkxScript;
class TkxDesignator;

// One link of a designator: the item it refers to (not owned), the argument
// expressions (owned), the source position and whether an indexed
// property's index has been taken.
class TkxDesignatorItem : public TkxItemList
{
public:
    explicit TkxDesignatorItem(TkxCustomVariable *ref, const QString &sourcePos = QString());
    ~TkxDesignatorItem() override;

    TkxCustomVariable *ref() const { return m_ref; }
    void addArgument(std::unique_ptr<TkxExpression> argument);
    int argumentCount() const { return int(m_args.size()); }
    TkxExpression *argument(int i) const { return m_args[size_t(i)].get(); }
    // Hands the arguments over (the analyser moves them into a specialised
    // designator).
    std::vector<std::unique_ptr<TkxExpression>> takeArguments() { return std::move(m_args); }
    QString sourcePosition;
    bool indexTaken = false;

private:
    friend class TkxDesignator;
    enum class RefKind : quint8 { Plain, Designator, Procedure, Helper };
    TkxCustomVariable *m_ref;
    RefKind m_refKind;
    std::vector<std::unique_ptr<TkxExpression>> m_args;
};

// A designator built from a program-tree node that could only be resolved
// at run time; the syntax analyser implements the rebuild.
class TkxLateBinding
{
public:
    virtual ~TkxLateBinding() = default;
    // Replaces the designator's items, now seeing run-time values.
    virtual void rebuild(TkxDesignator &designator) = 0;
};

// A chain of designator items: `a.b[1].c(2)`. Reading walks the chain with
// the call protocol; writing stores into the last item.
class TkxDesignator : public TkxCustomVariable
{
public:
    explicit TkxDesignator(TkxScript *script);
    ~TkxDesignator() override;

    void addItem(std::unique_ptr<TkxDesignatorItem> item);
    int itemCount() const { return int(m_chain.size()); }
    TkxDesignatorItem *item(int i) const { return m_chain[size_t(i)].get(); }
    void clearChain() { m_chain.clear(); }
    TkxScript *script() const { return m_script; }
    void setLateBinding(std::unique_ptr<TkxLateBinding> late) { m_late = std::move(late); }
    bool isLate() const { return m_late != nullptr; }

    Variant getValue() override;
    void setValue(const Variant &value) override;

    // The single plain variable this designator reads and writes directly,
    // or none (used by expression nodes and statements as a fast path).
    virtual TkxCustomVariable *directVariable() const { return nullptr; }
    // The variable a simple-shaped designator refers to, plain or not.
    virtual TkxCustomVariable *simpleVariable() const { return nullptr; }

protected:
    Variant walk(const Variant *valueToSet);
    void rebuildIfLate();

    std::vector<std::unique_ptr<TkxDesignatorItem>> m_chain;
    TkxScript *m_script;
    std::unique_ptr<TkxLateBinding> m_late;
};

// One item referring to a variable: reads and writes it directly.
class TkxVariableDesignator : public TkxDesignator
{
public:
    TkxVariableDesignator(TkxScript *script, TkxCustomVariable *variable,
                          const QString &pos = QString());
    Variant getValue() override;
    void setValue(const Variant &value) override;
    TkxCustomVariable *directVariable() const override
    {
        return m_variable->isPlain() ? m_variable : nullptr;
    }
    TkxCustomVariable *simpleVariable() const override { return m_variable; }

private:
    TkxCustomVariable *m_variable;
};

// One item calling a script procedure whose parameters are all by value:
// the call protocol of walk without its general bookkeeping (the shape of
// every recursive call). Anything else about it is walk's.
class TkxProcCallDesignator : public TkxDesignator
{
public:
    TkxProcCallDesignator(TkxScript *script, std::unique_ptr<TkxDesignatorItem> item);
    Variant getValue() override;
    // The call itself, inline (CallFrame.h): an expression node calling a
    // procedure runs it in place, so a script call is as few C++ calls as
    // can be (deep recursion then costs fewer mispredicted returns).
    inline Variant invoke();
    // Whether an item can take this shape.
    static bool fits(const TkxDesignatorItem &item);

private:
    inline Variant call();
    // More arguments would take the heap on every call: walk takes those.
    static constexpr int kMaxArgs = 8;
    TkxProcVariable *m_proc;
    QVarLengthArray<TkxExpression *, kMaxArgs> m_args;
};

// Character i (1-based) of a string variable.
class TkxStringDesignator : public TkxDesignator
{
public:
    TkxStringDesignator(TkxScript *script, TkxCustomVariable *variable,
                        std::unique_ptr<TkxExpression> index, const QString &pos = QString());
    Variant getValue() override;
    void setValue(const Variant &value) override;

private:
    TkxCustomVariable *m_variable;
    TkxExpression *m_index;   // owned by the chain's item
};

// An element of an array variable, without copying the array.
class TkxArrayDesignator : public TkxDesignator
{
public:
    TkxArrayDesignator(TkxScript *script, TkxCustomVariable *variable,
                       std::vector<std::unique_ptr<TkxExpression>> indices,
                       const QString &pos = QString());
    Variant getValue() override;
    void setValue(const Variant &value) override;

private:
    // The values of the first indices (as many as the helper takes).
    TkxArrayHelper::Indices indexValues() const;
    TkxCustomVariable *m_variable;
    std::vector<TkxExpression *> m_indices;   // owned by the chain's item
};

}   // namespace pgx::script
