#include "script/runtime/Statements.h"

#include "platform/format/NumberText.h"
#include "script/runtime/Script.h"
#include "script/value/ScriptError.h"
#include "script/value/VariantOps.h"

#include <new>

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
        = target.isLate() || target.itemCount() != 1 ? nullptr : target.simpleVariable();
    if (!v || v->readOnly)
        return nullptr;
    if (dynamic_cast<TkxStringVariable *>(v) || (v->isPlain() && v->kind() == TkxKind::Variant))
        return v;
    return nullptr;
}
}   // namespace

TkxStatement::TkxStatement(TkxScript *script, const QString &sourcePos, const QString &unitName)
    : m_script(script), m_pos(sourcePos), m_unit(unitName)
{ }

TkxStatement::~TkxStatement() = default;

TkxStatement *TkxStatement::add(std::unique_ptr<TkxStatement> statement)
{
    m_list.push_back(std::move(statement));
    return m_list.back().get();
}

void TkxStatement::clear()
{
    m_list.clear();
    TkxItemList::clear();
}

void TkxStatement::execute()
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
    } catch (const std::bad_alloc &) {
        // A script that asks for more than the machine has ends, the host
        // goes on: the allocation that failed was the script's own.
        ScriptError error(Variant::outOfMemoryText(), QStringLiteral("EOutOfMemory"));
        if (at)
            error.setPosition(at->m_pos, at->m_unit);
        throw error;
    }
}

void TkxStatement::runList()
{
    runListInline();
}

// ---- assignments and calls ------------------------------------------------------

TkxAssignmentStmt::TkxAssignmentStmt(TkxScript *script, std::unique_ptr<TkxDesignator> target,
                                     std::unique_ptr<TkxExpression> value, Op op,
                                     const QString &pos, const QString &unit)
    : TkxStatement(script, pos, unit), m_target(std::move(target)), m_value(std::move(value)),
      m_operand(m_value->root()),
      m_direct(m_target->isLate() ? nullptr : m_target->directVariable()),
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
        if (m_appendVar && root && root->op() == TkxOperator::StrCat && root->right) {
            auto *left = dynamic_cast<TkxDesignatorNode *>(root->left.get());
            if (left && !left->designator()->isLate() && left->designator()->itemCount() == 1
                && left->designator()->simpleVariable() == m_appendVar) {
                m_operand = root->right.get();
                return Shape::Append;
            }
        }
        return m_direct && m_operand ? Shape::Store : Shape::General;
    }
    if (m_direct && (m_op == Op::Plus || m_op == Op::Minus) && m_operand && m_operand->direct)
        return Shape::Step;
    return m_direct && m_op == Op::Plus ? Shape::Add : Shape::Compound;
}

void TkxAssignmentStmt::execute()
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

bool TkxAssignmentStmt::stepShape(TkxCustomVariable **variable, const Variant **amount,
                                  bool *down) const
{
    if (m_shape != Shape::Step)
        return false;
    *variable = m_direct;
    *amount = m_operand->direct;
    *down = m_op == Op::Minus;
    return true;
}

TkxCallStmt::TkxCallStmt(TkxScript *script, std::unique_ptr<TkxDesignator> designator,
                         const QString &modificator, const QString &pos, const QString &unit)
    : TkxStatement(script, pos, unit), m_designator(std::move(designator)),
      m_step(modificator == QLatin1String("+")       ? 1
                 : modificator == QLatin1String("-") ? -1
                                                     : 0),
      m_direct(m_step != 0 && !m_designator->isLate() ? m_designator->directVariable() : nullptr)
{ }

void TkxCallStmt::execute()
{
    if (!enter())
        return;
    if (m_step == 0) {
        m_designator->needResult = false;
        m_designator->getValue();
        return;
    }
    if (m_direct) {
        // i++ on a plain variable: in place, as an assignment's fast path.
        if (!m_direct->readOnly)
            m_direct->value = m_step > 0 ? vop::addFast(m_direct->value, Variant(1))
                                         : vop::subFast(m_direct->value, Variant(1));
        return;
    }
    const Variant current = m_designator->getValue();
    m_designator->setValue(m_step > 0 ? vop::addFast(current, Variant(1))
                                      : vop::subFast(current, Variant(1)));
}

