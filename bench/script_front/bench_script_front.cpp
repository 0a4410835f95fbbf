// Stage 1 of the syntax analyser on generated scripts of 1,000 and 10,000
// lines in each language, and luac5.4 -p on a Lua program of the same
// length in the same run as a reference. Reports lines per second; the goal
// is 100,000 lines/s or more for stage 1, with cost linear in the length
// (the 10,000-line rate should match the 1,000-line rate).

#include "script/front/LanguageRegistry.h"
#include "script/front/TkxILParser.h"

#include <QtCore/QByteArray>
#include <QtCore/QElapsedTimer>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryFile>
#include <benchmark/benchmark.h>

namespace {

using pgx::script::TkxILParser;

// Statement lines per language; the generator cycles through them, so every
// script has the same mix whatever its length.
const char *const kPascalBody[] = {
    "  x1 := a + b * (c - 1) / 2;",
    "  if x1 > 10 then y := x1 else y := 0;",
    "  for i := 1 to 10 do s := s + IntToStr(i);",
    "  while i < 10 do i := i + 1;",
    "  Memo1.Text := 'Total: ' + [Sum(<Amount>)];",
    "  case k of 1: a := 1; 2: a := 2; end;",
    "  repeat i := i - 1 until i = 0;",
    "  try z := z + 1 except z := 0 end;",
    "  ShowMessage(Format('%d items', i)); { a comment }",
    "  Report.Pages[0].Visible := not Done and (Count >= 3);",
};
const char *const kCppBody[] = {
    "  x1 = a + b * (c - 1) / 2;",
    "  if (x1 > 10) y = x1; else y = 0;",
    "  for (i = 1; i <= 10; i++) s = s + IntToStr(i);",
    "  while (i < 10) i++;",
    "  Memo1.Text = \"Total: \" + <Sum(Amount)>;",
    "  switch (k) { case 1: a = 1; case 2: a = 2; }",
    "  do i--; while (i > 0);",
    "  try { z += 1; } except { z = 0; }",
    "  ShowMessage(Format(\"%d items\", i)); /* a comment */",
    "  Report.Pages[0].Visible = !Done && (Count >= 3);",
};
const char *const kBasicBody[] = {
    "x1 = a + b * (c - 1) / 2",
    "if x1 > 10 then y = x1",
    "for i = 1 to 10",
    "  s = s & i: t = t + 1",
    "next",
    "while i < 10",
    "  i = i + 1",
    "wend",
    "Memo1.Text = \"Total: \" & <Sum(Amount)>",
    "z = Max(a, b) mod 7 ' a comment",
    "set q = new TObject",
    "ShowMessage(Format(\"%d items\", i))",
    "Report.Pages[0].Visible = not Done and (Count >= 3)",
};
const char *const kJScriptBody[] = {
    "x1 = a + b * (c - 1) / 2;",
    "if (x1 > 10) y = x1; else y = 0;",
    "for (i = 1; i <= 10; i++) s = s + IntToStr(i);",
    "while (i < 10) i++;",
    "Memo1.Text = \"Total: \" + <Sum(Amount)>;",
    "switch (k) { case 1: a = 1; case 2: a = 2; }",
    "do i--; while (i > 0);",
    "try { z += 1; } except { z = 0; }",
    "ShowMessage(Format(\"%d items\", i)); /* a comment */",
    "Report.Pages[0].Visible = !Done && (Count >= 3);",
};
const char *const kLuaBody[] = {
    "  x1 = a + b * (c - 1) / 2",
    "  if x1 > 10 then y = x1 else y = 0 end",
    "  for i = 1, 10 do s = s .. tostring(i) end",
    "  while i < 10 do i = i + 1 end",
    "  Memo1.Text = 'Total: ' .. Get('Sum(Amount)')",
    "  if k == 1 then a = 1 elseif k == 2 then a = 2 end",
    "  repeat i = i - 1 until i == 0",
    "  ok = pcall(function() z = z + 1 end)",
    "  ShowMessage(string.format('%d items', i)) -- a comment",
    "  Report.Pages[1].Visible = not Done and (Count >= 3)",
};

template<size_t N>
QByteArray generate(const char *const (&body)[N], const char *first, const char *last, int lines)
{
    QByteArray text;
    int count = 0;
    if (first) {
        text += first;
        text += "\r\n";
        ++count;
    }
    // Whole rounds of the body, so that no block is cut in two.
    int bodyLines = lines - count - (last ? 1 : 0);
    bodyLines = (bodyLines + int(N) - 1) / int(N) * int(N);
    for (int i = 0; i < bodyLines; ++i) {
        text += body[size_t(i) % N];
        text += "\r\n";
    }
    if (last) {
        text += last;
        text += "\r\n";
    }
    return text;
}

QByteArray scriptFor(int language, int lines)
{
    switch (language) {
    case 0: return generate(kPascalBody, "begin", "end.", lines);
    case 1: return generate(kCppBody, "{", "}", lines);
    case 2: return generate(kBasicBody, nullptr, nullptr, lines);
    default: return generate(kJScriptBody, nullptr, nullptr, lines);
    }
}

// The line of the last statement in the tree.
int lastLine(const pgx::script::ProgramNode *node)
{
    int line = 0;
    while (node) {
        line = std::max(line, node->pos().line);
        const pgx::script::ProgramNode *next = nullptr;
        for (int i = node->childCount() - 1; i >= 0 && !next; --i)
            if (node->child(i)->name() != QLatin1String("types"))
                next = node->child(i);
        node = next;
    }
    return line;
}

const char *const kLanguages[] = {"PascalScript", "C++Script", "BasicScript", "JScript"};

void bmStage1(benchmark::State &state)
{
    pgx::script::registerStandardLanguages();
    const int language = int(state.range(0));
    const QByteArray text = scriptFor(language, int(state.range(1)));
    const int lines = int(text.count('\n'));
    state.SetLabel(kLanguages[language]);
    for (auto _ : state) {
        TkxILParser parser;
        parser.selectLanguage(QString::fromLatin1(kLanguages[language]));
        if (!parser.makeProgramTree(text)) {
            state.SkipWithError(qPrintable(parser.errorMessage() + u' ' + parser.errorPos()));
            return;
        }
        // Stage 1 ignores text its program rule does not reach: make sure
        // the whole script was read, so that the figure means something.
        if (lastLine(parser.programTree().root()) < lines - 2) {
            state.SkipWithError("the script was not read to its end");
            return;
        }
    }
    state.counters["lines/s"]
        = benchmark::Counter(double(lines), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(bmStage1)
    ->ArgsProduct({{0, 1, 2, 3}, {1000, 10000, 100000}})
    ->Unit(benchmark::kMillisecond);

// The reference: luac5.4 -p on a Lua program of the same length, process
// start-up included; BM_LuacStartup measures that start-up alone.
void runLuac(benchmark::State &state, int lines)
{
    const QString luac = QStandardPaths::findExecutable(QStringLiteral("luac5.4"));
    if (luac.isEmpty()) {
        state.SkipWithError("luac5.4 not installed");
        return;
    }
    QTemporaryFile file;
    if (!file.open()) {
        state.SkipWithError("no temporary file");
        return;
    }
    if (lines > 0)
        file.write(generate(kLuaBody, "a, b, c, i, s, k, z, y, x1 = 1, 2, 3, 0, '', 1, 0, 0, 0",
                            nullptr, lines));
    file.flush();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QProcess process;
        process.start(luac, {QStringLiteral("-p"), file.fileName()});
        process.waitForFinished(60000);
        if (process.exitCode() != 0) {
            state.SkipWithError(process.readAllStandardError().constData());
            return;
        }
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
    if (lines > 0)
        state.counters["lines/s"]
            = benchmark::Counter(double(lines), benchmark::Counter::kIsIterationInvariantRate);
}

void bmLuacParse(benchmark::State &state)
{
    runLuac(state, int(state.range(0)));
}
BENCHMARK(bmLuacParse)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

void bmLuacStartup(benchmark::State &state)
{
    runLuac(state, 0);
}
BENCHMARK(bmLuacStartup)->UseManualTime()->Unit(benchmark::kMillisecond);

}   // namespace

BENCHMARK_MAIN();
