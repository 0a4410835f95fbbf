#pragma once

// Compiling and running scripts through the public API, as hosts do.

#include "script/runtime/Script.h"

#include <QtCore/QFileInfoList>
#include <QtCore/QString>

#include <memory>
#include <span>

namespace pgx::script::test {

// Installs the analyser and the script library once per process.
void ensureScriptEngine();

// A script of the language compiled from the text (lines split at LF);
// ErrorMessage/ErrorPosition tell how the compile went.
std::unique_ptr<TkxScript> compileScript(const QString &language, const QString &text);

// "message at line:col" of a failed compile, or empty.
QString compileError(const QString &language, const QString &text);

// The value of a global after running the script, as `pgrtool script
// --print` shows it; a compile or run error comes back as "error: ...".
QString runAndRead(const QString &language, const QString &text, const QString &global);

// The four languages, as the case tables name them.
inline const QString kP = QStringLiteral("PascalScript");
inline const QString kC = QStringLiteral("C++Script");
inline const QString kB = QStringLiteral("BasicScript");
inline const QString kJ = QStringLiteral("JScript");

// A program and the value one of its globals has after the run, or
// "error: message at line:col".
struct RunCase
{
    QString language;
    const char *text;
    const char *global;
    const char *value;
};

// Runs every case (runAndRead) and compares; each failure names its case.
void expectRunValues(std::span<const RunCase> cases);

// The script files of a folder (of every language, by suffix), by name.
QFileInfoList scriptFiles(const QString &folder);

// The text form of a value in results: strings as they are, Null as
// "Null", arrays as [a, b].
QString valueText(const Variant &value);

}   // namespace pgx::script::test
