// Report scripts: the report's objects under their names, the report module's
// classes and functions, preparing a run's script, and event handlers.
#include "engine/bindings/ScriptPreparation.h"
#include "engine/expressions/ReportEvaluation.h"
#include "engine/run/TpgxCustomEngine.h"

#include "persist/XMLDocument.h"
#include "prepared/TpgxPreviewPages.h"
#include "report/bands/TpgxDataBand.h"
#include "report/data/TpgxCSVDataSet.h"
#include "report/data/TpgxDataSet.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/ReportOptions.h"
#include "report/root/TpgxReport.h"
#include "report/root/TpgxVariables.h"
#include "report/views/TpgxMemoView.h"
#include "script/analyser/ScriptAnalyser.h"
#include "script/library/SysFunctions.h"
#include "script/registry/Registry.h"
#include "script/runtime/Script.h"
#include "support/GoldenFile.h"

#include <QtCore/QBuffer>

#include <gtest/gtest.h>

using namespace pgx::engine;
using pgx::script::TkxScript;
using pgx::script::Variant;

namespace {

class ScriptBindings : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        pgx::script::installScriptAnalyser();
        pgx::registerReportClasses();
        installReportEvaluation();
    }
    static void TearDownTestSuite()
    {
        TpgxReport::setCalcHook({});
        TpgxReport::setValueHook({});
    }
};

// A report with a data source "Customers" (Name is "Ann"), a master data
// band and a text object on it.
struct BoundReport
{
    TpgxReport report;
    TpgxPreviewPages pages{&report};
    TpgxMasterData *band = nullptr;
    TpgxMemoView *memo = nullptr;

    BoundReport()
    {
        auto *customers = new TpgxUserDataSet(&report);
        customers->setName(QStringLiteral("CustomersSource"));
        customers->setUserName(QStringLiteral("Customers"));
        customers->setFields({QStringLiteral("Name")});
        customers->setOnGetValue(
            [](const QString &, QVariant &value) { value = QStringLiteral("Ann"); });
        report.dataSets()->add(customers);
        auto *page = new TpgxReportPage(&report);
        page->setName(QStringLiteral("Page1"));
        band = new TpgxMasterData(page);
        band->setName(QStringLiteral("MasterData1"));
        memo = new TpgxMemoView(band);
        memo->setName(QStringLiteral("Memo1"));
    }
    TkxScript &script() { return ReportEvaluation::of(report).script(); }
    bool prepare(const char *language, const QStringList &lines)
    {
        report.setScriptLanguage(QString::fromLatin1(language));
        report.setScriptText(lines);
        return prepareReportScript(report, script(), nullptr, &pages.outline());
    }
    // Prepares and runs the main program; the first error, if any.
    QString run(const char *language, const QStringList &lines)
    {
        if (!prepare(language, lines))
            return report.errors().value(0);
        try {
            script().execute();
        } catch (const std::exception &e) {
            return QString::fromUtf8(e.what());
        }
        return QString();
    }
    Variant value(const QString &name)
    {
        pgx::script::TkxCustomVariable *v = script().find(name);
        return v ? v->getValue() : Variant::null();
    }
};

TEST_F(ScriptBindings, ReportObjectsVariablesAndFieldsInEveryLanguage)
{
    // Each program hides the band by its name, appends a report variable
    // through the Variables default property and reads it back with Get, and
    // reads a data field written between angle brackets.
    const struct
    {
        const char *language;
        QStringList lines;
    } programs[] = {
        {"PascalScript",
         {"var v, w: Variant;", "begin", "  MasterData1.Visible := False;",
          "  Report.Variables['New'] := 5;", "  w := Get('New');", "  v := <Customers.\"Name\">;",
          "end."}},
        {"C++Script",
         {"string v; int w;", "{", "  MasterData1.Visible = false;",
          "  Report.Variables[\"New\"] = 5;", "  w = Get(\"New\");", "  v = <Customers.\"Name\">;",
          "}"}},
        {"JScript",
         {"var v, w;", "MasterData1.Visible = false;", "Report.Variables[\"New\"] = 5;",
          "w = Get(\"New\");", "v = <Customers.\"Name\">;"}},
        {"BasicScript",
         {"dim v, w", "MasterData1.Visible = False", "Report.Variables[\"New\"] = 5",
          "w = Get(\"New\")", "v = <Customers.\"Name\">"}},
    };
    for (const auto &p : programs) {
        SCOPED_TRACE(p.language);
        BoundReport r;
        ASSERT_TRUE(r.band->visible());
        EXPECT_EQ(r.run(p.language, p.lines), QString());
        EXPECT_FALSE(r.band->visible());
        EXPECT_EQ(r.report.variables()->value(QStringLiteral("New")).toInt(), 5);
        EXPECT_EQ(r.value(QStringLiteral("w")).toInt64(), 5);
        EXPECT_EQ(r.value(QStringLiteral("v")).toString(), QStringLiteral("Ann"));
        EXPECT_EQ(r.report.errors(), QStringList());
    }
}

