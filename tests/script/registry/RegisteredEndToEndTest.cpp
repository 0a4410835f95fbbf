// Host registrations seen by compiled programs: defaults of a parameter
// group, argument counts, read-only published properties and casts.

#include "LibraryFixture.h"
#include "TestObjects.h"

#include "script/analyser/ScriptAnalyser.h"

using namespace pgx::script;
using namespace pgx::script::test;

namespace {

struct Program
{
    QString error;   // "message at line:col", empty when it ran
    LibraryScript s;

    Program(const QString &language, const QStringList &lines,
            const std::function<void(TkxScript &)> &declare)
    {
        installScriptAnalyser();
        s.script.itemOwner = 1;   // host items survive the compiler's clearing
        declare(s.script);
        s.script.itemOwner = 0;
        s.script.setSyntaxType(language);
        s.script.setLines(lines);
        if (!s.script.compile()) {
            error = s.script.errorMessage + QStringLiteral(" at ") + s.script.errorPosition;
            return;
        }
        try {
            s.script.execute();
        } catch (const ScriptError &e) {
            error = e.message() + QStringLiteral(" at ") + e.position();
        }
    }
    Variant value(const QString &name) { return s.script.find(name)->value; }
};

TEST(RegisteredEndToEnd, OnlyTheLastNameOfAGroupTakesTheDefault)
{
    QList<Variant> calls;
    auto declare = [&](TkxScript &script) {
        declareMethodArray(
            script, QStringLiteral("procedure P(a, b: Integer = 2)"),
            [&](QObject *, TkxClassVariable *, QList<Variant> &args, const QString &) {
                calls << args;
                return Variant();
            });
    };
    Program one(QStringLiteral("PascalScript"),
                {QStringLiteral("begin"), QStringLiteral("  P(5);"), QStringLiteral("end.")},
                declare);
    EXPECT_EQ(one.error, QString());
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[0].toInt64(), 5);
    EXPECT_EQ(calls[1].toInt64(), 2);
    Program none(QStringLiteral("PascalScript"),
                 {QStringLiteral("begin"), QStringLiteral("  P;"), QStringLiteral("end.")},
                 declare);
    EXPECT_TRUE(none.error.startsWith(QStringLiteral("Not enough actual parameters at 2:")))
        << qPrintable(none.error);
}

TEST(RegisteredEndToEnd, HostObjectsInTheFourLanguages)
{
    TTestPanel panel;
    auto declare = [&](TkxScript &script) {
        declareClass(script, &TTestPanel::staticMetaObject, QStringLiteral("TObject"));
        declareObject(script, QStringLiteral("Panel"), &panel);
    };
    const struct
    {
        const char *language;
        QStringList lines;
    } programs[] = {
        {"PascalScript",
         {"var v: Boolean; w: Integer;", "begin", "  Panel.Visible := True;",
          "  v := Panel.Visible;", "  Panel.Width := Panel.Tag + 1;",
          "  w := TTestPanel(Panel).Width;", "end."}},
        {"C++Script",
         {"bool v; int w;", "{", "  Panel.Visible = true;", "  v = Panel.Visible;",
          "  Panel.Width = Panel.Tag + 1;", "  w = TTestPanel(Panel).Width;", "}"}},
        {"JScript",
         {"var v, w;", "Panel.Visible = true;", "v = Panel.Visible;",
          "Panel.Width = Panel.Tag + 1;", "w = TTestPanel(Panel).Width;"}},
        {"BasicScript",
         {"dim v, w", "Panel.Visible = true", "v = Panel.Visible", "Panel.Width = Panel.Tag + 1",
          "w = TTestPanel(Panel).Width"}},
    };
    for (const auto &p : programs) {
        SCOPED_TRACE(p.language);
        panel.setVisible(false);
        panel.setWidth(0);
        Program run(QString::fromLatin1(p.language), p.lines, declare);
        EXPECT_EQ(run.error, QString());
        if (!run.error.isEmpty())
            continue;
        EXPECT_EQ(run.value(QStringLiteral("v")).type(), varBoolean);
        EXPECT_TRUE(run.value(QStringLiteral("v")).toBool());
        EXPECT_EQ(run.value(QStringLiteral("w")).toInt64(), 43);
        EXPECT_TRUE(panel.visible());
    }
}

}   // namespace
