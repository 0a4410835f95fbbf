#include "prepare_run.h"

#include "script_run.h"

#include "engine/expressions/ReportEvaluation.h"
#include "engine/run/EngineHost.h"
#include "engine/run/PrepareReport.h"
#include "objects/ReportRuntime.h"
#include "platform/Error.h"
#include "prepared/TpgxPreviewPages.h"
#include "report/pages/TpgxDialogPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"
#include "report/root/TpgxVariables.h"

#include <unistd.h>

namespace pgx::tool {

namespace {

// Batch runs show no dialog: each dialog page is named on stderr, and the
// report goes on with the values its variables (and --var) give.
class BatchHost : public engine::EngineHost
{
public:
    BatchHost(QTextStream &err, const QString &verb)
        : m_err(err), m_verb(verb), m_terminal(isatty(STDERR_FILENO))
    { }
    void progress(const QString &text, int) override
    {
        if (m_terminal) {
            m_err << '\r' << text;
            m_err.flush();
            m_shown = true;
        }
    }
    void progressStopped() override
    {
        if (m_shown)
            m_err << '\n';
        m_shown = false;
    }
    bool runDialogs(TpgxReport &report) override
    {
        for (TpgxComponent *object : report.objects()) {
            auto *dialog = qobject_cast<TpgxDialogPage *>(object);
            if (dialog && dialog->visible() && !dialog->objects().isEmpty())
                m_err << "pgrtool " << m_verb << ": note: dialog page " << dialog->name()
                      << " is not shown in a batch run (give its values with --var)\n";
        }
        return true;
    }

private:
    QTextStream &m_err;
    QString m_verb;
    bool m_terminal;
    bool m_shown = false;
};

}   // namespace

bool takeRunOptions(QStringList &args, RunOptions &options, QString &error)
{
    if (!takeDataOptions(args, options.data, error))
        return false;
    for (qsizetype i = 0; i < args.size();) {
        if (args[i] != QLatin1String("--var")) {
            ++i;
            continue;
        }
        const QString pair = i + 1 < args.size() ? args[i + 1] : QString();
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            error = QStringLiteral("--var takes NAME=VALUE");
            return false;
        }
        options.variables.append({pair.left(eq), pair.mid(eq + 1)});
        args.remove(i, 2);
    }
    return true;
}

bool prepareTemplate(const QString &path, const RunOptions &options, TpgxReport &report,
                     TpgxPreviewPages &pages, QTextStream &err, const QString &verb)
{
    setUpReportRuntime();
    const QString prefix = QStringLiteral("pgrtool %1: ").arg(verb);
    report.engineOptions()->newSilentMode = TpgxEngineOptions::simSilent;
    // Batch runs can be long: pages beyond the memory limit go to a
    // temporary file, so that memory stays bounded. (A template's own
    // engine options give way to the host's when it is loaded.)
    report.engineOptions()->useFileCache = true;
    try {
        report.loadFromFile(path, true);
        applyDataOptions(report, options.data);
    } catch (const Error &e) {
        err << prefix << e.message() << '\n';
        return false;
    }
    for (const QString &message : report.errors())
        err << prefix << path << ": " << message << '\n';
    if (!report.errors().isEmpty())
        return false;
    // A value is what the designer's variable editor holds: an expression.
    for (const auto &[name, value] : options.variables)
        report.variables()->setValue(name, value);

    BatchHost host(err, verb);
    bool prepared = false;
    runOnLargeStack([&] { prepared = engine::prepareReport(report, pages, &host); }, &report);
    for (const QString &message : report.errors())
        err << prefix << message << '\n';
    return prepared;
}

}   // namespace pgx::tool
