// pgrtool roundtrip IN OUT: loads a template and saves it again. What the
// loader could not take (unknown classes, bad values, an early end of the
// file) goes to stderr and makes the exit code 1, but what was loaded is
// still written: the output shows what the system keeps of the input.

#include "verb.h"

#include "meta/ClassRegistry.h"
#include "meta/MetaComponent.h"
#include "persist/XMLDocument.h"
#include "persist/serializer/ComponentStreams.h"
#include "platform/Error.h"
#include "platform/SaveFile.h"
#include "objects/RegisterObjects.h"
#include "report/root/RegisterClasses.h"

#include <QtCore/QFile>

#include <memory>

namespace pgx::tool {

namespace {

const char kUsage[] = "Usage: pgrtool roundtrip IN OUT\n"
                      "Loads the template IN and saves it to OUT as this version writes it.\n"
                      "Load errors are printed on stderr; OUT is still written with what was\n"
                      "loaded and the exit code is 1. A file that is not a template leaves OUT\n"
                      "untouched. OUT is replaced only once it is completely written.\n";

// The class of the document's root element, or an error text.
QString rootClass(const QString &path, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return {};
    }
    TpgxXMLDocument document;
    const TpgxXMLResult result = document.loadFromStream(file);
    if (!result && result.status() != TpgxXMLResult::EndedEarly) {
        error = QStringLiteral("%1: %2").arg(path, result.description());
        return {};
    }
    return QString::fromLatin1(document.root()->name());
}

int runRoundtrip(VerbContext &ctx)
{
    if (ctx.args.size() != 2 || ctx.args[0].startsWith(QLatin1Char('-'))
        || ctx.args[1].startsWith(QLatin1Char('-'))) {
        ctx.err << kUsage;
        return ExitUsage;
    }
    const QString in = ctx.args[0];
    const QString out = ctx.args[1];
    registerReportClasses();
    registerObjectClasses();

    QString error;
    const QString className = rootClass(in, error);
    if (!error.isEmpty()) {
        ctx.err << "pgrtool roundtrip: " << error << '\n';
        return ExitInputFault;
    }
    if (!ClassRegistry::find(className)) {
        ctx.err << "pgrtool roundtrip: " << in << ": Cannot find class " << className << '\n';
        return ExitInputFault;
    }

    std::unique_ptr<MetaComponent> component;
    QStringList errors;
    try {
        component.reset(ClassRegistry::create(className, nullptr));
        QFile file(in);
        if (!file.open(QIODevice::ReadOnly))
            throw Error(QStringLiteral("cannot open %1: %2").arg(in, file.errorString()));
        errors = loadComponentFromStream(component.get(), &file);
    } catch (const Error &e) {
        ctx.err << "pgrtool roundtrip: " << in << ": " << e.message() << '\n';
        return ExitInputFault;
    }

    const QString saveError = saveFile(out, [&component](QIODevice &target) {
        try {
            saveComponentToStream(component.get(), &target);
        } catch (const Error &e) {
            return e.message();
        }
        return QString();
    });
    if (!saveError.isEmpty()) {
        ctx.err << "pgrtool roundtrip: " << saveError << '\n';
        return ExitInputFault;
    }

    for (const QString &message : errors)
        ctx.err << in << ": " << message << '\n';
    return errors.isEmpty() ? ExitOk : ExitInputFault;
}

}   // namespace

extern const Verb kRoundtripVerb;
const Verb kRoundtripVerb
    = {"roundtrip", "load a template and save it again", kUsage, runRoundtrip};

}   // namespace pgx::tool
