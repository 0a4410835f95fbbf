#pragma once

#include "script/runtime/Designator.h"
#include "script/runtime/Expression.h"
#include "script/runtime/Script.h"
#include "script/value/VariantOps.h"

#include <memory>
#include <vector>

namespace pgx::script {

class TkxScript;

// A statement, and a statement list: its sub-statements run in order while
// the scope is not terminated, and the list stops after a statement that
// set Break, Continue or Exit. Every statement first reports its line to a
// debugger (only when one listens) and does nothing when terminated.
class TkxStatement : public TkxItemList
{
public:
    TkxStatement(TkxScript *script, const QString &sourcePos = QString(),
                 const QString &unitName = QString());
    ~TkxStatement() override;

    // Runs the statement; the base runs the list.
    virtual void execute();
    // A counting loop's step (`i++`, `i += k` on a plain variable): the
    // variable, where the amount lives and the direction; false for any
    // other statement. The loop changes integers in place itself when no
    // debugger listens and nothing overflows, else runs the statement.
    virtual bool stepShape(TkxCustomVariable **variable, const Variant **amount, bool *down) const
    {
        Q_UNUSED(variable);
        Q_UNUSED(amount);
        Q_UNUSED(down);
        return false;
    }

    TkxStatement *add(std::unique_ptr<TkxStatement> statement);
    int count() const { return int(m_list.size()); }
    TkxStatement *statement(int i) const { return m_list[size_t(i)].get(); }
    void clear() override;

    TkxScript *script() const { return m_script; }
    const QString &sourcePosition() const { return m_pos; }
    const QString &unitName() const { return m_unit; }

    // Runs the list (what the base Execute does) without the virtual call:
    // a procedure's body and the branches of if run this way on every call.
    inline void runListInline();
    // A branch of if or the body of a loop: one statement runs in place,
    // more as a list.
    inline void runBody();

protected:
    void runList();
    // True when the statement should go on: reports the line, tests
    // Terminated.
    inline bool enter();
    // What exit does: reports the line (when a debugger listens) and sets
    // Exit, also when terminated.
    inline void leave();

    TkxScript *m_script;
    QString m_pos;
    QString m_unit;
    std::vector<std::unique_ptr<TkxStatement>> m_list;
    // Set by if statements alone: a list runs them in place (see
    // RunListInline), which keeps recursion through an if one C++ call
    // shallower.
    bool m_isIf = false;

private:
    // Gives an error leaving statement i the statement's position (when it
    // has none) and turns errors of the format layer into script errors;
    // called from the list's handler, it rethrows what is being handled.
    [[noreturn]] void rethrowFromStatement(size_t i) const;
};

// target := value, and the compound forms target += value (-=, *=, /=).
// What an assignment does is decided once, when it is built (its shape);
// running it is one switch.
class TkxAssignmentStmt : public TkxStatement
{
public:
    enum class Op : quint8 { None, Plus, Minus, Mul, Div };

    TkxAssignmentStmt(TkxScript *script, std::unique_ptr<TkxDesignator> target,
                      std::unique_ptr<TkxExpression> value, Op op = Op::None,
                      const QString &pos = QString(), const QString &unit = QString());
    void execute() override;
    bool stepShape(TkxCustomVariable **variable, const Variant **amount, bool *down) const override;
    // `return E`: the assignment to Result leaves the procedure as well, as
    // an exit statement after it would (its line reported a second time
    // when a debugger listens), without a statement of its own.
    void setExitAfter() { m_exitAfter = true; }
    Op compoundOp() const { return m_op; }

private:
    enum class Shape : quint8 {
        Store,      // V := E on a plain variable
        Append,     // S := S & E on a variable that holds strings
        Step,       // V += W, V -= W on a plain variable, W read in place
        Add,        // V += E on a plain variable
        Compound,   // any other compound form
        General,    // any other assignment: through the designator
    };
    Shape chooseShape();

    // The new value, or the right-hand operand of a compound form.
    Variant operand() const
    {
        if (!m_operand)
            return Variant::null();
        return m_operand->direct ? *m_operand->direct : m_operand->getValue();
    }
    void put(Variant value)
    {
        if (!m_direct)
            m_target->setValue(value);
        else if (!m_direct->readOnly)
            m_direct->value = std::move(value);
    }
    // S := S + E and S := S & E grow the string in place while nobody
    // shares its text.
    bool appendInPlace(const Variant &tail)
    {
        return m_appendVar && tail.isString()
            && m_appendVar->value.appendStringInPlace(tail, m_appendAnyString);
    }

