#pragma once

// How deep script calls may go: bounded by the room left on the machine
// stack of the thread that runs them, not by a count. Every call compares
// its frame address with a per-thread floor; the floor lies a reserve above
// the lowest usable address, and the reserve grows with the largest stack
// use measured between two nested calls, so builds with larger frames (the
// sanitizers) keep the same safety without a figure tuned for one of them.

#include <QtCore/QtGlobal>

#include <cstddef>
#include <cstdint>

namespace pgx::script::stacklimit {

struct ThreadStack
{
    // A call whose frame lies below this address raises the error.
    // UINTPTR_MAX until the thread's stack is measured (the first call
    // measures it), so the hot test needs no separate "measured" flag.
    std::uintptr_t floor = UINTPTR_MAX;
    std::uintptr_t low = 0;         // lowest usable address (above the guard)
    std::uintptr_t outerCall = 0;   // frame address of the innermost call
    std::size_t largestCall = 0;    // most stack seen between two nested calls
    std::size_t reserve = 0;        // room kept below the floor
};

inline thread_local ThreadStack tStack;

// Measures the thread's stack on first use, takes a new largest call into
// the reserve, and raises the script's stack overflow error when `frame` is
// below the floor. Out of line: the common case never comes here.
void checkSlow(std::uintptr_t frame);

// The room a call keeps free below it for native work that passes no call
// (library functions, nested statements and expressions, the error's own
// unwinding): at least kMinReserve, and kReserveCalls times the largest
// call measured on the thread.
inline constexpr std::size_t kMinReserve = 256 * 1024;
inline constexpr std::size_t kReserveCalls = 16;

// Tests turn the usable stack down: calls then fail once this many bytes
// of the thread's stack (from the first measured call downwards) are used;
// 0 gives back the whole stack. Applies to threads measured afterwards and
// to the calling thread at once.
void setStackBudget(std::size_t bytes);
std::size_t stackBudget();

// Bytes of stack between the calling thread's current frame and its floor;
// negative once below it (diagnostics and tests).
qint64 roomLeft();

class CallGuard
{
public:
    Q_ALWAYS_INLINE CallGuard()
    {
        const auto frame = std::uintptr_t(__builtin_frame_address(0));
        ThreadStack &t = tStack;
        m_savedOuter = t.outerCall;
        // Stacks grow downwards on every platform we build for.
        if (Q_UNLIKELY(frame < t.floor
                       || (m_savedOuter && m_savedOuter - frame > t.largestCall)))
            checkSlow(frame);
        t.outerCall = frame;
    }
    Q_ALWAYS_INLINE ~CallGuard() { tStack.outerCall = m_savedOuter; }
    CallGuard(const CallGuard &) = delete;
    CallGuard &operator=(const CallGuard &) = delete;

private:
    std::uintptr_t m_savedOuter;
};

}   // namespace pgx::script::stacklimit
