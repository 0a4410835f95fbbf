#include "LibraryFixture.h"
#include "TestObjects.h"

#include "persist/XMLDocument.h"
#include "script/library/Classes.h"
#include "script/registry/Declaration.h"
#include "script/registry/EventAdapters.h"
#include "support/GoldenFile.h"

#include <QtCore/QBuffer>

using namespace pgx::script;
using namespace pgx::script::test;

namespace {

// name:type[&][=default], joined by blanks; "!" marks a function's result.
QString describe(const TkxDeclaration &d)
{
    QStringList parts;
    parts << (d.isMacro ? QStringLiteral("macro ") : QString())
            + (d.isFunction ? QStringLiteral("function ") : QStringLiteral("procedure ")) + d.name;
    for (const TkxDeclaration::Param &p : d.params) {
        parts << p.name + QLatin1Char(':') + p.typeName
                + (p.byRef ? QStringLiteral("&") : QString())
                + (p.hasDefault ? QLatin1Char('=') + p.defaultValue.toString() : QString());
    }
    if (d.isFunction)
        parts << QLatin1Char('!') + d.resultType;
    return parts.join(QLatin1Char(' '));
}

TEST(Registry, DeclarationTexts)
{
    LibraryScript s;
    s.script.addConst(QStringLiteral("kTen"), TkxKind::Integer, QStringLiteral("Integer"),
                      Variant(10));
    const struct
    {
        const char *text;
        const char *parsed;
    } cases[] = {
        {"procedure Inc(var i: Integer; incr: Integer = 1)",
         "procedure Inc i:Integer& incr:Integer=1"},
        {"procedure P(a, b: Integer = 2)", "procedure P a:Integer b:Integer=2"},
        {"function Copy(s: String; from, count: Integer): String",
         "function Copy s:String from:Integer count:Integer !String"},
        {"function Date: TDateTime", "function Date !TDateTime"},
        {"procedure Randomize", "procedure Randomize"},
        {"macro function IIF(Expr: Boolean; TrueValue, FalseValue: Variant): Variant",
         "macro function IIF Expr:Boolean TrueValue:Variant FalseValue:Variant !Variant"},
        {"function F(const S: string; X: Integer = -5; T: String = 'a b'; K: Integer = kTen; U: "
         "Integer = Unknown): Integer;",
         "function F S:string X:Integer=-5 T:String=a b K:Integer=10 U:Integer !Integer"},
        {"procedure DecodeDate(Date: TDateTime; var Year, Month, Day: Word)",
         "procedure DecodeDate Date:TDateTime Year:Word& Month:Word& Day:Word&"},
        {"Procedure WriteTime(const Section, Name: String; Value: TDateTime);",
         "procedure WriteTime Section:String Name:String Value:TDateTime"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(describe(parseDeclaration(s.script, QString::fromLatin1(c.text))).toStdString(),
                  c.parsed);
    for (const char *bad : {"", "function", "function F(a: ): Integer", "procedure P(a Integer)",
                            "procedure P(a: Integer", "procedure P(a: Integer = )",
                            "procedure P(a: Integer =", "procedure P(a: Integer = -",
                            "procedure P(a: Integer = 'x"}) {
        EXPECT_FALSE(
            errorOf([&] { parseDeclaration(s.script, QString::fromLatin1(bad)); }).isEmpty())
            << bad;
    }
}

TEST(Registry, MethodItemsTakeKindsFromTheirTypes)
{
    LibraryScript s;
    auto *inc = dynamic_cast<TkxMethodHelper *>(s.script.find(QStringLiteral("Inc")));
    ASSERT_NE(inc, nullptr);
    EXPECT_EQ(inc->paramCount(), 2);
    EXPECT_TRUE(inc->param(0)->isVarParam);
    EXPECT_EQ(inc->param(1)->defaultValue.toInt64(), 1);
    EXPECT_EQ(inc->requiredParamCount(), 1);
    EXPECT_EQ(inc->category, QStringLiteral("ctOther"));
    auto *copy = dynamic_cast<TkxMethodHelper *>(s.script.find(QStringLiteral("Copy")));
    EXPECT_EQ(copy->kind(), TkxKind::String);
    EXPECT_EQ(copy->param(1)->kind(), TkxKind::Integer);
    auto *fmt = dynamic_cast<TkxMethodHelper *>(s.script.find(QStringLiteral("Format")));
    EXPECT_EQ(fmt->param(1)->kind(), TkxKind::Array);
    // A method with no handler gives the integer 0.
    TkxMethodHelper *none
        = declareMethod(s.script, QStringLiteral("function Nothing: Integer"), {});
    EXPECT_EQ(s.call(QStringLiteral("Nothing")).type(), varInteger);
    EXPECT_EQ(none->getValue().toInt64(), 0);
}

TEST(Registry, DeclaringAKnownNameKeepsTheFirstItem)
{
    LibraryScript s;
    TkxCustomVariable *t = s.script.find(QStringLiteral("True"));
    EXPECT_EQ(
        declareConst(s.script, QStringLiteral("True"), QStringLiteral("Boolean"), Variant(false)),
        t);
    EXPECT_EQ(declareType(s.script, QStringLiteral("integer"), TkxKind::Float)->kind(),
              TkxKind::Integer);
    EXPECT_EQ(declareClass(s.script, &TStringList::staticMetaObject, QStringLiteral("TStrings")),
              nullptr);
    TkxCustomVariable *v = declareVariable(s.script, QStringLiteral("Counter"),
                                           QStringLiteral("Integer"), Variant(1));
    EXPECT_EQ(
        declareVariable(s.script, QStringLiteral("COUNTER"), QStringLiteral("String"), Variant(2)),
        v);
    EXPECT_EQ(v->kind(), TkxKind::Integer);
    EXPECT_EQ(declareVariable(s.script, QStringLiteral("Other"), QStringLiteral("TNoSuchType"),
                              Variant(0))
                  ->kind(),
              TkxKind::Class);
}

TEST(Registry, EnumerationsAndSets)
{
    LibraryScript s;
    declareEnumSet(s.script, QStringLiteral("TFontStyles"),
                   QStringLiteral("fsBold, fsItalic,fsUnderline ,  fsStrikeout"));
    declareEnum(s.script, QStringLiteral("TPenStyle"), QStringLiteral("psSolid, psDash, psDot"));
    const struct
    {
        const char *name;
        int value;
    } values[] = {
        {"fsBold", 1},  {"fsItalic", 2}, {"fsUnderline", 4}, {"fsStrikeout", 8},
        {"psSolid", 0}, {"psDash", 1},   {"psDot", 2},
    };
    for (const auto &v : values) {
        TkxCustomVariable *item = s.script.find(QString::fromLatin1(v.name));
        ASSERT_NE(item, nullptr) << v.name;
        EXPECT_EQ(item->value.toInt64(), v.value) << v.name;
        EXPECT_EQ(item->kind(), TkxKind::Enumeration);
        EXPECT_TRUE(item->readOnly);
    }
    EXPECT_EQ(s.script.find(QStringLiteral("fsBold"))->typeName(), QStringLiteral("TFontStyles"));
}

TEST(Registry, PublishedPropertiesComeFromTheReflection)
{
    LibraryScript s;
    TkxClassVariable *cls
        = declareClass(s.script, &TTestPanel::staticMetaObject, QStringLiteral("TObject"));
    ASSERT_NE(cls, nullptr);
    const struct
    {
        const char *name;
        TkxKind kind;
        const char *type;
        bool readOnly;
    } members[] = {
        {"Visible", TkxKind::Boolean, "Boolean", false},
        {"Width", TkxKind::Integer, "Integer", false},
        {"Ratio", TkxKind::Float, "Extended", false},
        {"Caption", TkxKind::String, "String", false},
        {"Layout", TkxKind::Enumeration, "TLayout", false},
        {"Tag", TkxKind::Integer, "Integer", true},
    };
    for (const auto &m : members) {
        auto *p = dynamic_cast<TkxPropertyHelper *>(
            cls->findMember(QString::fromLatin1(m.name).toLower()));
        ASSERT_NE(p, nullptr) << m.name;
        EXPECT_TRUE(p->published);
        EXPECT_EQ(p->kind(), m.kind) << m.name;
        EXPECT_EQ(p->typeName(), QString::fromLatin1(m.type)) << m.name;
        EXPECT_EQ(p->readOnly, m.readOnly) << m.name;
    }

    TTestPanel panel;
    const Variant h = TkxObjectTable::toVariant(&panel);
    // Booleans read as True/False, and any non-zero value written is True.
    EXPECT_EQ(s.member(h, QStringLiteral("Visible")).type(), varBoolean);
    EXPECT_FALSE(s.member(h, QStringLiteral("Visible")).toBool());
    s.set(h, QStringLiteral("Visible"), Variant(2));
    EXPECT_TRUE(panel.visible());
    EXPECT_EQ(s.member(h, QStringLiteral("Visible")).toString(), QStringLiteral("True"));
    s.set(h, QStringLiteral("Visible"), Variant(0));
    EXPECT_FALSE(panel.visible());
    s.set(h, QStringLiteral("Width"), Variant::fromString8(QStringLiteral("120")));
    EXPECT_EQ(panel.width(), 120);
    s.set(h, QStringLiteral("Ratio"), Variant(0.25));
    EXPECT_EQ(s.member(h, QStringLiteral("Ratio")).toDouble(), 0.25);
    s.set(h, QStringLiteral("Caption"), Variant::fromString8(QStringLiteral("Total")));
    EXPECT_EQ(s.member(h, QStringLiteral("Caption")).toString(), QStringLiteral("Total"));
    s.set(h, QStringLiteral("Layout"), Variant(2));
    EXPECT_EQ(panel.layout(), TTestPanel::tlBottom);
    EXPECT_EQ(s.member(h, QStringLiteral("Layout")).toInt64(), 2);
    s.set(h, QStringLiteral("Tag"), Variant(7));   // read-only: ignored
    EXPECT_EQ(s.member(h, QStringLiteral("Tag")).toInt64(), 42);
}

TEST(Registry, StaleAndForgedHandlesRaise)
{
    LibraryScript s;
    auto *cls = findClassVariable(s.script, QStringLiteral("TStrings"));
    TkxCustomVariable *count = cls->findMember(QStringLiteral("Count"));
    auto *helper = dynamic_cast<TkxCustomHelper *>(count);
    ASSERT_NE(helper, nullptr);
    const Variant list = s.create(QStringLiteral("TStringList"));
    helper->setContext(nullptr, list, &s.script);
    EXPECT_EQ(helper->getValue().toInt64(), 0);
    s.member(list, QStringLiteral("Free"));
    for (const Variant &bad :
         {list, Variant(987654321), Variant::fromString8(QStringLiteral("12x"))}) {
        helper->setContext(nullptr, bad, &s.script);
        EXPECT_FALSE(errorOf([&] { helper->getValue(); }).isEmpty());
    }
    helper->setContext(nullptr, Variant(0), &s.script);   // nil
    EXPECT_EQ(errorOf([&] { helper->getValue(); }), QStringLiteral("Invalid object reference"));
    // Objects the script did not create are not its to free.
    TTestPanel host;
    declareClass(s.script, &TTestPanel::staticMetaObject, QStringLiteral("TObject"));
    const Variant h = TkxObjectTable::toVariant(&host);
    auto *free = dynamic_cast<TkxCustomHelper *>(
        findClassVariable(s.script, QStringLiteral("TObject"))->findMember(QStringLiteral("Free")));
    free->setContext(nullptr, h, &s.script);
    EXPECT_FALSE(errorOf([&] { free->getValue(); }).isEmpty());
}

TEST(Registry, ClassNameAsFunctionCasts)
{
    LibraryScript s;
    const Variant list = s.create(QStringLiteral("TStringList"));
    s.member(list, QStringLiteral("Add"), {"'a'"});
    s.script.addVariable(QStringLiteral("x"), TkxKind::Variant, QStringLiteral("Variant"), list);
    // TStringList(x).Count
    TkxClassVariable *cls = findClassVariable(s.script, QStringLiteral("TStringList"));
    TkxDesignator d(&s.script);
    auto cast = std::make_unique<TkxDesignatorItem>(cls);
    cast->addArgument(Arg("x").build(s.script));
    d.addItem(std::move(cast));
    d.addItem(std::make_unique<TkxDesignatorItem>(cls->findMember(QStringLiteral("Count"))));
    EXPECT_EQ(d.getValue().toInt64(), 1);
    EXPECT_EQ(d.kind(), TkxKind::Integer);
    // The cast does not stick to the class: a later constructor makes a new list.
    const Variant other = s.create(QStringLiteral("TStringList"));
    EXPECT_NE(other.toInt64(), list.toInt64());
    EXPECT_EQ(s.member(other, QStringLiteral("ClassName")).toString(),
              QStringLiteral("TStringList"));
}

TEST(Registry, InheritanceAndObjectIs)
{
    LibraryScript s;
    EXPECT_TRUE(
        TkxScript::classInherits(QStringLiteral("TStringList"), QStringLiteral("tpersistent")));
    EXPECT_TRUE(
        TkxScript::classInherits(QStringLiteral("TMemIniFile"), QStringLiteral("TCustomIniFile")));
    EXPECT_FALSE(
        TkxScript::classInherits(QStringLiteral("TStrings"), QStringLiteral("TStringList")));
    const Variant list = s.create(QStringLiteral("TStringList"));
    EXPECT_TRUE(TkxScript::objectIs(list, QStringLiteral("TStrings")));
    EXPECT_FALSE(TkxScript::objectIs(list, QStringLiteral("TStream")));
    EXPECT_FALSE(TkxScript::objectIs(Variant(0), QStringLiteral("TObject")));
    // Members are found through the ancestors; the default property is inherited.
    TkxClassVariable *sl = findClassVariable(s.script, QStringLiteral("TStringList"));
    EXPECT_NE(sl->findMember(QStringLiteral("assign")), nullptr);
    ASSERT_NE(sl->defaultProperty, nullptr);
    EXPECT_EQ(sl->defaultProperty->name(), QStringLiteral("Strings"));
    EXPECT_EQ(sl->findMember(QStringLiteral("NoSuchMember")), nullptr);
}

// OnClick := @Clicked; firing runs Clicked(Sender); nil clears; a function is refused.
TEST(Registry, EventsBindScriptProcedures)
{
    LibraryScript s;
    TkxScript &p = s.script;
    p.setLines(
        {QStringLiteral("var clickedBy: Variant;"),
         QStringLiteral("procedure Clicked(Sender: Variant); begin clickedBy := Sender; end;"),
         QStringLiteral("procedure Closing(Sender: Variant; var CanClose: Boolean); begin CanClose "
                        ":= False; end;"),
         QStringLiteral("function AFunction: Variant; begin end;"),
         QStringLiteral("begin clickedBy := 0; end.")});
    ASSERT_TRUE(p.compile()) << p.errorMessage.toStdString();
    p.execute();

    TkxClassVariable *cls = declareClass(p, &TForm::staticMetaObject, QStringLiteral("TObject"));
    cls->declareEvent(QStringLiteral("OnClick"), kTkxNotifyEvent);
    cls->declareEvent(QStringLiteral("OnCloseQuery"), kTkxCloseQueryEvent);
    TForm form;
    const Variant h = TkxObjectTable::toVariant(&form);

    EXPECT_EQ(s.member(h, QStringLiteral("OnClick")).toString(), QString());
    s.set(h, QStringLiteral("OnClick"), Variant::fromString8(QStringLiteral("Clicked")));
    QList<Variant> args{h};
    form.fire(QStringLiteral("OnClick"), args);
    EXPECT_EQ(p.find(QStringLiteral("clickedBy"))->value.toInt64(), h.toInt64());

    s.set(h, QStringLiteral("OnCloseQuery"), Variant::fromString8(QStringLiteral("Closing")));
    QList<Variant> query{h, Variant(true)};
    form.fire(QStringLiteral("OnCloseQuery"), query);
    EXPECT_EQ(query[1].type(), varBoolean);
    EXPECT_FALSE(query[1].toBool());

    s.set(h, QStringLiteral("OnClick"), Variant(0));
    EXPECT_FALSE(form.has(QStringLiteral("OnClick")));
    EXPECT_EQ(errorOf([&] {
                  s.set(h, QStringLiteral("OnClick"),
                        Variant::fromString8(QStringLiteral("AFunction")));
              }),
              QStringLiteral("Event handler must be a procedure"));
    EXPECT_EQ(errorOf([&] {
                  s.set(h, QStringLiteral("OnClick"),
                        Variant::fromString8(QStringLiteral("Missing")));
              }),
              QStringLiteral("Event handler must be a procedure"));
}

TEST(Registry, EventAdaptersWriteBackTheirArguments)
{
    // The handler sets one by-reference argument to `in` (script text).
    const struct
    {
        const TkxEventAdapterClass *cls;
        int arg;
        const char *in;
        Variant expected;
    } cases[] = {
        {&kTkxKeyEvent, 1, "'13'", Variant(13)},
        {&kTkxKeyPressEvent, 1, "'xyz'", Variant::fromString8(QStringLiteral("x"))},
        {&kTkxCloseEvent, 1, "2.0", Variant(2)},
        {&kTkxCanResizeEvent, 3, "0", Variant(false)},
        {&kTkxFilterRecordEvent, 1, "1", Variant(true)},
        {&kTkxFieldGetTextEvent, 1, "5", Variant::fromString8(QStringLiteral("5"))},
        {&kTkxMouseEvent, 4, "9", Variant(0)},   // not written back
    };
    installScriptAnalyser();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.cls->className);
        QStringList parameters;
        for (int i = 0; i < c.cls->args.size(); ++i)
            parameters << QStringLiteral("var a%1: Variant").arg(i);
        TkxScript p;
        registerLibraryModules();   // the type names
        p.addModules();
        p.setLines({QStringLiteral("procedure Handler(%1); begin a%2 := %3; end;")
                        .arg(parameters.join(QStringLiteral("; ")))
                        .arg(c.arg)
                        .arg(QLatin1StringView(c.in)),
                    QStringLiteral("begin end.")});
        ASSERT_TRUE(p.compile()) << p.errorMessage.toStdString();
        auto *proc = dynamic_cast<TkxProcVariable *>(p.find(QStringLiteral("Handler")));
        ASSERT_NE(proc, nullptr);
        TkxCustomEvent adapter(*c.cls, nullptr, proc);
        QList<Variant> args(c.cls->args.size(), Variant(0));
        adapter.nativeEntry()(args);
        EXPECT_EQ(args[c.arg].type(), c.expected.type());
        EXPECT_EQ(args[c.arg].toString(), c.expected.toString());
    }
    EXPECT_EQ(findEventAdapterClass(QStringLiteral("tkxnotifyevent")), &kTkxNotifyEvent);
}

TEST(Registry, DeclareComponentRegistersFormsAndTheirParts)
{
    LibraryScript s;
    declareClass(s.script, &TForm::staticMetaObject, QStringLiteral("TObject"));
    TOrderForm form;
    form.setObjectName(QStringLiteral("OrderForm"));
    auto *button = new TTestPanel;
    button->setParent(&form);
    button->setObjectName(QStringLiteral("OkButton"));
    declareForm(s.script, &form);
    TkxClassVariable *cls = findClassVariable(s.script, QStringLiteral("TOrderForm"));
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->ancestorName, QStringLiteral("TForm"));
    auto *part = dynamic_cast<TkxComponentHelper *>(cls->findMember(QStringLiteral("OkButton")));
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->typeName(), QStringLiteral("TTestPanel"));
    EXPECT_EQ(TkxObjectTable::object(part->getValue()), button);
    EXPECT_EQ(TkxObjectTable::object(s.script.find(QStringLiteral("OrderForm"))->value), &form);
    // Other objects are not components of a form: nothing happens.
    TTestPanel loose;
    loose.setObjectName(QStringLiteral("Loose"));
    declareComponent(s.script, &loose);
    EXPECT_EQ(s.script.find(QStringLiteral("Loose")), nullptr);
}

