#pragma once

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QTextStream>

namespace pgx::tool {

// Exit codes every verb keeps to: batch jobs test them.
enum ExitCode { ExitOk = 0, ExitInputFault = 1, ExitUsage = 2 };

struct VerbContext
{
    QStringList args;   // arguments after the verb
    QTextStream &out;
    QTextStream &err;
};

struct Verb
{
    const char *name;
    const char *summary;   // one line for the tool's --help
    const char *usage;     // the verb's own --help text
    int (*run)(VerbContext &ctx);
};

// The verbs the tool knows, in the order --help lists them.
const QList<Verb> &verbs();

// Verbs that measure text need fonts, which Qt loads only inside a
// QGuiApplication; the tool makes one (on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise) for them alone.
bool needsFonts(const QString &verbName);

}   // namespace pgx::tool
