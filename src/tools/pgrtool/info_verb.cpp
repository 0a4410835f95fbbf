// pgrtool info FILE: what a template holds, for a person or a batch job to
// read: the component tree (pages, their bands, the objects on them) as an
// indented list, then the variables by category, the styles and the
// messages of the load.

#include "verb.h"

#include "platform/Error.h"
#include "platform/format/NumberText.h"
#include "objects/RegisterObjects.h"
#include "report/bands/TpgxBand.h"
#include "report/bands/TpgxDataBand.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"
#include "report/root/TpgxVariables.h"
#include "report/styles/TpgxStyles.h"

namespace pgx::tool {

namespace {

const char kUsage[] = "Usage: pgrtool info FILE\n"
                      "Loads the template FILE and prints its pages, bands and objects as an\n"
                      "indented tree (\"Name: Class\", with paper and band details), then the\n"
                      "variables by category (\"Name = expression\"), the styles and the errors\n"
                      "of the load (\"none\" for an empty list). Exit code 1 when FILE cannot be\n"
                      "read or the load reported errors (what could be read is still listed).\n";

QString mm(double value)
{
    return format::fileFloatText(value);
}

// The details shown after a component's class, if any.
QString details(const TpgxComponent *c)
{
    if (const auto *page = qobject_cast<const TpgxReportPage *>(c)) {
        QString text
            = QStringLiteral(
                  "paper %1 x %2 mm (code %3), %4, margins left %5 top %6 right %7 bottom %8")
                  .arg(mm(page->paperWidth()), mm(page->paperHeight()))
                  .arg(page->paperSize())
                  .arg(page->orientation() == TpgxReportPage::poLandscape
                           ? QStringLiteral("landscape")
                           : QStringLiteral("portrait"))
                  .arg(mm(page->leftMargin()), mm(page->topMargin()), mm(page->rightMargin()),
                       mm(page->bottomMargin()));
        if (page->columns() > 0)
            text += QStringLiteral(", columns %1").arg(page->columns());
        if (!page->dataSetName().isEmpty())
            text += QStringLiteral(", data %1").arg(page->dataSetName());
        return text;
    }
    if (const auto *band = qobject_cast<const TpgxBand *>(c)) {
        QString text = QStringLiteral("band %1, top %2, height %3")
                           .arg(band->bandKindIndex())
                           .arg(mm(band->top()), mm(band->height()));
        if (band->vertical())
            text += QStringLiteral(", vertical");
        if (const auto *data = qobject_cast<const TpgxDataBand *>(band)) {
            if (!data->dataSetName().isEmpty())
                text += QStringLiteral(", data %1").arg(data->dataSetName());
            else
                text += QStringLiteral(", rows %1").arg(data->rowCount());
        }
        if (const TpgxChild *child = band->child())
            text += QStringLiteral(", child %1").arg(child->name());
        return text;
    }
    return QString();
}

// Depth-first, without recursion: the tree can be as deep as the report
// layer allows.
void printTree(QTextStream &out, const TpgxReport &report)
{
    struct Entry
    {
        const TpgxComponent *component;
        int depth;
    };
    QList<Entry> stack;
    const QList<TpgxComponent *> &pages = report.objects();
    for (qsizetype i = pages.size() - 1; i >= 0; --i)
        stack.append({pages[i], 1});
    while (!stack.isEmpty()) {
        const Entry e = stack.takeLast();
        out << QString(2 * e.depth, QLatin1Char(' ')) << e.component->name() << ": "
            << e.component->metaObject()->className();
        const QString extra = details(e.component);
        if (!extra.isEmpty())
            out << " (" << extra << ')';
        out << '\n';
        const QList<TpgxComponent *> &children = e.component->objects();
        for (qsizetype i = children.size() - 1; i >= 0; --i)
            stack.append({children[i], e.depth + 1});
    }
}

// Variables before the first category stand at the first level; the
// variables of a category below its heading.
void printVariables(QTextStream &out, const TpgxReport &report)
{
    const TpgxVariables *variables = report.variables();
    out << "Variables:\n";
    if (!variables || variables->count() == 0) {
        out << "  none\n";
        return;
    }
    bool inCategory = false;
    for (int i = 0; i < variables->count(); ++i) {
        const TpgxVariable *v = variables->items(i);
        if (v->isCategory()) {
            out << "  " << v->name().mid(1) << '\n';
            inCategory = true;
            continue;
        }
        out << (inCategory ? "    " : "  ") << v->name() << " = " << v->value().toString() << '\n';
    }
}

void printStyles(QTextStream &out, const TpgxReport &report)
{
    const TpgxStyles *styles = report.styles();
    out << "Styles:";
    if (styles && !styles->name().isEmpty())
        out << ' ' << styles->name();
    out << '\n';
    if (!styles || styles->count() == 0) {
        out << "  none\n";
        return;
    }
    for (int i = 0; i < styles->count(); ++i)
        out << "  " << styles->items(i)->name() << '\n';
}

int runInfo(VerbContext &ctx)
{
    if (ctx.args.size() != 1 || ctx.args[0].startsWith(QLatin1Char('-'))) {
        ctx.err << kUsage;
        return ExitUsage;
    }
    const QString path = ctx.args[0];
    registerReportClasses();
    registerObjectClasses();

    TpgxReport report;
    // The errors are part of the listing; no one is there to answer a box.
    report.engineOptions()->newSilentMode = TpgxEngineOptions::simSilent;
    try {
        report.loadFromFile(path, true);
    } catch (const Error &e) {
        ctx.err << "pgrtool info: " << e.message() << '\n';
        return ExitInputFault;
    }

    ctx.out << "Pages:\n";
    printTree(ctx.out, report);
    printVariables(ctx.out, report);
    printStyles(ctx.out, report);
    ctx.out << "Errors:\n";
    if (report.errors().isEmpty())
        ctx.out << "  none\n";
    for (const QString &message : report.errors())
        ctx.out << "  " << message << '\n';
    return report.errors().isEmpty() ? ExitOk : ExitInputFault;
}

}   // namespace

extern const Verb kInfoVerb;
const Verb kInfoVerb
    = {"info", "list a template's pages, bands, objects and load errors", kUsage, runInfo};

}   // namespace pgx::tool
