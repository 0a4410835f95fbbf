#pragma once

// The entry of a script procedure call: the stack bound and the call
// state put back on every way out. A header of its own so that the call
// designator runs a procedure without a further call level: recursion
// passes here on every call.

#include "script/runtime/Items.h"
#include "script/runtime/Script.h"
#include "script/runtime/StackLimit.h"
#include "script/runtime/Statements.h"

namespace pgx::script {

namespace callframe {

// The state a call changes, put back on every way out. A local scope runs
// exactly while its procedure executes, so Running needs no saving of its
// own.
class CallStateGuard
{
public:
    CallStateGuard(TkxProcVariable *proc, TkxScript *local, TkxScript *mainRun)
        : m_proc(proc), m_local(local), m_mainRun(mainRun),
          m_savedScope(mainRun ? mainRun->currentScope : nullptr),
          m_savedExecuting(proc->executing), m_savedFlags(local->flags)
    {
        proc->executing = true;
        local->running = true;
        // A fresh activation: no exit, break or continue left over; it is
        // terminated only when its caller is (a finally list running after
        // Terminate has its flag cleared, so its calls still run).
        if (mainRun) {
            const TkxScript *caller = m_savedScope ? m_savedScope : mainRun;
            local->flags = caller->flags & TkxScript::TerminatedFlag;
            mainRun->currentScope = local;
        } else {
            local->flags = 0;
        }
    }
    ~CallStateGuard()
    {
        if (m_mainRun)
            m_mainRun->currentScope = m_savedScope;
        m_proc->executing = m_savedExecuting;
        m_local->running = m_savedExecuting;
        // An outer activation of the same procedure goes on with its flags.
        m_local->flags = m_savedExecuting ? m_savedFlags : 0;
    }
    CallStateGuard(const CallStateGuard &) = delete;
    CallStateGuard &operator=(const CallStateGuard &) = delete;

private:
    TkxProcVariable *m_proc;
    TkxScript *m_local;
    TkxScript *m_mainRun;
    TkxScript *m_savedScope;
    bool m_savedExecuting;
    quint8 m_savedFlags;
};

}   // namespace callframe

Q_ALWAYS_INLINE Variant TkxProcVariable::run()
{
    stacklimit::CallGuard depth;
    TkxScript *local = m_local.get();
    TkxScript *mainRun = local->findMainRun();
    callframe::CallStateGuard state(this, local, mainRun);
    // The body is a plain statement list: run in place, not through Execute.
    if (TkxStatement *body = local->mainStatement())
        body->runListInline();
    return isFunction ? refItem->value : Variant::null();
}

// Inlined into both branches of Invoke: it is the whole call.
Q_ALWAYS_INLINE Variant TkxProcCallDesignator::call()
{
    TkxProcVariable *const proc = m_proc;
    switch (m_args.size()) {
    case 0: break;
    case 1: proc->param(0)->value = m_args[0]->evaluate(); break;
    default: {
        // All arguments first: an argument may read a parameter.
        QVarLengthArray<Variant, kMaxArgs> args;
        for (const TkxExpression *arg : m_args)
            args.append(arg->evaluate());
        for (int i = 0; i < args.size(); ++i)
            proc->param(i)->value = std::move(args[i]);
    }
    }
    proc->needResult = needResult;
    return proc->run();
}

// As walk for one procedure item: save the locals of a running procedure,
// evaluate every argument, then assign them, then call.
Q_ALWAYS_INLINE Variant TkxProcCallDesignator::invoke()
{
    if (m_proc->executing) {
        TkxLocalsGuard locals(m_proc);
        return call();
    }
    return call();
}

}   // namespace pgx::script