TEST_F(ScriptBindings, SquareBracketsReadFieldsInPascalScriptOnly)
{
    BoundReport r;
    EXPECT_EQ(
        r.run("PascalScript", {"var v: Variant;", "begin", "  v := [Customers.\"Name\"];", "end."}),
        QString());
    EXPECT_EQ(r.value(QStringLiteral("v")).toString(), QStringLiteral("Ann"));
    // Elsewhere brackets build a set, which is no field reference.
    BoundReport js;
    js.run("JScript", {"var v;", "v = [Customers.\"Name\"];"});
    EXPECT_NE(js.value(QStringLiteral("v")).toString(), QStringLiteral("Ann"));
}

TEST_F(ScriptBindings, ModuleFunctionsAndConstants)
{
    BoundReport r;
    ASSERT_TRUE(r.prepare("PascalScript", {"begin", "end."}));
    const struct
    {
        const char *expression;
        QVariant expected;
    } cases[] = {
        {"DayOf(EncodeDate(2024, 3, 9))", 9},
        {"MonthOf(EncodeDate(2024, 3, 9))", 3},
        {"YearOf(EncodeDate(2024, 3, 9))", 2024},
        {"pg1cm", 37.7953},
        {"pg1in", 96},
        {"clTransparent", 536870911},
        {"crFormat", 152},
        {"smMaxHeight", 2},
        {"fkBoolean", 3},
        {"fsx15cpi", 256},   // the ninth member of a set
        // The preview buttons take the report's own bits, whatever their
        // place in the list.
        {"pbTools", int(TpgxPreviewOptions::pbTools)},
        {"pbTree", int(TpgxPreviewOptions::pbOutline)},
        {"pbExportQuick", int(TpgxPreviewOptions::pbExportQuick)},
        {"pbRefresh", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.expression);
        EXPECT_EQ(r.report.calc(QString::fromLatin1(c.expression)), c.expected);
    }
    // A script of its own has the module's aggregates, which say why they
    // give nothing; the report's script has the macro functions instead.
    TkxScript plain;
    plain.setLines({QStringLiteral("var x: Variant;"), QStringLiteral("begin"),
                    QStringLiteral("  x := SUM(1);"), QStringLiteral("end.")});
    ASSERT_TRUE(plain.compile()) << plain.errorMessage.toStdString();
    try {
        plain.execute();
        ADD_FAILURE() << "SUM outside a report gave a value";
    } catch (const std::exception &e) {
        EXPECT_TRUE(
            QString::fromUtf8(e.what()).contains(QStringLiteral("only while a report runs")))
            << e.what();
    }
}

