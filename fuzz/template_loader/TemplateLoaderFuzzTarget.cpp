#include "TemplateLoaderFuzzTarget.h"

#include "persist/serializer/PropData.h"
#include "persist/serializer/XMLSerializer.h"
#include "platform/Error.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include <QtCore/QBuffer>

#include <cstdio>
#include <cstdlib>

namespace pgx::fuzz {

namespace {

void check(bool ok, const char *what, const QByteArray &detail = {})
{
    if (!ok) {
        std::fprintf(stderr, "template loader fuzz property broken: %s\n%s\n", what,
                     detail.constData());
        std::abort();
    }
}

// Loads the text into the report; false when it is no template at all.
bool load(TpgxReport &report, const QByteArray &text)
{
    QBuffer in;
    in.setData(text);
    in.open(QIODevice::ReadOnly);
    report.clearErrors();
    // The errors are examined here; nothing is shown.
    report.engineOptions()->newSilentMode = TpgxEngineOptions::simSilent;
    try {
        report.loadFromStream(&in);
        return true;
    } catch (const Error &) {
        return false;
    }
}

QByteArray save(TpgxReport &report)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    report.saveToStream(&out);
    return out.data();
}

}   // namespace

void fuzzTemplateLoader(const uint8_t *data, size_t size)
{
    static const bool kRegistered = [] {
        registerReportClasses();
        return true;
    }();
    Q_UNUSED(kRegistered);
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));

    // The whole input as a template.
    TpgxReport report;
    if (load(report, input)) {
        const QByteArray first = save(report);
        TpgxReport again;
        check(load(again, first), "a saved report does not load", first);
        // Faults of a parent template are the parent file's: the saved
        // report keeps naming it, so they come back with every load.
        check(again.errors().isEmpty() || !again.parentReport().isEmpty(),
              "a saved report loads with errors",
              again.errors().join(QLatin1Char('\n')).toUtf8() + "\n--\n" + first);
        const QByteArray second = save(again);
        check(first == second, "save-load-save differs", first + "\n--\n" + second);
    }

    // The whole input as attribute text and as a PropData stream: the
    // scanner and the binary reader must hold up on their own too.
    TpgxReport target;
    TpgxXMLSerializer serializer;
    serializer.setOwner(&target);
    serializer.attrsToProps(input, &target);
    serializer.fixupReferences();
    // Faults there are reported in the result; the sanitizers watch the rest.
    persist::parsePropData(input);
}

}   // namespace pgx::fuzz
