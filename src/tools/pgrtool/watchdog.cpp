#include "watchdog.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace pgx::tool {

namespace {

// The watchdog does not wait for the script to notice: a script may be
// inside a library call that never returns (a read from a pipe). _Exit
// skips the destructors the stuck thread may be using.
void arm(double seconds)
{
    std::thread([seconds] {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        std::fprintf(stderr, "pgrtool: stopped after %g s (--timeout)\n", seconds);
        std::fflush(stderr);
        std::fflush(stdout);
        std::_Exit(1);
    }).detach();
}

}   // namespace

bool takeTimeoutOption(QStringList &args, QString &error)
{
    const qsizetype at = args.indexOf(QLatin1String("--timeout"));
    if (at < 0)
        return true;
    bool ok = false;
    const double seconds = at + 1 < args.size() ? args[at + 1].toDouble(&ok) : 0;
    if (!ok || !(seconds > 0)) {
        error = QStringLiteral("--timeout needs a number of seconds above 0");
        return false;
    }
    args.remove(at, 2);
    arm(seconds);
    return true;
}

}   // namespace pgx::tool
