// The four script languages against Lua 5.4 and Python 3 on the same small
// programs: an integer loop of 10,000,000 iterations, a recursive Fibonacci
// of 27, a string of 100,000 characters built one at a time, and (when the
// library has TStringList) sorting 100,000 strings. Our programs are
// compiled outside the timing, as Lua and Python time only their own run
// (the programs measure themselves, so process start-up is left out); all
// times are processor time.
// After the run a table gives each language's time as a ratio to Lua and
// to Python. The goal: within 3 times Lua and faster than Python on the
// loop and the calls; string building linear.

#include "script/analyser/ScriptAnalyser.h"
#include "script/library/SysFunctions.h"
#include "script/runtime/Items.h"
#include "script/runtime/Script.h"
#include "script/value/ScriptError.h"

#include <benchmark/benchmark.h>

#include <QtCore/QFile>
#include <QtCore/QMap>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryFile>

#include <cstdio>
#include <ctime>

using namespace pgx::script;

namespace {

struct Program
{
    const char *task;
    const char *language;   // ours, or "Lua" / "Python"
    const char *text;
    const char *check;   // global (ours) and the value it must have
    const char *expected;
};

// Lua and Python print the seconds their work took.
const Program kPrograms[] = {
    // ---- integer loop ----
    {"loop", "PascalScript",
     "var i, s: Integer;\nbegin\n  s := 0;\n  for i := 1 to 10000000 do s := s + i;\nend.", "s",
     "50000005000000"},
    {"loop", "C++Script", "int i, s;\n{\n  s = 0;\n  for (i = 1; i <= 10000000; i++) s += i;\n}",
     "s", "50000005000000"},
    {"loop", "BasicScript", "dim i, s\ns = 0\nfor i = 1 to 10000000\n  s = s + i\nnext", "s",
     "50000005000000"},
    {"loop", "JScript", "var i, s = 0;\nfor (i = 1; i <= 10000000; i++) s += i;", "s",
     "50000005000000"},
    {"loop", "Lua",
     "local t = os.clock()\nlocal s = 0\nfor i = 1, 10000000 do s = s + i end\n"
     "assert(s == 50000005000000)\nio.write(os.clock() - t)",
     nullptr, nullptr},
    {"loop", "Python",
     "import time\ndef run():\n    s = 0\n    for i in range(1, 10000001):\n        s += i\n    "
     "return s\n"
     "t = time.process_time()\nassert run() == 50000005000000\nprint(time.process_time() - t, "
     "end='')",
     nullptr, nullptr},
    // ---- recursive calls ----
    {"fib", "PascalScript",
     "var r: Integer;\nfunction Fib(n: Integer): Integer;\nbegin\n  if n < 2 then Result := n\n"
     "  else Result := Fib(n - 1) + Fib(n - 2);\nend;\nbegin\n  r := Fib(27);\nend.",
     "r", "196418"},
    {"fib", "C++Script",
     "int r;\nint Fib(int n)\n{\n  if (n < 2) return n;\n  return Fib(n - 1) + Fib(n - 2);\n}\n{\n "
     " r = Fib(27);\n}",
     "r", "196418"},
    {"fib", "BasicScript",
     "function Fib(n)\n  if n < 2 then\n    return n\n  end if\n  return Fib(n - 1) + Fib(n - "
     "2)\nend function\n"
     "r = Fib(27)",
     "r", "196418"},
    {"fib", "JScript",
     "function Fib(n)\n{\n  if (n < 2) return n;\n  return Fib(n - 1) + Fib(n - 2);\n}\nr = "
     "Fib(27);",
     "r", "196418"},
    {"fib", "Lua",
     "local function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end\n"
     "local t = os.clock()\nassert(fib(27) == 196418)\nio.write(os.clock() - t)",
     nullptr, nullptr},
    {"fib", "Python",
     "import time\ndef fib(n):\n    if n < 2:\n        return n\n    return fib(n - 1) + fib(n - "
     "2)\n"
     "t = time.process_time()\nassert fib(27) == 196418\nprint(time.process_time() - t, end='')",
     nullptr, nullptr},
    // ---- string building ----
    {"string", "PascalScript",
     "var i, n: Integer; s: String;\nbegin\n  s := '';\n  for i := 1 to 100000 do s := s + 'x';\n  "
     "n := Length(s);\nend.",
     "n", "100000"},
    {"string", "C++Script",
     "int i, n; string s;\n{\n  s = \"\";\n  for (i = 1; i <= 100000; i++) s = s + \"x\";\n  n = "
     "Length(s);\n}",
     "n", "100000"},
    {"string", "BasicScript",
     "dim i, n, s\ns = \"\"\nfor i = 1 to 100000\n  s = s & \"x\"\nnext\nn = Length(s)", "n",
     "100000"},
    {"string", "JScript",
     "var i, n, s = \"\";\nfor (i = 1; i <= 100000; i++) s = s + \"x\";\nn = Length(s);", "n",
     "100000"},
    {"string", "Lua",
     "local t = os.clock()\nlocal s = ''\nfor i = 1, 100000 do s = s .. 'x' end\nassert(#s == "
     "100000)\n"
     "io.write(os.clock() - t)",
     nullptr, nullptr},
    {"string", "Python",
     "import time\ndef run():\n    s = ''\n    for i in range(100000):\n        s = s + 'x'\n    "
     "return s\n"
     "t = time.process_time()\nassert len(run()) == 100000\nprint(time.process_time() - t, end='')",
     nullptr, nullptr},
    // ---- sorting a string list ----
    {"sort", "PascalScript",
     "var i, n: Integer; l: TStringList;\nbegin\n  l := TStringList.Create;\n"
     "  for i := 1 to 100000 do l.Add(IntToStr((i * 7919) mod 100003));\n  l.Sort;\n  n := "
     "l.Count;\n  l.Free;\nend.",
     "n", "100000"},
    {"sort", "C++Script",
     "int i, n; TStringList l;\n{\n  l = new TStringList;\n"
     "  for (i = 1; i <= 100000; i++) l.Add(IntToStr((i * 7919) % 100003));\n  l.Sort;\n  n = "
     "l.Count;\n  delete l;\n}",
     "n", "100000"},
    {"sort", "BasicScript",
     "dim i, n, l\nl = new TStringList\nfor i = 1 to 100000\n  l.Add(IntToStr((i * 7919) mod "
     "100003))\nnext\n"
     "l.Sort\nn = l.Count\ndelete l",
     "n", "100000"},
    {"sort", "JScript",
     "var i, n, l = new TStringList;\nfor (i = 1; i <= 100000; i++) l.Add(IntToStr((i * 7919) % "
     "100003));\n"
     "l.Sort;\nn = l.Count;\ndelete l;",
     "n", "100000"},
    {"sort", "Lua",
     "local t = os.clock()\nlocal l = {}\nfor i = 1, 100000 do l[#l + 1] = tostring((i * 7919) % "
     "100003) end\n"
     "table.sort(l)\nassert(#l == 100000)\nio.write(os.clock() - t)",
     nullptr, nullptr},
    {"sort", "Python",
     "import time\nt = time.process_time()\nl = []\nfor i in range(1, 100001):\n    "
     "l.append(str((i * 7919) % 100003))\n"
     "l.sort()\nassert len(l) == 100000\nprint(time.process_time() - t, end='')",
     nullptr, nullptr},
};

// Processor time, as Lua's os.clock and Python's process_time measure it:
// the machine is shared, and wall time would count other programs' turns.
double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// The best time of each task and language, for the ratio table.
QMap<QString, QMap<QString, double>> gBest;

void record(const Program &p, double seconds)
{
    double &best = gBest[QString::fromLatin1(p.task)][QString::fromLatin1(p.language)];
    if (best == 0 || seconds < best)
        best = seconds;
}

void runOurs(benchmark::State &state, const Program &p)
{
    TkxScript script;
    script.setSyntaxType(QString::fromLatin1(p.language));
    script.setLines(QString::fromLatin1(p.text).split(u'\n'));
    if (!script.compile()) {
        state.SkipWithError(
            qPrintable(script.errorMessage + QStringLiteral(" at ") + script.errorPosition));
        return;
    }
    for (auto _ : state) {
        const double start = cpuSeconds();
        try {
            script.execute();
        } catch (const ScriptError &e) {
            state.SkipWithError(e.what());
            return;
        }
        const double seconds = cpuSeconds() - start;
        state.SetIterationTime(seconds);
        record(p, seconds);
    }
    TkxCustomVariable *v = script.find(QString::fromLatin1(p.check));
    if (!v || v->value.toString() != QLatin1String(p.expected))
        state.SkipWithError("wrong result");
}

void runReference(benchmark::State &state, const Program &p)
{
    const bool lua = qstrcmp(p.language, "Lua") == 0;
    const QString program = QStandardPaths::findExecutable(
        lua ? QStringLiteral("lua5.4") : QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
    if (program.isEmpty()) {
        state.SkipWithError(lua ? "lua5.4 not installed" : "python3 not installed");
        return;
    }
    QTemporaryFile file;
    if (!file.open()) {
        state.SkipWithError("no temporary file");
        return;
    }
    file.write(p.text);
    file.flush();
    for (auto _ : state) {
        QProcess process;
        process.start(program, {file.fileName()});
        if (!process.waitForFinished(120000) || process.exitCode() != 0) {
            state.SkipWithError(process.readAllStandardError().constData());
            return;
        }
        const double seconds = process.readAllStandardOutput().trimmed().toDouble();
        state.SetIterationTime(seconds);
        record(p, seconds);
    }
}

void printRatios()
{
    std::printf("\n%-8s %-13s %10s %8s %8s\n", "task", "language", "seconds", "xLua", "xPython");
    for (auto task = gBest.cbegin(); task != gBest.cend(); ++task) {
        const double lua = task->value(QStringLiteral("Lua"));
        const double python = task->value(QStringLiteral("Python"));
        for (auto lang = task->cbegin(); lang != task->cend(); ++lang) {
            std::printf("%-8s %-13s %10.4f %8.2f %8.2f\n", qPrintable(task.key()),
                        qPrintable(lang.key()), lang.value(), lua > 0 ? lang.value() / lua : 0.0,
                        python > 0 ? lang.value() / python : 0.0);
        }
    }
}

}   // namespace

int main(int argc, char **argv)
{
    installScriptAnalyser();
    registerLibraryModules();
    for (const Program &p : kPrograms) {
        const bool reference
            = qstrcmp(p.language, "Lua") == 0 || qstrcmp(p.language, "Python") == 0;
        const std::string name = std::string(p.task) + "/" + p.language;
        benchmark::RegisterBenchmark(name.c_str(),
                                     [&p, reference](benchmark::State &state) {
                                         if (reference)
                                             runReference(state, p);
                                         else
                                             runOurs(state, p);
                                     })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printRatios();
    return 0;
}
