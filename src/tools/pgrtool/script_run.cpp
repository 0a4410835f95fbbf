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

void runOnLargeStack(const std::function<void()> &body, QObject *worksOn)
{
    // Address space only: pages are taken as the recursion touches them.
    constexpr uint kStackBytes = 512u * 1024 * 1024;
    std::exception_ptr failure;
    bool ran = false;
    QThread *home = QThread::currentThread();
    std::unique_ptr<QThread> thread(QThread::create([&] {
        ran = true;
        try {
            body();
        } catch (...) {
            failure = std::current_exception();
        }
        if (worksOn)
            worksOn->moveToThread(home);
    }));
    thread->setStackSize(kStackBytes);
    if (worksOn)
        worksOn->moveToThread(thread.get());
    thread->start();
    thread->wait();
    if (!ran) {   // no thread of that size to be had: the stack we have
        if (worksOn)
            worksOn->moveToThread(home);
        body();
    }
    if (failure)
        std::rethrow_exception(failure);
}

}   // namespace pgx::tool