bool TkxCallStmt::stepShape(TkxCustomVariable **variable, const Variant **amount, bool *down) const
{
    static const Variant kOne(1);
    if (!m_direct)
        return false;
    *variable = m_direct;
    *amount = &kOne;
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

void TkxIfStmt::execute()
{
    executeInPlace();
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

TkxCaseSelector *TkxCaseStmt::addSelector(std::unique_ptr<TkxCaseSelector> selector)
{
    m_selectors.push_back(std::move(selector));
    return m_selectors.back().get();
}

// The selector is read once, before the line is reported. A break inside a
// branch is left for the enclosing loop.
void TkxCaseStmt::execute()
{
    const Variant value = m_selector->getValue();
    if (!enter())
        return;
    for (auto &selector : m_selectors) {
        if (selector->matches(value)) {
            selector->execute();
            return;
        }
    }
    m_else->execute();
}

// ---- loops ----------------------------------------------------------------------

TkxRepeatStmt::TkxRepeatStmt(TkxScript *script, std::unique_ptr<TkxExpression> condition,
                             bool inverted, const QString &pos, const QString &unit)
    : TkxStatement(script, pos, unit), m_condition(std::move(condition)), m_inverted(inverted)
{ }

void TkxRepeatStmt::execute()
{
    if (!enter())
        return;
    TkxScript *const s = m_script;
    for (;;) {
        runBody();
        if (s->flags & kStopLoop)
            break;
        s->flags &= quint8(~TkxScript::ContinueFlagBit);
        const bool condition = m_condition->isTrue();
        if (condition != m_inverted)
            break;
    }
    s->flags &= quint8(~TkxScript::BreakFlagBit);
}

TkxWhileStmt::TkxWhileStmt(TkxScript *script, std::unique_ptr<TkxExpression> condition,
                           const QString &pos, const QString &unit)
    : TkxStatement(script, pos, unit), m_condition(std::move(condition))
{ }

void TkxWhileStmt::execute()
{
    if (!enter())
        return;
    TkxScript *const s = m_script;
    while (!(s->flags & TkxScript::TerminatedFlag) && m_condition->isTrue()) {
        runBody();
        if (s->flags & kStopLoop)
            break;
        s->flags &= quint8(~TkxScript::ContinueFlagBit);
    }
    s->flags &= quint8(~TkxScript::BreakFlagBit);
}

TkxForStmt::TkxForStmt(TkxScript *script, TkxCustomVariable *variable,
                       std::unique_ptr<TkxExpression> start, std::unique_ptr<TkxExpression> end,
                       bool down, const QString &pos, const QString &unit)
    : TkxStatement(script, pos, unit), m_variable(variable), m_start(std::move(start)),
      m_end(std::move(end)), m_down(down)
{ }

void TkxForStmt::execute()
{
    if (!enter())
        return;
    TkxScript *const s = m_script;
    const qint64 start = m_start->getValue().toInt64();
    const qint64 end = m_end->getValue().toInt64();
    if (m_down ? end <= start : end >= start) {
        // Counted in unsigned arithmetic so that bounds at the ends of the
        // 64-bit range neither overflow nor loop forever.
        const quint64 last = m_down ? quint64(start) - quint64(end) : quint64(end) - quint64(start);
        const bool plain = m_variable->isPlain();
        for (quint64 k = 0;; ++k) {
            const qint64 v = qint64(m_down ? quint64(start) - k : quint64(start) + k);
            if (plain)
                m_variable->value.setInt(v);
            else
                m_variable->setValue(Variant::fromInt(v));
            runBody();
            if (s->flags & kStopLoop)
                break;
            s->flags &= quint8(~TkxScript::ContinueFlagBit);
            if (k == last)
                break;
        }
    }
    s->flags &= quint8(~TkxScript::BreakFlagBit);
}

TkxVbForStmt::TkxVbForStmt(TkxScript *script, TkxCustomVariable *variable,
                           std::unique_ptr<TkxExpression> start, std::unique_ptr<TkxExpression> end,
                           std::unique_ptr<TkxExpression> step, const QString &pos,
                           const QString &unit)
    : TkxStatement(script, pos, unit), m_variable(variable), m_start(std::move(start)),
      m_end(std::move(end)), m_step(std::move(step))
{ }

void TkxVbForStmt::execute()
{
    if (!enter())
        return;
    TkxScript *const s = m_script;
    Variant current = m_start->getValue();
    const Variant end = m_end->getValue();
    const Variant step = m_step ? m_step->getValue() : Variant(1);
    const bool downwards = vop::compare(step, Variant(0)) < 0;
    const bool plain = m_variable->isPlain();
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
                s->flags &= quint8(~TkxScript::BreakFlagBit);
                return;
            }
            m_variable->value.setInt(v, wide);
            runBody();
            if (s->flags & kStopLoop) {
                s->flags &= quint8(~TkxScript::BreakFlagBit);
                return;
            }
            s->flags &= quint8(~TkxScript::ContinueFlagBit);
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
            m_variable->value = current;
        else
            m_variable->setValue(current);
        runBody();
        if (s->flags & kStopLoop)
            break;
        s->flags &= quint8(~TkxScript::ContinueFlagBit);
        current = vop::addFast(current, step);
    }
    s->flags &= quint8(~TkxScript::BreakFlagBit);
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
    if (m_step->count() == 1
        && m_step->statement(0)->stepShape(&m_stepVariable, &m_stepAmount, &m_stepDown))
        return;
    m_stepVariable = nullptr;
}

