#include "script_run.h"

#include "script/analyser/ScriptAnalyser.h"
#include "script/library/SysFunctions.h"

#include <QtCore/QThread>

#include <exception>
#include <memory>

namespace pgx::tool {

void setUpScriptEngine()
{
    script::installScriptAnalyser();
    script::registerLibraryModules();
}

void runOnLargeStack(const std::function<void()> &body)
{
    // Address space only: pages are taken as the recursion touches them.
    constexpr uint kStackBytes = 512u * 1024 * 1024;
    std::exception_ptr failure;
    bool ran = false;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        ran = true;
        try {
            body();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    thread->setStackSize(kStackBytes);
    thread->start();
    thread->wait();
    if (!ran)   // no thread of that size to be had: the stack we have
        body();
    if (failure)
        std::rethrow_exception(failure);
}

}   // namespace pgx::tool
