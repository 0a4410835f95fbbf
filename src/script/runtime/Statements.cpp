#include "script/runtime/Statements.h"

#include "platform/format/NumberText.h"
#include "script/runtime/Script.h"
#include "script/value/ScriptError.h"
#include "script/value/VariantOps.h"

namespace pgx::script {

namespace {
constexpr quint8 kStopLoop
    = TkxScript::BreakFlagBit | TkxScript::ExitFlagBit | TkxScript::TerminatedFlag;

QString classNameOf(const pgx::Error &e)
{
    return dynamic_cast<const pgx::format::ConvertError *>(&e) ? QStringLiteral("EConvertError")
                                                               : QStringLiteral("Exception");
}

// The one writable variable a designator names when it can hold a string:
// a string variable, or a plain variant.
TkxCustomVariable *stringHolder(const TkxDesignator &target)
{
    TkxCustomVariable *v
        = target.IsLate() || target.ItemCount() != 1 ? nullptr : target.SimpleVariable();
    if (!v || v->ReadOnly)
        return nullptr;
    if (dynamic_cast<TkxStringVariable *>(v) || (v->IsPlain() && v->Kind() == TkxKind::Variant))
        return v;
    return nullptr;
}
}   // namespace

TkxStatement::TkxStatement(TkxScript *script, const QString &sourcePos, const QString &unitName)
    : m_script(script), m_pos(sourcePos), m_unit(unitName)
{ }

TkxStatement::~TkxStatement() = default;

TkxStatement *TkxStatement::Add(std::unique_ptr<TkxStatement> statement)
{
    m_list.push_back(std::move(statement));
    return m_list.back().get();
}

void TkxStatement::Clear()
{
    m_list.clear();
    TkxItemList::Clear();
}

void TkxStatement::Execute()
{
    runList();
}

void TkxStatement::rethrowFromStatement(size_t i) const
{
    const TkxStatement *at = i < m_list.size() ? m_list[i].get() : nullptr;
    try {
        throw;
    } catch (ScriptError &e) {
        if (!e.hasPosition() && at)
            e.setPosition(at->m_pos, at->m_unit);
        throw;
    } catch (const pgx::Error &e) {
        ScriptError error(e.message(), classNameOf(e));
        if (at)
            error.setPosition(at->m_pos, at->m_unit);
        throw error;
    }
}

void TkxStatement::runList()
{
    RunListInline();
}

// ---- assignments and calls ------------------------------------------------------

TkxAssignmentStmt::TkxAssignmentStmt(TkxScript *script, std::unique_ptr<TkxDesignator> target,
                                     std::unique_ptr<TkxExpression> value, Op op,
                                     const QString &pos, const QString &unit)
    : TkxStatement(script, pos, unit), m_target(std::move(target)), m_value(std::move(value)),
      m_operand(m_value->Root()),
      m_direct(m_target->IsLate() ? nullptr : m_target->DirectVariable()),
      m_appendVar(stringHolder(*m_target)),
      m_appendAnyString(dynamic_cast<TkxStringVariable *>(m_appendVar) != nullptr), m_op(op)
{
    m_shape = chooseShape();
}

TkxAssignmentStmt::Shape TkxAssignmentStmt::chooseShape()
{
    if (m_op == Op::None) {
        // S := S & E: concatenation is not rewritten as a compound form (it
        // is not addition), so it is recognised here.
        auto *root = dynamic_cast<TkxOperatorNode *>(m_operand);
        if (m_appendVar && root && root->Operator() == TkxOperator::StrCat && root->Right) {
            auto *left = dynamic_cast<TkxDesignatorNode *>(root->Left.get());
            if (left && !left->Designator()->IsLate() && left->Designator()->ItemCount() == 1
                && left->Designator()->SimpleVariable() == m_appendVar) {
                m_operand = root->Right.get();
                return Shape::Append;
            }
        }
        return m_direct && m_operand ? Shape::Store : Shape::General;
    }
    if (m_direct && (m_op == Op::Plus || m_op == Op::Minus) && m_operand && m_operand->Direct)
        return Shape::Step;
    return m_direct && m_op == Op::Plus ? Shape::Add : Shape::Compound;
}

void TkxAssignmentStmt::Execute()
{
    if (!enter())
        return;
    // Stores and counting steps, most assignments run, skip the jump table.
    if (Q_LIKELY(m_shape == Shape::Store)) {
        store();
    } else if (m_shape == Shape::Step) {
        step();
    } else {
        switch (m_shape) {
        case Shape::Store: store(); break;
        case Shape::Append: append(); break;
        case Shape::Step: step(); break;
        case Shape::Add: add(); break;
        case Shape::Compound: compound(); break;
        case Shape::General: put(operand()); break;
        }
    }
    if (m_exitAfter)
        leave();
}

bool TkxAssignmentStmt::StepShape(TkxCustomVariable **variable, const Variant **amount,
                                  bool *down) const
{
    if (m_shape != Shape::Step)
        return false;
    *variable = m_direct;
    *amount = m_operand->Direct;
    *down = m_op == Op::Minus;
    return true;
}

TkxCallStmt::TkxCallStmt(TkxScript *script, std::unique_ptr<TkxDesignator> designator,
                         const QString &modificator, const QString &pos, const QString &unit)
    : TkxStatement(script, pos, unit), m_designator(std::move(designator)),
      m_step(modificator == QLatin1String("+")       ? 1
                 : modificator == QLatin1String("-") ? -1
                                                     : 0),
      m_direct(m_step != 0 && !m_designator->IsLate() ? m_designator->DirectVariable() : nullptr)
{ }

void TkxCallStmt::Execute()
{
    if (!enter())
        return;
    if (m_step == 0) {
        m_designator->NeedResult = false;
        m_designator->GetValue();
        return;
    }
    if (m_direct) {
        // i++ on a plain variable: in place, as an assignment's fast path.
        if (!m_direct->ReadOnly)
            m_direct->Value = m_step > 0 ? vop::addFast(m_direct->Value, Variant(1))
                                         : vop::subFast(m_direct->Value, Variant(1));
        return;
    }
    const Variant current = m_designator->GetValue();
    m_designator->SetValue(m_step > 0 ? vop::addFast(current, Variant(1))
                                      : vop::subFast(current, Variant(1)));
}

bool TkxCallStmt::StepShape(TkxCustomVariable **variable, const Variant **amount, bool *down) const
{
    static const Variant one(1);
    if (!m_direct)
        return false;
    *variable = m_direct;
    *amount = &one;
    *down = m_step < 0;
    return true;
}

// ---- branches -------------------------------------------------------------------

TkxIfStmt::TkxIfStmt(TkxScript *script, std::unique_ptr<TkxExpression> condition,
                     const QString &pos, const QString &unit)
    : TkxStatement(script, pos, unit), m_condition(std::move(condition)),
      m_else(std::make_unique<TkxStatement>(script))
{
    m_isIf = true;
}

void TkxIfStmt::Execute()
{
    ExecuteInPlace();
}

TkxCaseSelector::TkxCaseSelector(TkxScript *script, std::unique_ptr<TkxSetExpression> set,
                                 const QString &pos, const QString &unit)
    : TkxStatement(script, pos, unit), m_set(std::move(set))
{ }

TkxCaseStmt::TkxCaseStmt(TkxScript *script, std::unique_ptr<TkxExpression> selector,
                         const QString &pos, const QString &unit)
    : TkxStatement(script, pos, unit), m_selector(std::move(selector)),
      m_else(std::make_unique<TkxStatement>(script))
{ }

TkxCaseSelector *TkxCaseStmt::AddSelector(std::unique_ptr<TkxCaseSelector> selector)
{
    m_selectors.push_back(std::move(selector));
    return m_selectors.back().get();
}

// The selector is read once, before the line is reported. A break inside a
// branch is left for the enclosing loop.
void TkxCaseStmt::Execute()
{
    const Variant value = m_selector->GetValue();
    if (!enter())
        return;
    for (auto &selector : m_selectors) {
        if (selector->Matches(value)) {
            selector->Execute();
            return;
        }
    }
    m_else->Execute();
}

// ---- loops ----------------------------------------------------------------------

TkxRepeatStmt::TkxRepeatStmt(TkxScript *script, std::unique_ptr<TkxExpression> condition,
                             bool inverted, const QString &pos, const QString &unit)
    : TkxStatement(script, pos, unit), m_condition(std::move(condition)), m_inverted(inverted)
{ }

void TkxRepeatStmt::Execute()
{
    if (!enter())
        return;
    TkxScript *const s = m_script;
    for (;;) {
        RunBody();
        if (s->Flags & kStopLoop)
            break;
        s->Flags &= quint8(~TkxScript::ContinueFlagBit);
        const bool condition = m_condition->IsTrue();
        if (condition != m_inverted)
            break;
    }
    s->Flags &= quint8(~TkxScript::BreakFlagBit);
}

TkxWhileStmt::TkxWhileStmt(TkxScript *script, std::unique_ptr<TkxExpression> condition,
                           const QString &pos, const QString &unit)
    : TkxStatement(script, pos, unit), m_condition(std::move(condition))
{ }

void TkxWhileStmt::Execute()
{
    if (!enter())
        return;
    TkxScript *const s = m_script;
    while (!(s->Flags & TkxScript::TerminatedFlag) && m_condition->IsTrue()) {
        RunBody();
        if (s->Flags & kStopLoop)
            break;
        s->Flags &= quint8(~TkxScript::ContinueFlagBit);
    }
    s->Flags &= quint8(~TkxScript::BreakFlagBit);
}

TkxForStmt::TkxForStmt(TkxScript *script, TkxCustomVariable *variable,
                       std::unique_ptr<TkxExpression> start, std::unique_ptr<TkxExpression> end,
                       bool down, const QString &pos, const QString &unit)
    : TkxStatement(script, pos, unit), m_variable(variable), m_start(std::move(start)),
      m_end(std::move(end)), m_down(down)
{ }

void TkxForStmt::Execute()
{
    if (!enter())
        return;
    TkxScript *const s = m_script;
    const qint64 start = m_start->GetValue().toInt64();
    const qint64 end = m_end->GetValue().toInt64();
    if (m_down ? end <= start : end >= start) {
        // Counted in unsigned arithmetic so that bounds at the ends of the
        // 64-bit range neither overflow nor loop forever.
        const quint64 last = m_down ? quint64(start) - quint64(end) : quint64(end) - quint64(start);
        const bool plain = m_variable->IsPlain();
        for (quint64 k = 0;; ++k) {
            const qint64 v = qint64(m_down ? quint64(start) - k : quint64(start) + k);
            if (plain)
                m_variable->Value.setInt(v);
            else
                m_variable->SetValue(Variant::fromInt(v));
            RunBody();
            if (s->Flags & kStopLoop)
                break;
            s->Flags &= quint8(~TkxScript::ContinueFlagBit);
            if (k == last)
                break;
        }
    }
    s->Flags &= quint8(~TkxScript::BreakFlagBit);
}

TkxVbForStmt::TkxVbForStmt(TkxScript *script, TkxCustomVariable *variable,
                           std::unique_ptr<TkxExpression> start, std::unique_ptr<TkxExpression> end,
                           std::unique_ptr<TkxExpression> step, const QString &pos,
                           const QString &unit)
    : TkxStatement(script, pos, unit), m_variable(variable), m_start(std::move(start)),
      m_end(std::move(end)), m_step(std::move(step))
{ }

void TkxVbForStmt::Execute()
{
    if (!enter())
        return;
    TkxScript *const s = m_script;
    Variant current = m_start->GetValue();
    const Variant end = m_end->GetValue();
    const Variant step = m_step ? m_step->GetValue() : Variant(1);
    const bool downwards = vop::compare(step, Variant(0)) < 0;
    const bool plain = m_variable->IsPlain();
    if (plain && vop::isFastInteger(current.type()) && vop::isFastInteger(end.type())
        && vop::isFastInteger(step.type())) {
        // Integers count without variant arithmetic, with the values and
        // types of the general loop below, which takes over should the
        // count overflow.
        const qint64 last = end.rawInt();
        const qint64 by = step.rawInt();
        const bool wideStep = vop::isWideInteger(step);
        qint64 v = current.rawInt();
        bool wide = vop::isWideInteger(current);
        for (;;) {
            if (downwards ? v < last : v > last) {
                s->Flags &= quint8(~TkxScript::BreakFlagBit);
                return;
            }
            m_variable->Value.setInt(v, wide);
            RunBody();
            if (s->Flags & kStopLoop) {
                s->Flags &= quint8(~TkxScript::BreakFlagBit);
                return;
            }
            s->Flags &= quint8(~TkxScript::ContinueFlagBit);
            qint64 next;
            if (__builtin_add_overflow(v, by, &next)) {
                current = vop::add(Variant::fromInt(v, wide), step);
                break;
            }
            v = next;
            wide = Variant::intResultType(v, wide || wideStep) == varInt64;
        }
    }
    while (downwards ? vop::compare(current, end) >= 0 : vop::compareFast(current, end) <= 0) {
        if (plain)
            m_variable->Value = current;
        else
            m_variable->SetValue(current);
        RunBody();
        if (s->Flags & kStopLoop)
            break;
        s->Flags &= quint8(~TkxScript::ContinueFlagBit);
        current = vop::addFast(current, step);
    }
    s->Flags &= quint8(~TkxScript::BreakFlagBit);
}

TkxCppForStmt::TkxCppForStmt(TkxScript *script, std::unique_ptr<TkxExpression> condition,
                             const QString &pos, const QString &unit)
    : TkxStatement(script, pos, unit), m_condition(std::move(condition)),
      m_init(std::make_unique<TkxStatement>(script)), m_step(std::make_unique<TkxStatement>(script))
{ }

void TkxCppForStmt::analyse()
{
    m_analysed = true;
    m_stepVariable = nullptr;
    if (m_step->Count() == 1
        && m_step->Statement(0)->StepShape(&m_stepVariable, &m_stepAmount, &m_stepDown))
        return;
    m_stepVariable = nullptr;
}

inline void TkxCppForStmt::step()
{
    if (m_stepVariable && !m_stepVariable->ReadOnly && TkxScript::LineHookCount() == 0
        && !(m_script->Flags & TkxScript::TerminatedFlag)
        && vop::stepInPlace(m_stepVariable->Value, *m_stepAmount, m_stepDown))
        return;
    m_step->Execute();
}

void TkxCppForStmt::Execute()
{
    if (!enter())
        return;
    if (!m_analysed)
        analyse();
    TkxScript *const s = m_script;
    m_init->Execute();
    while (!(s->Flags & TkxScript::TerminatedFlag) && (!m_condition || m_condition->IsTrue())) {
        RunBody();
        if (s->Flags & kStopLoop)
            break;
        s->Flags &= quint8(~TkxScript::ContinueFlagBit);
        step();
    }
    s->Flags &= quint8(~TkxScript::BreakFlagBit);
}

// ---- try --------------------------------------------------------------------------

TkxTryStmt::TkxTryStmt(TkxScript *script, bool isExcept, const QString &pos, const QString &unit)
    : TkxStatement(script, pos, unit), m_isExcept(isExcept),
      m_handler(std::make_unique<TkxStatement>(script))
{ }

// The finally list runs completely: Break, Continue, Exit and Terminated are
// put aside for it and come back afterwards (with whatever it set itself).
void TkxTryStmt::runFinally()
{
    constexpr quint8 mask = TkxScript::BreakFlagBit | TkxScript::ContinueFlagBit
        | TkxScript::ExitFlagBit | TkxScript::TerminatedFlag;
    struct Restore
    {
        TkxScript *s;
        quint8 saved;
        ~Restore() { s->Flags |= saved; }
    } restore{m_script, quint8(m_script->Flags & mask)};
    m_script->Flags &= quint8(~mask);
    m_handler->Execute();
}

void TkxTryStmt::Execute()
{
    if (!enter())
        return;
    if (!m_isExcept) {
        try {
            runList();
        } catch (...) {
            runFinally();
            throw;
        }
        runFinally();
        return;
    }
    QString className, message;
    bool failed = false;
    try {
        runList();
    } catch (const ScriptError &e) {
        failed = true;
        className = e.className();
        message = e.message();
    } catch (const pgx::Error &e) {
        failed = true;
        className = classNameOf(e);
        message = e.message();
    }
    if (!failed)
        return;
    m_script->SetVariable(QStringLiteral("ExceptionClassName"), Variant(className));
    m_script->SetVariable(QStringLiteral("ExceptionMessage"), Variant(message));
    m_handler->Execute();
}

// ---- jumps and with -----------------------------------------------------------------

void TkxBreakStmt::Execute()
{
    m_script->Flags |= TkxScript::BreakFlagBit;
}

void TkxContinueStmt::Execute()
{
    m_script->Flags |= TkxScript::ContinueFlagBit;
}

void TkxExitStmt::Execute()
{
    leave();
}

TkxWithStmt::TkxWithStmt(TkxScript *script, TkxCustomVariable *hidden,
                         std::unique_ptr<TkxDesignator> designator, const QString &pos,
                         const QString &unit)
    : TkxStatement(script, pos, unit), m_hidden(hidden), m_designator(std::move(designator))
{ }

void TkxWithStmt::Execute()
{
    m_hidden->SetValue(m_designator->GetValue());
}

}   // namespace pgx::script
