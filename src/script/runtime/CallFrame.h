#pragma once

// The entry of a script procedure call: the call-depth bound and the call
// state put back on every way out. A header of its own so that the call
// designator runs a procedure without a further call level: recursion
// passes here on every call.

#include "script/runtime/Items.h"
#include "script/runtime/Script.h"
#include "script/runtime/Statements.h"

namespace pgx::script {

namespace callframe {

inline thread_local int t_callDepth = 0;

// Raises the script's stack overflow error; out of line, it is never hot.
[[noreturn]] void throwCallDepthError();

class CallDepthGuard
{
public:
    CallDepthGuard()
    {
        if (Q_UNLIKELY(t_callDepth >= TkxScript::MaxCallDepth()))
            throwCallDepthError();
        ++t_callDepth;
    }
    ~CallDepthGuard() { --t_callDepth; }
    CallDepthGuard(const CallDepthGuard &) = delete;
    CallDepthGuard &operator=(const CallDepthGuard &) = delete;
};

// The state a call changes, put back on every way out.
class CallStateGuard
{
public:
    CallStateGuard(TkxProcVariable *proc, TkxScript *local, TkxScript *mainRun)
        : m_proc(proc), m_local(local), m_mainRun(mainRun),
          m_savedScope(mainRun ? mainRun->CurrentScope : nullptr),
          m_savedExecuting(proc->Executing), m_savedRunning(local->Running),
          m_savedFlags(local->Flags)
    {
        proc->Executing = true;
        local->Running = true;
        // A fresh activation: no exit, break or continue left over; it is
        // terminated only when its caller is (a finally list running after
        // Terminate has its flag cleared, so its calls still run).
        TkxScript *caller = mainRun ? (mainRun->CurrentScope ? mainRun->CurrentScope : mainRun) : nullptr;
        local->Flags = (caller && caller->Terminated()) ? TkxScript::TerminatedFlag : 0;
        if (mainRun)
            mainRun->CurrentScope = local;
    }
    ~CallStateGuard()
    {
        if (m_mainRun)
            m_mainRun->CurrentScope = m_savedScope;
        m_proc->Executing = m_savedExecuting;
        m_local->Running = m_savedRunning;
        // An outer activation of the same procedure goes on with its flags.
        m_local->Flags = m_savedExecuting ? m_savedFlags : 0;
    }
    CallStateGuard(const CallStateGuard &) = delete;
    CallStateGuard &operator=(const CallStateGuard &) = delete;

private:
    TkxProcVariable *m_proc;
    TkxScript *m_local;
    TkxScript *m_mainRun;
    TkxScript *m_savedScope;
    bool m_savedExecuting;
    bool m_savedRunning;
    quint8 m_savedFlags;
};

} // namespace callframe

Q_ALWAYS_INLINE Variant TkxProcVariable::Run()
{
    callframe::CallDepthGuard depth;
    TkxScript *local = m_local.get();
    TkxScript *mainRun = local->FindMainRun();
    callframe::CallStateGuard state(this, local, mainRun);
    if (!local->Terminated() && local->MainStatement())
        local->MainStatement()->Execute();
    return IsFunction ? RefItem->Value : Variant::null();
}

} // namespace pgx::script