inline void TkxCppForStmt::step()
{
    if (m_stepVariable && !m_stepVariable->readOnly && TkxScript::lineHookCount() == 0
        && !(m_script->flags & TkxScript::TerminatedFlag)
        && vop::stepInPlace(m_stepVariable->value, *m_stepAmount, m_stepDown))
        return;
    m_step->execute();
}

void TkxCppForStmt::execute()
{
    if (!enter())
        return;
    if (!m_analysed)
        analyse();
    TkxScript *const s = m_script;
    m_init->execute();
    while (!(s->flags & TkxScript::TerminatedFlag) && (!m_condition || m_condition->isTrue())) {
        runBody();
        if (s->flags & kStopLoop)
            break;
        s->flags &= quint8(~TkxScript::ContinueFlagBit);
        step();
    }
    s->flags &= quint8(~TkxScript::BreakFlagBit);
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
    constexpr quint8 kMask = TkxScript::BreakFlagBit | TkxScript::ContinueFlagBit
        | TkxScript::ExitFlagBit | TkxScript::TerminatedFlag;
    struct Restore
    {
        TkxScript *s;
        quint8 saved;
        ~Restore() { s->flags |= saved; }
    } restore{m_script, quint8(m_script->flags & kMask)};
    m_script->flags &= quint8(~kMask);
    m_handler->execute();
}

void TkxTryStmt::execute()
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
    m_script->setVariable(QStringLiteral("ExceptionClassName"), Variant(className));
    m_script->setVariable(QStringLiteral("ExceptionMessage"), Variant(message));
    m_handler->execute();
}

// ---- jumps and with -----------------------------------------------------------------

void TkxBreakStmt::execute()
{
    m_script->flags |= TkxScript::BreakFlagBit;
}

void TkxContinueStmt::execute()
{
    m_script->flags |= TkxScript::ContinueFlagBit;
}

void TkxExitStmt::execute()
{
    leave();
}

TkxWithStmt::TkxWithStmt(TkxScript *script, TkxCustomVariable *hidden,
                         std::unique_ptr<TkxDesignator> designator, const QString &pos,
                         const QString &unit)
    : TkxStatement(script, pos, unit), m_hidden(hidden), m_designator(std::move(designator))
{ }

void TkxWithStmt::execute()
{
    m_hidden->setValue(m_designator->getValue());
}

}   // namespace pgx::script