// The designer's trees, compared with a golden file.
TEST(Registry, ListContentsGolden)
{
    LibraryScript s;
    pgx::TpgxXMLDocument doc;
    doc.root()->setName("contents");
    pgx::TpgxXMLItem *all = doc.root()->add();
    all->setName("all");
    listContents(s.script, all, false);
    pgx::TpgxXMLItem *members = doc.root()->add();
    members->setName("members");
    listClassMembers(s.script, members, QStringLiteral("TMemIniFile"));
    pgx::TpgxXMLItem *functions = doc.root()->add();
    functions->setName("functionsonly");
    listContents(s.script, functions, true);
    doc.setIndented(true);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(bool(doc.saveToStream(out)));
    EXPECT_TRUE(pgx::test::matchesGoldenFile(
        out.data(), QStringLiteral(PGX_TEST_DATA "/script/registry/contents.xml")));
    EXPECT_EQ(functions->count(), 1);   // the functions group alone
}

}   // namespace

namespace {

// Both handler styles: names as the handler sees them, arguments by
// position, by-reference elements written back, the assigned value last.
TEST(Registry, HandlerProtocols)
{
    LibraryScript s;
    TkxScript &p = s.script;
    QStringList seen;
    declareMethodArray(
        p, QStringLiteral("procedure Swap(var a, b: Integer)"),
        [&](QObject *instance, TkxClassVariable *cls, QList<Variant> &args, const QString &name) {
            seen << name;
            EXPECT_EQ(instance, nullptr);
            EXPECT_EQ(cls, nullptr);
            std::swap(args[0], args[1]);
            return Variant();
        },
        QStringLiteral("ctOther"));
    p.addVariable(QStringLiteral("x"), TkxKind::Integer, QStringLiteral("Integer"), Variant(1));
    p.addVariable(QStringLiteral("y"), TkxKind::Integer, QStringLiteral("Integer"), Variant(2));
    s.call(QStringLiteral("swap"), {"x", "y"});
    EXPECT_EQ(p.find(QStringLiteral("x"))->value.toInt64(), 2);
    EXPECT_EQ(p.find(QStringLiteral("y"))->value.toInt64(), 1);

    TkxClassVariable *cls
        = declareClass(p, &TTestPanel::staticMetaObject, QStringLiteral("TObject"));
    QHash<QString, Variant> cells;
    TkxMethodHelper *cell = cls->declareIndexProperty(
        QStringLiteral("Cell"), QStringLiteral("Integer, String"), QStringLiteral("Variant"),
        [&](QObject *instance, TkxClassVariable *c, const QString &name, TkxMethodHelper &h) {
            seen << name;
            EXPECT_NE(instance, nullptr);
            EXPECT_EQ(c, cls);
            const QString key = h.params(0).toString() + h.params(1).toString();
            if (name.endsWith(QLatin1String(".SET")))
                cells.insert(key, h.params(h.count()));
            return cells.value(key, Variant::null());
        });
    EXPECT_EQ(cell->declaration, QStringLiteral("function Cell(p0: Integer; p1: String): Variant"));
    TTestPanel panel;
    const Variant h = TkxObjectTable::toVariant(&panel);
    s.set(h, QStringLiteral("Cell"), Variant(9), {"1", "'a'"});
    EXPECT_EQ(s.member(h, QStringLiteral("Cell"), {"1", "'a'"}).toInt64(), 9);
    TkxMethodHelper *ro = cls->declareIndexProperty(
        QStringLiteral("Fixed"), QStringLiteral("Integer"), QStringLiteral("Integer"), {}, true);
    EXPECT_TRUE(ro->readOnly);
    s.set(h, QStringLiteral("Fixed"), Variant(1), {"0"});   // read-only: ignored
    EXPECT_EQ(s.member(h, QStringLiteral("Fixed"), {"0"}).toInt64(), 0);
    EXPECT_EQ(seen,
              (QStringList{QStringLiteral("SWAP"), QStringLiteral("CELL.SET"),
                           QStringLiteral("CELL.GET")}));
    cls->declareDefaultProperty(QStringLiteral("Cells"), QStringLiteral("Integer"),
                                QStringLiteral("Integer"), {});
    EXPECT_EQ(cls->defaultProperty->name(), QStringLiteral("Cells"));
}

}   // namespace