TEST_F(ScriptBindings, ComponentMembers)
{
    BoundReport r;
    auto *csv = new TpgxCSVDataSet(r.band->page());
    csv->setName(QStringLiteral("Csv1"));
    const QString error = r.run(
        "PascalScript",
        {"var n, all, parentName, lines, text, found: Variant;", "begin",
         "  Memo1.Lines.Add('first');", "  Memo1.Lines.Add('second');",
         "  Memo1.Lines[0] := 'First';", "  lines := Memo1.Lines.Count;", "  text := Memo1.Text;",
         "  n := MasterData1.Objects.Count;", "  all := Page1.AllObjects.Count;",
         "  parentName := Memo1.Parent.Name;", "  found := Report.FindObject('memo1').Name;",
         // A class the module does not name gets one when its object is declared.
         "  Csv1.UserName := 'Lines';", "  Memo1.SetBounds(1, 2, 30, 40);",
         "  Memo1.TagStr := 'tag';", "  Outline.AddItem('Intro');", "end."});
    ASSERT_EQ(error, QString());
    EXPECT_EQ(r.memo->memo(), QStringList({QStringLiteral("First"), QStringLiteral("second")}));
    EXPECT_EQ(r.value(QStringLiteral("lines")).toInt64(), 2);
    EXPECT_EQ(r.value(QStringLiteral("text")).toString(), QStringLiteral("First\r\nsecond\r\n"));
    EXPECT_EQ(r.value(QStringLiteral("n")).toInt64(), 1);
    EXPECT_EQ(r.value(QStringLiteral("all")).toInt64(), 3);   // band, memo, CSV source
    EXPECT_EQ(r.value(QStringLiteral("parentName")).toString(), QStringLiteral("MasterData1"));
    EXPECT_EQ(r.value(QStringLiteral("found")).toString(), QStringLiteral("Memo1"));
    EXPECT_EQ(csv->userName(), QStringLiteral("Lines"));
    EXPECT_EQ(r.memo->width(), 30);
    EXPECT_EQ(r.memo->tagStr(), QStringLiteral("tag"));
    r.pages.outline().levelRoot();
    ASSERT_EQ(r.pages.outline().count(), 1);
    EXPECT_EQ(r.pages.outline().item(0).text, QStringLiteral("Intro"));

    // Changes made to the memo directly are what the script sees next.
    r.memo->setMemo({QStringLiteral("only")});
    EXPECT_EQ(r.run("PascalScript",
                    {"var lines: Variant;", "begin", "  lines := Memo1.Lines.Count;", "end."}),
              QString());
    EXPECT_EQ(r.value(QStringLiteral("lines")).toInt64(), 1);

    // Assigning a list replaces the lines; objects stay with unchanged lines.
    EXPECT_EQ(
        r.run("PascalScript",
              {"var l, owner: Variant;", "begin", "  l := TStringList.Create;", "  l.Add('x');",
               "  l.Add('y');", "  Memo1.Lines := l;", "  Memo1.Lines.Objects[1] := MasterData1;",
               "  owner := TpgxComponent(Memo1.Lines.Objects[1]).Name;", "end."}),
        QString());
    EXPECT_EQ(r.memo->memo(), QStringList({QStringLiteral("x"), QStringLiteral("y")}));
    EXPECT_EQ(r.value(QStringLiteral("owner")).toString(), QStringLiteral("MasterData1"));
}

// Records what a script asks of the engine.
class RecordingEngine : public TpgxCustomEngine
{
public:
    using TpgxCustomEngine::TpgxCustomEngine;
    void finishPage() override { }
    void newColumn() override { ++columns; }
    void newPage() override { ++newPages; }
    void showBand(TpgxBand *band) override { shown.append(band); }
    void showBandOfClass(const QMetaObject &) override { }
    double topReservedHeight() const override { return 0; }
    double bottomReservedHeight() const override { return 0; }
    double freeSpace() const override { return 123.5; }
    QVariant computeAggregate(const QString &, const QString &, TpgxBand *, int) override
    {
        return {};
    }
    bool run() override { return false; }
    int newPages = 0;
    int columns = 0;
    QList<TpgxBand *> shown;
};

