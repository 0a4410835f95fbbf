// The front end's XML through the persist layer: reading a grammar document
// (once per process and language) and writing and reading back a program
// tree (stored unit trees, pgrtool script --tree). Reports bytes per second.

#include "script/front/LanguageRegistry.h"
#include "script/front/ProgramTree.h"
#include "script/front/TkxGrammar.h"

#include <QtCore/QFile>
#include <benchmark/benchmark.h>

namespace {

using namespace pgx::script;

const char *const kGrammars[] = {"PascalScript", "C++Script", "BasicScript", "JScript"};

void bmGrammarParse(benchmark::State &state)
{
    registerStandardLanguages();
    const QString text = languageGrammar(QString::fromLatin1(kGrammars[state.range(0)]));
    state.SetLabel(kGrammars[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(TkxGrammar::parse(text));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(bmGrammarParse)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// A tree of n copies of the PascalScript golden tree under one root.
ProgramTree bigTree(int copies)
{
    QFile file(QStringLiteral(PGX_BENCH_TREE));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString one = QString::fromUtf8(file.readAll());
    QString text = QStringLiteral("<?xml version=\"1.0\"?>\n<all>\n");
    const QString body = one.mid(one.indexOf(u'\n') + 1);
    for (int i = 0; i < copies; ++i)
        text += body;
    text += QStringLiteral("</all>\n");
    ProgramTree tree;
    ProgramTree::fromXml(text, tree);
    return tree;
}

void bmTreeToXml(benchmark::State &state)
{
    const ProgramTree tree = bigTree(int(state.range(0)));
    if (!tree.root()) {
        state.SkipWithError("no tree");
        return;
    }
    qsizetype size = 0;
    for (auto _ : state)
        size = tree.toXml().size();
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(bmTreeToXml)->Arg(10)->Arg(200)->Unit(benchmark::kMillisecond);

void bmTreeFromXml(benchmark::State &state)
{
    const ProgramTree tree = bigTree(int(state.range(0)));
    if (!tree.root()) {
        state.SkipWithError("no tree");
        return;
    }
    const QString text = tree.toXml();
    for (auto _ : state) {
        ProgramTree reread;
        if (!ProgramTree::fromXml(text, reread)) {
            state.SkipWithError("the tree does not read back");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(bmTreeFromXml)->Arg(10)->Arg(200)->Unit(benchmark::kMillisecond);

}   // namespace
