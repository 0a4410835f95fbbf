// pgrtool script FILE and pgrtool eval: results on stdout, errors as
// "message at line:col" on stderr with exit 1.

#include <gtest/gtest.h>

#include "PgrtoolRun.h"
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>

namespace {

using ToolRun = pgx::test::PgrtoolRun;

ToolRun pgrtool(const QStringList &args)
{
    return pgx::test::runPgrtool(args);
}

QString program(const char *name)
{
    return QStringLiteral(PGX_TEST_DATA "/script/programs/") + QLatin1String(name);
}

TEST(PgrtoolScript, RunsAndPrintsGlobalsInEveryLanguage)
{
    for (const char *name :
         {"statements.pas", "statements.cpp", "statements.vb", "statements.js"}) {
        ToolRun run = pgrtool({QStringLiteral("script"), program(name), QStringLiteral("--print"),
                               QStringLiteral("fib10"), QStringLiteral("s"), QStringLiteral("a")});
        EXPECT_EQ(run.exitCode, 0) << name << qPrintable(run.err);
        EXPECT_EQ(run.out, QStringLiteral("fib10=55\ns=aXca\na=[0, 1, 4, 9, 16]\n")) << name;
    }
}

TEST(PgrtoolScript, ErrorsGiveTheirPositionAndExitOne)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto write = [&](const char *name, const char *text) {
        QFile f(dir.filePath(QLatin1String(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return f.fileName();
    };
    ToolRun compile = pgrtool(
        {QStringLiteral("script"), write("c.pas", "var i: Integer;\nbegin\n  i := 1.5;\nend.\n")});
    EXPECT_EQ(compile.exitCode, 1);
    EXPECT_EQ(compile.err, QStringLiteral("Incompatible types: 'Integer', 'Extended' at 3:3\n"));

    ToolRun run
        = pgrtool({QStringLiteral("script"), write("r.js", "var a = 1;\nvar b = a % 0;\n")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("Division by zero at 2:7\n"));

    // The language comes from --lang over the extension; units from the
    // script's folder.
    write("u.txt", "x = 41\n");
    ToolRun unit
        = pgrtool({QStringLiteral("script"), write("m.txt", "imports \"u.txt\"\ny = x + 1\n"),
                   QStringLiteral("--lang"), QStringLiteral("BasicScript"),
                   QStringLiteral("--print"), QStringLiteral("y")});
    EXPECT_EQ(unit.exitCode, 0) << qPrintable(unit.err);
    EXPECT_EQ(unit.out, QStringLiteral("y=42\n"));

    ToolRun missing = pgrtool({QStringLiteral("script"), program("statements.pas"),
                               QStringLiteral("--print"), QStringLiteral("nosuch")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(pgrtool({QStringLiteral("script"), QStringLiteral("--print")}).exitCode, 2);
}

// Scripts that would take the process down end with the script error and
// exit 1; one that never ends is stopped by --timeout.
TEST(PgrtoolScript, RunawayScriptsEndWithExitOne)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto write = [&](const char *name, const char *text) {
        QFile f(dir.filePath(QLatin1String(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return f.fileName();
    };
    const struct
    {
        const char *name;
        const char *text;
        QStringList options;
        const char *error;   // the start of stderr
    } cases[] = {
        {"rec.pas", "procedure p;\nbegin\n  p\nend;\nbegin p end.\n", {},
         "Stack overflow: script calls nest too deep for the machine stack"},
        {"grow.js", "var s = \"abcdefghij\";\nwhile (true) s = s + s;\n", {},
         "Out of memory: a script value may take at most 1024 MB at 2:14"},
        {"loop.js", "var i = 0;\nwhile (true) i = i + 1;\n",
         {QStringLiteral("--timeout"), QStringLiteral("1")}, "pgrtool: stopped after 1 s (--timeout)"},
        // A block left open names the file's last line.
        {"open.pas", "begin\n  x := 1;\n  x := 2;\n", {}, "';' expected at 3:9"},
    };
    for (const auto &c : cases) {
        ToolRun run = pgrtool(QStringList{QStringLiteral("script"), write(c.name, c.text)} + c.options);
        EXPECT_EQ(run.exitCode, 1) << c.name;
        EXPECT_TRUE(run.err.startsWith(QLatin1String(c.error))) << c.name << ": " << qPrintable(run.err);
    }
    // Deep recursion that is no runaway: the tool's script thread holds it
    // (not in the sanitizer build, which keeps to 48 MB of stack).
#if !defined(__SANITIZE_ADDRESS__)
    ToolRun deep = pgrtool({QStringLiteral("script"),
                            write("deep.js", "var r;\nfunction f(n) { if (n == 0) return 0; "
                                             "return 1 + f(n - 1); }\nr = f(100000);\n"),
                            QStringLiteral("--print"), QStringLiteral("r")});
    EXPECT_EQ(deep.exitCode, 0) << qPrintable(deep.err);
    EXPECT_EQ(deep.out, QStringLiteral("r=100000\n"));
#endif

    ToolRun bad = pgrtool({QStringLiteral("script"), write("x.js", "x = 1;"),
                           QStringLiteral("--timeout"), QStringLiteral("soon")});
    EXPECT_EQ(bad.exitCode, 2);
}

TEST(PgrtoolEval, PrintsTheValueOrTheError)
{
    ToolRun pascal = pgrtool({QStringLiteral("eval"), QStringLiteral("2 * 21")});
    EXPECT_EQ(pascal.exitCode, 0);
    EXPECT_EQ(pascal.out, QStringLiteral("42\n"));
    ToolRun cpp = pgrtool({QStringLiteral("eval"), QStringLiteral("--lang"),
                           QStringLiteral("C++Script"), QStringLiteral("IntToStr(6 * 7) + \"!\"")});
    EXPECT_EQ(cpp.out, QStringLiteral("42!\n"));
    ToolRun basic3 = pgrtool({QStringLiteral("eval"), QStringLiteral("--lang"),
                              QStringLiteral("BasicScript"), QStringLiteral("1 + 2")});
    EXPECT_EQ(basic3.out, QStringLiteral("3\n"));
    ToolRun basic = pgrtool({QStringLiteral("eval"), QStringLiteral("--lang"),
                             QStringLiteral("BasicScript"), QStringLiteral("1 / 0")});
    EXPECT_EQ(basic.exitCode, 1);
    EXPECT_EQ(basic.err, QStringLiteral("Floating point division by zero\n"));
    EXPECT_EQ(pgrtool({QStringLiteral("eval"), QStringLiteral("--lang"), QStringLiteral("JScript"),
                       QStringLiteral("1 +")})
                  .exitCode,
              1);
    EXPECT_EQ(pgrtool({QStringLiteral("eval")}).exitCode, 2);
}

}   // namespace