TEST_F(ScriptBindings, EngineAndOutlineDuringARun)
{
    BoundReport r;
    RecordingEngine engine(r.report, r.pages);
    r.report.setScriptLanguage(QStringLiteral("PascalScript"));
    r.report.setScriptText(
        {"var free, y: Variant;", "begin", "  Engine.ShowBand(MasterData1);", "  Engine.NewPage;",
         "  Engine.NewColumn;", "  free := Engine.FreeSpace;", "  Engine.CurY := Engine.CurY + 1;",
         "  y := Engine.CurY;", "  Outline.AddItem('Part');", "  Engine.StopReport;", "end."});
    TkxScript &script = ReportEvaluation::of(r.report).script();
    ASSERT_TRUE(prepareReportScript(r.report, script, &engine, &r.pages.outline()));
    engine.setCurY(40.5);
    script.execute();
    EXPECT_EQ(engine.shown, QList<TpgxBand *>{r.band});
    EXPECT_EQ(engine.newPages, 1);
    EXPECT_EQ(engine.columns, 1);
    EXPECT_EQ(r.value(QStringLiteral("free")).toDouble(), 123.5);
    EXPECT_EQ(r.value(QStringLiteral("y")).toDouble(), 41.5);
    EXPECT_TRUE(r.report.terminated());
    r.pages.outline().levelRoot();
    ASSERT_EQ(r.pages.outline().count(), 1);
    EXPECT_EQ(r.pages.outline().item(0).top, 42);   // 41.5: half to even
    // Showing nothing is refused, not passed on.
    r.report.setScriptText({"begin", "  Engine.ShowBand(nil);", "end."});
    ASSERT_TRUE(prepareReportScript(r.report, script, &engine, &r.pages.outline()));
    EXPECT_ANY_THROW(script.execute());
    EXPECT_EQ(engine.shown.size(), 1);
}

TEST_F(ScriptBindings, PublishedPropertiesRefuseObjectsOfAnotherClass)
{
    // A typecast to the wrong class must not run a text object's accessors
    // on a band.
    for (const char *statement : {"  v := TpgxMemoView(MasterData1).HAlign;",
                                  "  TpgxMemoView(MasterData1).WordWrap := True;"}) {
        SCOPED_TRACE(statement);
        BoundReport r;
        EXPECT_TRUE(r.run("PascalScript", {"var v: Variant;", "begin", statement, "end."})
                        .contains(QStringLiteral("Invalid class typecast")));
    }
}

TEST_F(ScriptBindings, ScriptsCreateReportObjects)
{
    BoundReport r;
    ASSERT_EQ(r.run("PascalScript",
                    {"var m: TpgxMemoView;", "begin", "  m := TpgxMemoView.Create(MasterData1);",
                     "  m.Name := 'Made';", "  m.Text := 'made by the script';", "end."}),
              QString());
    ASSERT_EQ(r.band->objects().size(), 2);
    auto *made = qobject_cast<TpgxMemoView *>(r.band->objects()[1]);
    ASSERT_TRUE(made);
    EXPECT_EQ(r.report.findObject(QStringLiteral("made")), made);
    EXPECT_EQ(made->memo(), QStringList{QStringLiteral("made by the script")});
    // A class with nothing to make it says so.
    EXPECT_TRUE(r.run("PascalScript",
                      {"var b: Variant;", "begin", "  b := TpgxDialogControl.Create(nil);", "end."})
                    .contains(QStringLiteral("Cannot create an instance of TpgxDialogControl")));
}

