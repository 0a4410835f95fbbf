#include "script/runtime/StackLimit.h"

#include "script/value/ScriptError.h"

#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>

namespace pgx::script::stacklimit {

namespace {

std::atomic<std::size_t> gBudget{0};

// The lowest usable address of the calling thread's stack, or 0 when the
// system does not say. For the main thread glibc derives the size from
// RLIMIT_STACK (the stack grows on demand up to it).
std::uintptr_t measureLow(std::uintptr_t frame)
{
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) != 0)
        return 0;
    void *addr = nullptr;
    std::size_t size = 0;
    std::size_t guard = 0;
    const bool ok = pthread_attr_getstack(&attr, &addr, &size) == 0;
    pthread_attr_getguardsize(&attr, &guard);
    pthread_attr_destroy(&attr);
    if (!ok || !addr)
        return 0;
    std::uintptr_t low = std::uintptr_t(addr) + guard;
    // The main thread's stack grows on demand up to RLIMIT_STACK; glibc
    // reports it from the rlimit, or, when that is unlimited, as whatever
    // lies below it: never trust more than the rlimit says.
    rlimit limit{};
    if (gettid() == getpid() && getrlimit(RLIMIT_STACK, &limit) == 0
        && limit.rlim_cur != RLIM_INFINITY && frame > limit.rlim_cur)
        low = std::max(low, std::uintptr_t(frame - limit.rlim_cur));
    return low < frame ? low : 0;
}

void refreshFloor(ThreadStack &t)
{
    t.reserve = std::max(kMinReserve, kReserveCalls * t.largestCall);
    t.floor = t.low + t.reserve;
}

[[noreturn]] void throwStackOverflow()
{
    throw ScriptError(QStringLiteral("Stack overflow: script calls nest too deep for the "
                                     "machine stack (endless recursion?)"),
                      QStringLiteral("EStackOverflow"));
}

}   // namespace

void checkSlow(std::uintptr_t frame)
{
    ThreadStack &t = tStack;
    if (t.low == 0) {
        t.low = measureLow(frame);
        if (t.low == 0)
            t.low = frame > 1024 * 1024 ? frame - 1024 * 1024 : 1;   // unknown: assume 1 MB
        std::size_t budget = gBudget.load(std::memory_order_relaxed);
#if defined(__SANITIZE_ADDRESS__)
        // AddressSanitizer cannot unwind an exception thrown more than 64 MB
        // below the top of a stack (it stops with an internal check).
        constexpr std::size_t kSanitizerDepth = 48 * 1024 * 1024;
        if (!budget || budget > kSanitizerDepth)
            budget = kSanitizerDepth;
#endif
        if (budget && frame - t.low > budget)
            t.low = frame - budget;
    }
    if (t.outerCall && t.outerCall > frame)
        t.largestCall = std::max(t.largestCall, std::size_t(t.outerCall - frame));
    refreshFloor(t);
    if (frame < t.floor)
        throwStackOverflow();
}

void setStackBudget(std::size_t bytes)
{
    gBudget.store(bytes, std::memory_order_relaxed);
    // Measured again at the next call.
    ThreadStack &t = tStack;
    t.low = 0;
    t.largestCall = 0;
    t.floor = UINTPTR_MAX;
}

std::size_t stackBudget()
{
    return gBudget.load(std::memory_order_relaxed);
}

qint64 roomLeft()
{
    const auto frame = std::uintptr_t(__builtin_frame_address(0));
    const ThreadStack &t = tStack;
    if (t.floor == UINTPTR_MAX)
        return qint64(frame - measureLow(frame));
    return qint64(frame) - qint64(t.floor);
}

}   // namespace pgx::script::stacklimit