    void store()
    {
        Variant value = m_operand->direct ? *m_operand->direct : m_operand->getValue();
        if (!m_direct->readOnly)
            m_direct->value = std::move(value);
    }
    void append()
    {
        const Variant tail = m_operand->getValue();
        if (appendInPlace(tail))
            return;
        const Variant &head = m_appendVar->value;
        m_target->setValue(head.isString() ? vop::concat(head, tail) : vop::add(head, tail));
    }
    // A counting loop's step: integers change in place.
    void step()
    {
        if (!m_direct->readOnly
            && vop::stepInPlace(m_direct->value, *m_operand->direct, m_op == Op::Minus))
            return;
        if (m_op == Op::Plus)
            add();
        else
            compound();
    }
    void add()
    {
        const Variant value = operand();
        if (!appendInPlace(value) && !m_direct->readOnly)
            m_direct->value = vop::addFast(m_direct->value, value);
    }
    void compound()
    {
        const Variant value = operand();
        if (m_op == Op::Plus && appendInPlace(value))
            return;
        const Variant current = m_direct ? m_direct->value : m_target->getValue();
        switch (m_op) {
        case Op::Plus: put(vop::addFast(current, value)); break;
        case Op::Minus: put(vop::subFast(current, value)); break;
        case Op::Mul: put(vop::mul(current, value)); break;
        case Op::Div: put(vop::divide(current, value)); break;
        case Op::None: put(value); break;
        }
    }

    std::unique_ptr<TkxDesignator> m_target;
    std::unique_ptr<TkxExpression> m_value;
    // What the shape reads: the value's root node, E of S := S & E.
    TkxExpressionNode *m_operand;
    // The target when it is a plain variable written in place.
    TkxCustomVariable *m_direct;
    // The target when it is one variable that can hold a string; for a
    // string variable any string type appends.
    TkxCustomVariable *m_appendVar;
    bool m_appendAnyString;
    Op m_op;
    Shape m_shape;
    bool m_exitAfter = false;
};

// A call whose value is dropped; with the modificator "+" or "-" the
// increment and decrement statements.
class TkxCallStmt : public TkxStatement
{
public:
    TkxCallStmt(TkxScript *script, std::unique_ptr<TkxDesignator> designator,
                const QString &modificator = QString(), const QString &pos = QString(),
                const QString &unit = QString());
    void execute() override;
    bool stepShape(TkxCustomVariable **variable, const Variant **amount, bool *down) const override;

private:
    std::unique_ptr<TkxDesignator> m_designator;
    int m_step;                    // 0 call, +1, -1
    TkxCustomVariable *m_direct;   // the plain variable a step changes in place
};

class TkxIfStmt : public TkxStatement
{
public:
    TkxIfStmt(TkxScript *script, std::unique_ptr<TkxExpression> condition,
              const QString &pos = QString(), const QString &unit = QString());
    void execute() override;
    inline void executeInPlace();
    TkxStatement *thenList() { return this; }
    TkxStatement *elseList() { return m_else.get(); }

private:
    std::unique_ptr<TkxExpression> m_condition;
    std::unique_ptr<TkxStatement> m_else;
};

// With no debugger listening, one load and one test of the scope's flags.
Q_ALWAYS_INLINE bool TkxStatement::enter()
{
    if (Q_UNLIKELY(TkxScript::lineHookCount() != 0))
        m_script->runLine(m_unit, m_pos);
    return !(m_script->flags & TkxScript::TerminatedFlag);
}

Q_ALWAYS_INLINE void TkxStatement::leave()
{
    if (Q_UNLIKELY(TkxScript::lineHookCount() != 0))
        m_script->runLine(m_unit, m_pos);
    m_script->flags |= TkxScript::ExitFlagBit;
}

Q_ALWAYS_INLINE void TkxStatement::runBody()
{
    if (m_list.size() != 1) {
        if (!m_list.empty())   // an empty list would only test Terminated
            runList();
        return;
    }
    if (m_script->flags & TkxScript::TerminatedFlag)
        return;
    try {
        m_list.front()->execute();
    } catch (...) {
        rethrowFromStatement(0);
    }
}

Q_ALWAYS_INLINE void TkxIfStmt::executeInPlace()
{
    if (!enter())
        return;
    if (m_condition->isTrue())
        runBody();
    else
        m_else->runBody();
}

// Terminated is tested before the first statement and, with Break,
// Continue and Exit, after each one: the same as before each. The position
// of an error is that of the innermost statement that was running; lists
// further out leave it alone.
Q_ALWAYS_INLINE void TkxStatement::runListInline()
{
    TkxScript *const s = m_script;
    if (s->flags & TkxScript::TerminatedFlag)
        return;
    constexpr quint8 kStop = TkxScript::BreakFlagBit | TkxScript::ContinueFlagBit
        | TkxScript::ExitFlagBit | TkxScript::TerminatedFlag;
    const std::unique_ptr<TkxStatement> *list = m_list.data();
    const size_t n = m_list.size();
    size_t i = 0;
    try {
        for (; i < n; ++i) {
            TkxStatement *statement = list[i].get();
            if (statement->m_isIf)
                static_cast<TkxIfStmt *>(statement)->executeInPlace();
            else
                statement->execute();
            if (s->flags & kStop)
                break;
        }
    } catch (...) {
        rethrowFromStatement(i);
    }
}

class TkxCaseSelector : public TkxStatement
{
public:
    TkxCaseSelector(TkxScript *script, std::unique_ptr<TkxSetExpression> set,
                    const QString &pos = QString(), const QString &unit = QString());
    bool matches(const Variant &value) { return m_set->contains(value); }
    void execute() override { runList(); }

private:
    std::unique_ptr<TkxSetExpression> m_set;
};

class TkxCaseStmt : public TkxStatement
{
public:
    TkxCaseStmt(TkxScript *script, std::unique_ptr<TkxExpression> selector,
                const QString &pos = QString(), const QString &unit = QString());
    void execute() override;
    TkxCaseSelector *addSelector(std::unique_ptr<TkxCaseSelector> selector);
    TkxStatement *elseList() { return m_else.get(); }

private:
    std::unique_ptr<TkxExpression> m_selector;
    std::vector<std::unique_ptr<TkxCaseSelector>> m_selectors;
    std::unique_ptr<TkxStatement> m_else;
};

// repeat ... until, do ... while, do ... loop: the body runs first; the loop
// ends when the condition is True (or False when inverted).
class TkxRepeatStmt : public TkxStatement
{
public:
    TkxRepeatStmt(TkxScript *script, std::unique_ptr<TkxExpression> condition,
                  bool inverted = false, const QString &pos = QString(),
                  const QString &unit = QString());
    void execute() override;

private:
    std::unique_ptr<TkxExpression> m_condition;
    bool m_inverted;
};

class TkxWhileStmt : public TkxStatement
{
public:
    TkxWhileStmt(TkxScript *script, std::unique_ptr<TkxExpression> condition,
                 const QString &pos = QString(), const QString &unit = QString());
    void execute() override;

private:
    std::unique_ptr<TkxExpression> m_condition;
};

// for v := a to b / downto b: the bounds are read once as integers and the
// variable receives each value directly; it keeps the last one.
class TkxForStmt : public TkxStatement
{
public:
    TkxForStmt(TkxScript *script, TkxCustomVariable *variable, std::unique_ptr<TkxExpression> start,
               std::unique_ptr<TkxExpression> end, bool down, const QString &pos = QString(),
               const QString &unit = QString());
    void execute() override;

private:
    TkxCustomVariable *m_variable;
    std::unique_ptr<TkxExpression> m_start;
    std::unique_ptr<TkxExpression> m_end;
    bool m_down;
};

// for v = a to b [step s]: variant arithmetic on the current value.
class TkxVbForStmt : public TkxStatement
{
public:
    TkxVbForStmt(TkxScript *script, TkxCustomVariable *variable,
                 std::unique_ptr<TkxExpression> start, std::unique_ptr<TkxExpression> end,
                 std::unique_ptr<TkxExpression> step, const QString &pos = QString(),
                 const QString &unit = QString());
    void execute() override;

private:
    TkxCustomVariable *m_variable;
    std::unique_ptr<TkxExpression> m_start;
    std::unique_ptr<TkxExpression> m_end;
    std::unique_ptr<TkxExpression> m_step;   // may be null: 1
};

// for (init; condition; step) body
class TkxCppForStmt : public TkxStatement
{
public:
    TkxCppForStmt(TkxScript *script, std::unique_ptr<TkxExpression> condition,
                  const QString &pos = QString(), const QString &unit = QString());
    void execute() override;
    TkxStatement *initList() { return m_init.get(); }
    TkxStatement *stepList() { return m_step.get(); }
    // The analyser builds the condition after the initialisation, which
    // may declare what it reads.
    void setCondition(std::unique_ptr<TkxExpression> condition)
    {
        m_condition = std::move(condition);
        m_analysed = false;
    }

private:
    void analyse();
    void step();