TEST_F(ScriptBindings, DataSourcesAndTheReport)
{
    BoundReport r;
    auto *customers
        = qobject_cast<TpgxUserDataSet *>(r.report.getDataset(QStringLiteral("Customers")));
    ASSERT_TRUE(customers);
    customers->setRangeEnd(TpgxDataSet::reCount);
    customers->setRangeEndCount(3);
    const QString error
        = r.run("PascalScript",
                {"var rows, fields, name, hasDebt, kind, list, records, stopped: Variant;",
                 "  ds: TpgxDataSet;",
                 "begin",
                 "  ds := Report.GetDataset('Customers');",
                 "  rows := 0;",
                 "  ds.First;",
                 "  while not ds.Eof do",
                 "  begin",
                 "    rows := rows + 1;",
                 "    ds.Next;",
                 "  end;",
                 "  records := ds.RecordCount;",
                 "  fields := ds.FieldsCount;",
                 "  hasDebt := ds.HasField('Debt');",
                 "  name := ds.Value['Name'] + ds.DisplayText['Name'];",
                 "  kind := ds.FieldType['Name'];",
                 "  list := TStringList.Create;",
                 "  ds.GetFieldList(list);",
                 "  fields := fields + list.Count;",
                 "  Report.Terminated := True;",
                 "  stopped := 1;",
                 "end."});
    EXPECT_EQ(error.toStdString(), "");
    EXPECT_EQ(r.value(QStringLiteral("rows")).toInt64(), 3);
    EXPECT_EQ(r.value(QStringLiteral("records")).toInt64(), 3);
    EXPECT_EQ(r.value(QStringLiteral("fields")).toInt64(), 2);
    EXPECT_FALSE(r.value(QStringLiteral("hasDebt")).toBool());
    EXPECT_EQ(r.value(QStringLiteral("name")).toString(), QStringLiteral("AnnAnn"));
    EXPECT_EQ(r.value(QStringLiteral("kind")).toInt64(), int(TpgxDataSet::fftNumeric));
    // Setting Terminated stops the report and its script at once.
    EXPECT_TRUE(r.report.terminated());
    EXPECT_TRUE(r.value(QStringLiteral("stopped")).isNull());
}

// What the designer lists of the report module: the members of the report
// classes (declaration texts and published properties, each where it is
// first published) and the three function categories it adds to.
TEST_F(ScriptBindings, ModuleListingGolden)
{
    BoundReport r;
    TkxScript &script = r.script();
    pgx::TpgxXMLDocument doc;
    doc.root()->setName("reportmodule");
    const char *const kClasses[]
        = {"TpgxMasterData", "TpgxMemoView", "TpgxPictureView", "TpgxDialogPage",
           "TpgxReport",     "TpgxDataSet",  "TpgxVariables",   "TpgxArray",
           "TWideStrings",   "TpgxEngine",   "TpgxOutline",     "TpgxDialogControl"};
    for (const char *name : kClasses) {
        pgx::TpgxXMLItem *members = doc.root()->add();
        members->setName(name);
        pgx::script::listClassMembers(script, members, QString::fromLatin1(name));
    }
    pgx::TpgxXMLItem all;
    pgx::script::listContents(script, &all, true);
    ASSERT_GE(all.find("functions"), 0);
    pgx::TpgxXMLItem *functions = all.items(all.find("functions"));
    for (const char *category : {"ctDate", "ctOther", "ctAggregate"}) {
        const int at = functions->find(category);
        ASSERT_GE(at, 0) << category;
        doc.root()->addItem(functions->items(at));
    }
    doc.setIndented(true);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(bool(doc.saveToStream(out)));
    EXPECT_TRUE(pgx::test::matchesGoldenFile(
        out.data(), QStringLiteral(PGX_TEST_DATA "/engine/report_module.xml")));
}

TEST_F(ScriptBindings, ArraysAndScriptMadeVariables)
{
    BoundReport r;
    EXPECT_EQ(r.run("PascalScript",
                    {"var a, v: Variant; w, x, y, z, missing: Variant;", "begin",
                     "  a := TpgxArray.Create;", "  a[1] := 'one';", "  a['1'] := 'text one';",
                     "  a[1] := 'uno';", "  a['abc'] := 'letters';", "  w := a['abc'];",
                     "  x := a[1];", "  y := a['1'];", "  missing := a[2];",
                     "  v := TpgxVariables.Create;", "  v['Q'] := 3;", "  z := v['q'];", "end."}),
              QString());
    EXPECT_EQ(r.value(QStringLiteral("x")).toString(), QStringLiteral("uno"));
    EXPECT_EQ(r.value(QStringLiteral("w")).toString(), QStringLiteral("letters"));
    // Keys compare as "=" compares them: '1' and 1 are one key.
    EXPECT_EQ(r.value(QStringLiteral("y")).toString(), QStringLiteral("uno"));
    EXPECT_EQ(r.value(QStringLiteral("z")).toInt64(), 3);
    EXPECT_TRUE(r.value(QStringLiteral("missing")).isNull());
}

