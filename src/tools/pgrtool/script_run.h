#pragma once

// What the script and eval verbs share: the engine set up for a run. A
// file's language is script::languageForFile; values print through
// script::displayText.

#include <QtCore/QObject>
#include <QtCore/QString>

#include <functional>

namespace pgx::tool {

// Installs the analyser, the languages and the script library once.
void setUpScriptEngine();

// Runs `body` on a thread with a large stack of its own and waits for it;
// an exception it raises is raised again here. The script's recursion is
// bounded by the stack of the thread it runs on: the main thread's 8 MB
// hold about 10,000 nested calls, this one 100,000 and more. The tool is
// headless, so nothing the script creates needs the main thread.
// `worksOn` (with its children) lives on that thread while `body` runs, so
// that what the body creates under it has its parent's thread.
void runOnLargeStack(const std::function<void()> &body, QObject *worksOn = nullptr);

}   // namespace pgx::tool
