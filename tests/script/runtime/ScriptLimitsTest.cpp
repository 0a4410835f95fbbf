// What stops a script that real programs would not: recursion bounded by
// the machine stack (deep enough for real programs, an error for runaway
// ones, whatever the frames around each call cost).

#include "script/analyser/AnalyserTestUtil.h"

#include "script/runtime/StackLimit.h"
#include "script/value/ScriptError.h"
#include "script/value/Variant.h"

#include <gtest/gtest.h>

#include <QtCore/QThread>

#include <string>
#include <vector>

namespace pgx::script::test {
namespace {

// Restores the whole stack for the thread whatever the test does.
struct StackBudget
{
    explicit StackBudget(std::size_t bytes) { stacklimit::setStackBudget(bytes); }
    ~StackBudget() { stacklimit::setStackBudget(0); }
};

// Runs `body` on a thread of its own with a stack of `bytes`: the limit is
// measured on the thread that runs the script, whatever its stack.
template<class F>
void onStackOf(std::size_t bytes, F body)
{
    std::unique_ptr<QThread> thread(QThread::create(body));
    thread->setStackSize(uint(bytes));
    thread->start();
    thread->wait();
}

TEST(ScriptLimits, DeepRecursionInEveryLanguage)
{
    // A plain recursive count, 10,000 and 100,000 calls deep, given a stack
    // that holds them in every build (sanitizer frames are several times
    // larger): the count-based limit of old stopped it at 1,000.
    const RunCase cases[] = {
        {kP,
         "var r: Integer;\nfunction sum(n: Integer): Integer;\n"
         "begin if n = 0 then Result := 0 else Result := 1 + sum(n - 1) end;\n"
         "begin r := sum(10000) end.",
         "r", "10000"},
        {kC,
         "int r;\nint sum(int n) { if (n == 0) return 0; return 1 + sum(n - 1); }\n"
         "{ r = sum(10000); }",
         "r", "10000"},
        {kB,
         "dim r\nfunction sum(n)\nif n = 0 then\nreturn 0\nend if\nreturn 1 + sum(n - 1)\n"
         "end function\nr = sum(10000)",
         "r", "10000"},
        {kJ,
         "var r;\nfunction sum(n) { if (n == 0) return 0; return 1 + sum(n - 1); }\n"
         "r = sum(10000);",
         "r", "10000"},
        // Ackermann(2, 3): deep and wide.
        {kP,
         "var r: Integer;\nfunction ack(m, n: Integer): Integer;\nbegin\n"
         "  if m = 0 then Result := n + 1\n"
         "  else if n = 0 then Result := ack(m - 1, 1)\n"
         "  else Result := ack(m - 1, ack(m, n - 1))\nend;\nbegin r := ack(2, 3) end.",
         "r", "9"},
    };
    onStackOf(std::size_t(512) << 20, [&] { expectRunValues(cases); });
    // The same programs 100,000 deep.
    std::vector<std::string> deeper;
    std::vector<RunCase> deep;
    for (const RunCase &c : cases) {
        std::string text = c.text;
        const auto at = text.find("sum(10000)");
        if (at == std::string::npos)
            continue;
        deeper.push_back(text.replace(at, 10, "sum(100000)"));
    }
    int i = 0;
    for (const RunCase &c : cases)
        if (std::string(c.text).find("sum(10000)") != std::string::npos)
            deep.push_back({c.language, deeper[size_t(i++)].c_str(), c.global, "100000"});
    ASSERT_EQ(deep.size(), 4u);
#if !defined(__SANITIZE_ADDRESS__)   // that build keeps to 48 MB of stack (StackLimit.cpp)
    onStackOf(std::size_t(512) << 20, [&] { expectRunValues(deep); });
#endif
    // And a runaway recursion ends with the error on such a thread too.
    onStackOf(std::size_t(64) << 20, [] {
        EXPECT_TRUE(runAndRead(kP, "var r: Integer;\nfunction f(n: Integer): Integer;\n"
                                   "begin Result := f(n + 1) end;\nbegin r := f(0) end.",
                               "r")
                        .startsWith(QStringLiteral("error: Stack overflow")));
    });
}

// The error ends the run at the innermost call, and everything is intact
// for the next run; each row surrounds the recursive call with another kind
// of native nesting, which makes every call's frame larger.
TEST(ScriptLimits, RunawayRecursionEndsWithTheScriptError)
{
    const StackBudget budget(2 * 1024 * 1024);
    auto nested = [](const char *open, const char *close, int depth) {
        QString text = QStringLiteral("procedure loop;\nbegin\n");
        for (int i = 0; i < depth; ++i)
            text += QLatin1String(open);
        text += QStringLiteral("loop;\n");
        for (int i = 0; i < depth; ++i)
            text += QLatin1String(close);
        return text + QStringLiteral("end;\nbegin loop end.");
    };
    const QString programs[] = {
        nested("", "", 0),
        nested("try\n", "finally end;\n", 26),
        nested("while True do begin\n", "end;\n", 117),
        nested("if (1 = 1) and (2 = 2) then begin\n", "end;\n", 60),
    };
    for (const QString &text : programs) {
        auto program = compileScript(kP, text);
        ASSERT_EQ(program->errorMessage, QString()) << text.toStdString();
        for (int run = 0; run < 2; ++run) {
            try {
                program->execute();
                ADD_FAILURE() << "no error: " << text.toStdString();
            } catch (const ScriptError &e) {
                EXPECT_EQ(e.className(), QStringLiteral("EStackOverflow")) << text.toStdString();
                EXPECT_TRUE(e.message().startsWith(QStringLiteral("Stack overflow")));
            }
            EXPECT_FALSE(program->running);
            EXPECT_EQ(program->currentScope, nullptr);
        }
    }
}

TEST(ScriptLimits, ReserveFollowsTheLargestCall)
{
    const StackBudget budget(4 * 1024 * 1024);
    // Calls nested inside 40 try blocks each: the reserve grows past its
    // minimum with what one such call costs.
    QString text = QStringLiteral("procedure deep(n: Integer);\nbegin\n");
    for (int i = 0; i < 40; ++i)
        text += QStringLiteral("try\n");
    text += QStringLiteral("if n > 0 then deep(n - 1);\n");
    for (int i = 0; i < 40; ++i)
        text += QStringLiteral("finally end;\n");
    text += QStringLiteral("end;\nbegin deep(20) end.");
    auto program = compileScript(kP, text);
    ASSERT_EQ(program->errorMessage, QString());
    program->execute();
    EXPECT_GT(stacklimit::tStack.largestCall, 0u);
    EXPECT_GE(stacklimit::tStack.reserve,
              std::max(stacklimit::kMinReserve,
                       stacklimit::kReserveCalls * stacklimit::tStack.largestCall));
    EXPECT_GT(stacklimit::roomLeft(), 0);
}

TEST(ScriptLimits, EndlessGrowthIsOutOfMemory)
{
    Variant::setMaxValueBytes(1024 * 1024);
    // Appending in place and joining into a new value both meet the
    // ceiling; a script's own try can catch the error.
    const RunCase cases[] = {
        {kJ, "var s = \"abcdefghij\";\nwhile (true) s = s + \"abcdefghij\";", "s",
         "error: Out of memory: a script value may take at most 1 MB at 2:14"},
        {kP, "var s, t: String;\nbegin s := 'ab'; while True do begin t := s + s; s := t end end.",
         "s", "error: Out of memory: a script value may take at most 1 MB at 2:38"},
        {kP,
         "var s, m: String;\nbegin s := 'ab';\n"
         "try while True do s := s + s; except m := ExceptionMessage end end.",
         "m", "Out of memory: a script value may take at most 1 MB"},
    };
    expectRunValues(cases);
    Variant::setMaxValueBytes(0);
}

// The keyed messages of the traps that programs from other dialects fall
// into, each followed by the hint that gets them out.
TEST(ScriptLimits, HintsAfterTheKeyedMessages)
{
    struct Case
    {
        QString language;
        const char *text;
        const char *error;
    } cases[] = {
        {kP,
         "function fact(n: Integer): Integer;\nbegin\n  fact := 1\nend;\nbegin end.",
         "Not enough actual parameters (a function sets its result through Result or return, "
         "not through its own name) at 3:3"},
        {kP, "function f(n: Integer): Integer;\nbegin Result := f end;\nbegin end.",
         "Not enough actual parameters (a function sets its result through Result or return, "
         "not through its own name) at 2:17"},
        // Another function's name is an ordinary missing argument.
        {kP,
         "function g(n: Integer): Integer; begin Result := n end;\n"
         "function f(n: Integer): Integer;\nbegin Result := g end;\nbegin end.",
         "Not enough actual parameters at 3:17"},
        {kJ, "var n = 5;\nvar s = \"n=\" + 5;",
         "Incompatible types: convert the number with IntToStr() to join it to a string at 2:15"},
        {kJ, "var s = 1.5 + \"x\";",
         "Incompatible types: convert the number with FloatToStr() to join it to a string at 1:14"},
        {kP, "var dec: Integer;\nbegin end.",
         "Identifier redeclared: 'dec' (a library name: choose another name) at 1:5"},
        {kP, "var x: Integer; x: String;\nbegin end.", "Identifier redeclared: 'x' at 1:17"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(compileError(c.language, QString::fromUtf8(c.text)).toStdString(),
                  std::string(c.error))
            << c.text;
}

// A block left open at the end of the file is reported on the file's last
// line, at its last character.
TEST(ScriptLimits, EndOfFileErrorsNameTheLastLine)
{
    struct Case
    {
        QString language;
        const char *text;
        const char *position;
    } cases[] = {
        {kP, "begin\n  x := 1;\n  x := 2;", "3:9"},
        {kP, "begin\n  if x = 1 then begin\n    x := 2;\n  end;", "4:6"},
        {kC, "{\n  x = 1;\n  x = 2;", "3:8"},
        {kJ, "if (1 == 1) {\n  x = 1;\n  x = 2;", "3:8"},
        {kB, "If 1 = 1 Then\n  x = 1\n  x = 2", "3:7"},
    };
    for (const Case &c : cases) {
        const QString error = compileError(c.language, QString::fromUtf8(c.text));
        EXPECT_TRUE(error.endsWith(QStringLiteral(" at ") + QLatin1String(c.position)))
            << c.language.toStdString() << ": " << c.text << " -> " << error.toStdString();
    }
}

}   // namespace
}   // namespace pgx::script::test