TEST_F(ScriptBindings, PreparingAgainForgetsObjectsThatWent)
{
    BoundReport r;
    const QStringList useMemo{"begin", "  Memo1.Visible := False;", "end."};
    ASSERT_TRUE(r.prepare("PascalScript", useMemo));
    delete r.memo;
    r.memo = nullptr;
    // The name is gone: the script compiles it as a late binding, which
    // fails when it runs instead of reaching the freed object.
    EXPECT_TRUE(r.run("PascalScript", useMemo).contains(QStringLiteral("Undeclared identifier")));
    // Without an engine its name is still known, and using it says why.
    EXPECT_TRUE(r.run("PascalScript", {"begin", "  Engine.NewPage;", "end."})
                    .contains(QStringLiteral("Invalid object reference")));
}

TEST_F(ScriptBindings, CompileErrorsGoToTheReport)
{
    const struct
    {
        const char *language;
        QStringList lines;
    } programs[] = {
        {"PascalScript", {"begin", "  x := ;", "end."}},
        {"C++Script", {"{", "  x = ;", "}"}},
        {"JScript", {"x = ;"}},
        {"BasicScript", {"x = "}},
    };
    for (const auto &p : programs) {
        SCOPED_TRACE(p.language);
        BoundReport r;
        EXPECT_FALSE(r.prepare(p.language, p.lines));
        ASSERT_EQ(r.report.errors().size(), 1);
        const QString e = r.report.errors()[0];
        // "Script error at <line>:<column>: <message>"
        EXPECT_TRUE(e.startsWith(QStringLiteral("Script error at ")) && e.count(u':') >= 2)
            << e.toStdString();
        EXPECT_FALSE(e.contains(QStringLiteral("%s")));
    }
}

TEST_F(ScriptBindings, EventHandlersReceiveTheirObject)
{
    const struct
    {
        const char *language;
        QStringList lines;
    } programs[] = {
        {"PascalScript",
         {"procedure MemoBeforePrint(Sender: TpgxComponent);", "begin", "  Sender.Tag := 7;",
          "end;", "begin", "end."}},
        {"C++Script",
         {"void MemoBeforePrint(TpgxComponent Sender)", "{", "  Sender.Tag = 7;", "}", "{", "}"}},
        {"JScript", {"function MemoBeforePrint(Sender)", "{", "  Sender.Tag = 7;", "}"}},
        {"BasicScript", {"sub MemoBeforePrint(Sender)", "  Sender.Tag = 7", "end sub"}},
    };
    for (const auto &p : programs) {
        SCOPED_TRACE(p.language);
        BoundReport r;
        ASSERT_TRUE(r.prepare(p.language, p.lines)) << r.report.errors().join(u'|').toStdString();
        ReportEvaluation &e = ReportEvaluation::of(r.report);
        e.fireEvent(QStringLiteral("   "), r.memo);   // no handler: nothing happens
        EXPECT_EQ(r.memo->tag(), 0);
        e.fireEvent(QStringLiteral(" MemoBeforePrint "), r.memo);
        EXPECT_EQ(r.memo->tag(), 7);
        e.fireEvent(QStringLiteral("MemoBeforePrint"), r.band);
        EXPECT_EQ(r.band->tag(), 7);
    }
}

TEST_F(ScriptBindings, EventValuesComeBack)
{
    BoundReport r;
    ASSERT_TRUE(r.prepare(
        "PascalScript",
        {"procedure Click(Sender: TpgxComponent; Button: Integer; var Modified: Boolean);", "begin",
         "  Modified := Button = 1;", "end;", "begin", "end."}));
    QVariantList values{1, false};
    ReportEvaluation::of(r.report).fireEvent(QStringLiteral("Click"), r.memo, &values);
    EXPECT_EQ(values[1].toBool(), true);
    // A handler's error reaches the caller.
    ASSERT_TRUE(r.prepare("PascalScript",
                          {"procedure Fail(Sender: TpgxComponent);", "begin",
                           "  Sender.SetBounds(1 div 0, 0, 0, 0);", "end;", "begin", "end."}));
    EXPECT_ANY_THROW(ReportEvaluation::of(r.report).fireEvent(QStringLiteral("Fail"), r.memo));
}

}   // namespace