    std::unique_ptr<TkxExpression> m_condition;
    // The step's shape, found at the first run (the lists are complete).
    bool m_analysed = false;
    TkxCustomVariable *m_stepVariable = nullptr;
    const Variant *m_stepAmount = nullptr;
    bool m_stepDown = false;
    std::unique_ptr<TkxStatement> m_init;
    std::unique_ptr<TkxStatement> m_step;
};

// try ... except / try ... finally. The protected statements are the list.
class TkxTryStmt : public TkxStatement
{
public:
    TkxTryStmt(TkxScript *script, bool isExcept, const QString &pos = QString(),
               const QString &unit = QString());
    void execute() override;
    TkxStatement *handlerList() { return m_handler.get(); }
    bool isExcept() const { return m_isExcept; }

private:
    void runFinally();
    bool m_isExcept;
    std::unique_ptr<TkxStatement> m_handler;
};

class TkxBreakStmt : public TkxStatement
{
public:
    using TkxStatement::TkxStatement;
    void execute() override;
};

class TkxContinueStmt : public TkxStatement
{
public:
    using TkxStatement::TkxStatement;
    void execute() override;
};

class TkxExitStmt : public TkxStatement
{
public:
    using TkxStatement::TkxStatement;
    void execute() override;
};

// Stores the value of the with designator in its hidden variable; the body
// follows in the same list.
class TkxWithStmt : public TkxStatement
{
public:
    TkxWithStmt(TkxScript *script, TkxCustomVariable *hidden,
                std::unique_ptr<TkxDesignator> designator, const QString &pos = QString(),
                const QString &unit = QString());
    void execute() override;

private:
    TkxCustomVariable *m_hidden;
    std::unique_ptr<TkxDesignator> m_designator;
};

}   // namespace pgx::script
