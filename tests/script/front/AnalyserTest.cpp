#include "FrontTestUtil.h"

#include "platform/Error.h"
#include "script/front/TkxILParser.h"
#include "support/GoldenFile.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QHash>
#include <gtest/gtest.h>

namespace pgx::script {
namespace {

const QString kPascal = QStringLiteral("PascalScript");
const QString kCpp = QStringLiteral("C++Script");
const QString kBasic = QStringLiteral("BasicScript");
const QString kJScript = QStringLiteral("JScript");

struct Outcome
{
    bool ok;
    QString message;
    QString pos;
    QString unit;
    QString tree;
};

Outcome analyse(const QString &language, const QStringList &lines,
                const QHash<QString, QString> &units = {}, int nestingLimit = 0)
{
    registerStandardLanguages();
    TkxILParser parser;
    if (nestingLimit > 0)
        parser.setNestingLimit(nestingLimit);
    if (!units.isEmpty())
        parser.onGetUnit
            = [units](const QString &name, QString &text) { text = units.value(name); };
    parser.selectLanguage(language);
    const bool ok = parser.makeProgramTree(joinScriptLines(lines));
    return {ok, parser.errorMessage(), parser.errorPos(), parser.errorUnit(),
            parser.programTree().toXml(false)};
}

// Scripts that must fail, with the exact message and position.
struct ErrorCase
{
    const char *name;
    QString language;
    QStringList lines;
    const char *message;
    const char *pos;
};

void PrintTo(const ErrorCase &c, std::ostream *os)
{
    *os << c.name;
}

class SyntaxErrors : public ::testing::TestWithParam<ErrorCase>
{ };

TEST_P(SyntaxErrors, ReportTheFirstErrorAtItsPosition)
{
    const ErrorCase &c = GetParam();
    const Outcome out = analyse(c.language, c.lines);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, QString::fromUtf8(c.message));
    EXPECT_EQ(out.pos, QString::fromLatin1(c.pos));
    EXPECT_TRUE(out.tree.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Stage1, SyntaxErrors,
    ::testing::Values(
        // The compound statement's END carries err5.
        ErrorCase{"PascalMissingSemicolon",
                  kPascal,
                  {"begin a := 1 b := 2 end."},
                  "';' expected",
                  "1:14"},
        ErrorCase{"PascalErrorAfterComment",
                  kPascal,
                  {"begin", "  a := 1 { note }", "  b := 2", "end."},
                  "';' expected",
                  "3:3"},
        ErrorCase{
            "PascalMissingThen", kPascal, {"begin if a b := 1 end."}, "'THEN' expected", "1:12"},
        ErrorCase{"PascalForNeedsColonEquals",
                  kPascal,
                  {"begin for i = 1 to 2 do ; end."},
                  "':' expected",
                  "1:13"},
        ErrorCase{"PascalForNeedsToOrDownto",
                  kPascal,
                  {"begin for i := 1 up 2 do ; end."},
                  "'TO' or 'DOWNTO' expected",
                  "1:18"},
        ErrorCase{"PascalMissingFinalDot", kPascal, {"begin end"}, "'.' expected", "1:9"},
        ErrorCase{"PascalUnterminatedString",
                  kPascal,
                  {"begin s := 'abc", "end."},
                  "Expression expected",
                  "1:12"},
        ErrorCase{"PascalReportExpressionUnclosed",
                  kPascal,
                  {"begin s := [abc end."},
                  "']' expected",
                  "1:20"},
        ErrorCase{"PascalTryWithoutHandler",
                  kPascal,
                  {"begin try a := 1 end end."},
                  "'FINALLY' or 'EXCEPT' expected",
                  "1:18"},
        ErrorCase{"CppMissingSemicolon", kCpp, {"{ x = 1 }"}, "';' expected", "1:9"},
        // "IF" is not the keyword if: it reads as a call of IF(x), then y.
        ErrorCase{"CppKeywordCase", kCpp, {"{ IF (x) y = 1; }"}, "';' expected", "1:10"},
        ErrorCase{"CppNoBlock", kCpp, {"int x;"}, "'{' expected", "1:6"},
        ErrorCase{"CppDefineNeedsKeyword", kCpp, {"#defin x 1", "{}"}, "'DEFINE' expected", "1:2"},
        ErrorCase{
            "BasicTwoStatementsOnALine", kBasic, {"x = 1 y = 2"}, "End of line expected", "1:7"},
        ErrorCase{"BasicIfWithoutEnd", kBasic, {"if x then", "  y = 1"}, "'END' expected", "2:7"},
        ErrorCase{
            "BasicEndWithoutIf", kBasic, {"if x then", "  y = 1", "end"}, "'IF' expected", "3:3"},
        ErrorCase{
            "BasicForWithoutNext", kBasic, {"for i = 1 to 2", "  y = 1"}, "'NEXT' expected", "2:7"},
        ErrorCase{
            "BasicStringToLineEnd", kBasic, {"x = \"abc", "y = 1"}, "Expression expected", "1:5"},
        ErrorCase{"JScriptMissingParen", kJScript, {"if x) y = 1;"}, "'(' expected", "1:4"},
        ErrorCase{"JScriptBlockUnclosed", kJScript, {"{ x = 1;"}, "'}' expected", "1:8"},
        ErrorCase{"JScriptDoWithoutWhile",
                  kJScript,
                  {"do x = 1; until (x);"},
                  "'WHILE' expected",
                  "1:11"}),
    [](const ::testing::TestParamInfo<ErrorCase> &info) { return std::string(info.param.name); });

// Scripts that must pass, with what the tree must then hold.
struct PassCase
{
    const char *name;
    QString language;
    QStringList lines;
    const char *treeContains;   // an excerpt of the tree's XML
};

void PrintTo(const PassCase &c, std::ostream *os)
{
    *os << c.name;
}

class ValidScripts : public ::testing::TestWithParam<PassCase>
{ };

TEST_P(ValidScripts, Parse)
{
    const PassCase &c = GetParam();
    const Outcome out = analyse(c.language, c.lines);
    EXPECT_TRUE(out.ok) << out.message.toStdString() << " at " << out.pos.toStdString();
    EXPECT_TRUE(out.message.isEmpty());
    EXPECT_TRUE(out.pos.isEmpty());
    EXPECT_TRUE(out.tree.contains(QString::fromUtf8(c.treeContains))) << out.tree.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Stage1, ValidScripts,
    ::testing::Values(
        // The selector loop's failed last iteration (at else) is discarded: skip="1".
        PassCase{"PascalCaseSemicolonElse",
                 kPascal,
                 {"begin case x of 1: a := 1; 2: a := 2; else a := 3; end end."},
                 "</caseselector>\n      <assignstmt pos=\"1:44\">"},
        // The failing identifier at begin carries term="1": it only ends the loop.
        PassCase{"PascalVarSectionThenBegin",
                 kPascal,
                 {"var a: Integer;", "begin end."},
                 "<var pos=\"1:5\">"},
        PassCase{"PascalTrailingTextIgnored",
                 kPascal,
                 {"begin end. this is never read ;;;"},
                 "<compoundstmt pos=\"1:1\"/>"},
        // The statement loop stops at "@" and the rest is not examined.
        PassCase{"JScriptStopsAtUnknownCharacter",
                 kJScript,
                 {"x = 1; @ y = 2;"},
                 "<number text=\"1\" pos=\"1:6\"/>\n      </expr>\n    </assignstmt>\n  "
                 "</compoundstmt>\n  <types/>"},
        // "#language" on the first line switches the language of the rest.
        PassCase{"LanguageDirective",
                 kPascal,
                 {"#language BasicScript", "x = 1"},
                 "<assignstmt pos=\"2:1\">"},
        PassCase{"LanguageDirectiveIgnoresCase",
                 kBasic,
                 {"  #LANGUAGE  pascalscript  ", "begin end."},
                 "<compoundstmt pos=\"2:1\"/>"},
        PassCase{"CppIfIsAnIdentifier", kCpp, {"{ If = 1; }"}, "<node text=\"If\" pos=\"1:5\"/>"},
        PassCase{"BasicRemOnlyAsAWord",
                 kBasic,
                 {"removeAll()", "rem note", "remainder = 1"},
                 "<node text=\"remainder\""},
        PassCase{"BasicTrailingCommentKeepsTheLineEnd",
                 kBasic,
                 {"x = 1 ' note", "y = 2 rem more", "z = 3"},
                 "<node text=\"z\""},
        PassCase{
            "BasicContinuation", kBasic, {"x = 1 + _", "  2"}, "<number text=\"2\" pos=\"2:4\"/>"},
        // An expression that stops after an operator keeps the operator leaf:
        // the second stage ignores a trailing operator.
        PassCase{"TrailingOperatorLeafStays",
                 kPascal,
                 {"begin x := a < b < ; end."},
                 "<op text=\"&#60;\" pos=\"1:19\"/>\n      </expr>"},
        PassCase{
            "ReportExpressionIsAGetCall",
            kJScript,
            {"x = <a[1]>;"},
            "<dsgn pos=\"1:10\">\n          <node text=\"Get\" pos=\"1:10\"/>\n          <expr "
            "pos=\"1:10\" pos1=\"1:10\">\n            <string text=\"'a[1]'\" pos=\"1:10\"/>"},
        PassCase{"CppTypesGoWithTheTree", kCpp, {"{}"}, "<types>\n    <int type=\"integer\"/>"}),
    [](const ::testing::TestParamInfo<PassCase> &info) { return std::string(info.param.name); });

TEST(Analyser, UnknownLanguageInDirective)
{
    const Outcome out = analyse(kPascal, {"#language Foo", "begin end."});
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, QStringLiteral("Language 'Foo' not found"));
    EXPECT_EQ(out.pos, QStringLiteral("1:1"));
}

TEST(Analyser, EmptyBasicScriptHasNoTreeAndNoMessage)
{
    const Outcome out = analyse(kBasic, {});
    EXPECT_FALSE(out.ok);
    EXPECT_TRUE(out.message.isEmpty());
}

TEST(Analyser, DeepNestingIsAnErrorNotACrash)
{
    const QString deep = QString(100000, u'(') + u'1' + QString(100000, u')');
    for (const QString &language : {kPascal, kJScript}) {
        const QStringList lines = language == kPascal
            ? QStringList{QStringLiteral("begin x := ") + deep + QStringLiteral(" end.")}
            : QStringList{QStringLiteral("x = ") + deep + u';'};
        const Outcome out = analyse(language, lines);
        EXPECT_FALSE(out.ok);
        EXPECT_EQ(out.message, QStringLiteral("Program nesting too deep"))
            << language.toStdString();
    }
    // Within the limit the same shape parses.
    const QString shallow = QString(50, u'(') + u'1' + QString(50, u')');
    EXPECT_TRUE(
        analyse(kPascal, {QStringLiteral("begin x := ") + shallow + QStringLiteral(" end.")}).ok);
}

TEST(Analyser, NestingLimitCountsInsideUnits)
{
    // A lowered limit reaches the edge without huge inputs.
    const QHash<QString, QString> units{{"u.js", "x = ((((1))));"}};
    EXPECT_TRUE(analyse(kJScript, {"import \"u.js\";"}, units, 200).ok);
    const Outcome out = analyse(kJScript, {"import \"u.js\";"}, units, 40);
    EXPECT_EQ(out.message, QStringLiteral("Program nesting too deep"));
    EXPECT_EQ(out.unit, QStringLiteral("u.js"));
}

TEST(Analyser, UnitsAreIncludedOnceInReverseOrder)
{
    const QHash<QString, QString> units{
        {"a.pas", "uses 'b.pas';\nbegin end."},
        {"b.pas", "uses 'a.pas';\nbegin end."},
        {"c.pas", "begin end."},
    };
    const Outcome out = analyse(kPascal, {"uses 'a.pas', 'c.pas';", "begin end."}, units);
    ASSERT_TRUE(out.ok) << out.message.toStdString();
    const qsizetype c = out.tree.indexOf(QLatin1String("<uses unit=\"c.pas\""));
    const qsizetype a = out.tree.indexOf(QLatin1String("<uses unit=\"a.pas\""));
    const qsizetype b = out.tree.indexOf(QLatin1String("<uses unit=\"b.pas\""));
    EXPECT_TRUE(c >= 0 && a > c && b > a) << out.tree.toStdString();
    EXPECT_EQ(out.tree.count(QLatin1String("<uses unit=\"a.pas\"")), 1);
    EXPECT_EQ(out.tree.count(QLatin1String("<uses ")), 3);
}

TEST(Analyser, ErrorInAUnitNamesTheUnit)
{
    const QHash<QString, QString> units{{"bad.vb", "x = 1\ny = = 2\n"}};
    const Outcome out = analyse(kBasic, {"imports \"bad.vb\"", "z = 1"}, units);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, QStringLiteral("Expression expected"));
    EXPECT_EQ(out.pos, QStringLiteral("2:5"));
    EXPECT_EQ(out.unit, QStringLiteral("bad.vb"));
}

TEST(Analyser, ErrorInANestedUnitNamesTheInnermostUnit)
{
    const QHash<QString, QString> units{{"outer.js", "import \"inner.js\";\nx = 1;"},
                                        {"inner.js", "\n\nif (x y = 1;"}};
    const Outcome out = analyse(kJScript, {"import \"outer.js\";"}, units);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, QStringLiteral("')' expected"));
    EXPECT_EQ(out.pos, QStringLiteral("3:7"));
    EXPECT_EQ(out.unit, QStringLiteral("inner.js"));
}

TEST(Analyser, HighCharactersInIdentifiersNeedTheOption)
{
    registerStandardLanguages();
    const QByteArray script = joinScriptLines({QStringLiteral("begin Größe := 1 end.")});
    TkxILParser plain;
    plain.selectLanguage(kPascal);
    EXPECT_FALSE(plain.makeProgramTree(script));
    EXPECT_EQ(plain.errorMessage(), QStringLiteral("';' expected"));

    TkxILParser report;
    report.setHighCharacters(true);
    report.selectLanguage(kPascal);
    ASSERT_TRUE(report.makeProgramTree(script)) << report.errorMessage().toStdString();
    EXPECT_TRUE(report.programTree().toXml().contains(QStringLiteral("<node text=\"Größe\"")));
}

TEST(Analyser, MissingUnitFileIsACompileError)
{
    registerStandardLanguages();
    TkxILParser parser;
    parser.setUnitFolder(QDir::tempPath() + QStringLiteral("/no-such-folder-for-units"));
    parser.selectLanguage(kCpp);
    EXPECT_FALSE(parser.makeProgramTree(joinScriptLines({"#include \"nope.cpp\"", "{}"})));
    EXPECT_EQ(parser.errorMessage(), QStringLiteral("Unit 'nope.cpp' not found"));
    EXPECT_EQ(parser.errorPos(), QStringLiteral("1:1"));
    EXPECT_TRUE(parser.errorUnit().isEmpty());
}

TEST(Analyser, UndefinedRuleIsAnInvalidLanguage)
{
    registerLanguage(
        QStringLiteral("@AnalyserBroken"),
        QStringLiteral(
            R"(<?xml version="1.0"?><language text="x"><program><ident/><nosuchrule/></program></language>)"));
    TkxILParser parser;
    parser.selectLanguage(QStringLiteral("@AnalyserBroken"));
    EXPECT_FALSE(parser.makeProgramTree(QByteArray("a b")));
    EXPECT_EQ(parser.errorMessage(), QStringLiteral("Invalid language definition"));
    // Until the reference is reached the grammar works.
    EXPECT_FALSE(parser.makeProgramTree(QByteArray("1")));
    EXPECT_TRUE(parser.errorMessage().isEmpty());
}

TEST(Analyser, SelectLanguageAppliesTheGrammarSettings)
{
    registerStandardLanguages();
    TkxILParser parser;
    EXPECT_THROW(parser.selectLanguage(QStringLiteral("Foo")), pgx::Error);
    parser.selectLanguage(kCpp);
    EXPECT_TRUE(parser.declarationsRequired());
    EXPECT_TRUE(parser.tokenizer().caseSensitive());
    parser.selectLanguage(kPascal);
    EXPECT_FALSE(parser.declarationsRequired());
    EXPECT_FALSE(parser.tokenizer().caseSensitive());
}

TEST(Analyser, JoinedLinesEndWithCrLf)
{
    EXPECT_EQ(joinScriptLines({"a", "", "b"}), QByteArray("a\r\n\r\nb\r\n"));
    EXPECT_EQ(normalizeScriptText(QStringLiteral("a\nb\r\nc\rd\n")),
              QByteArray("a\r\nb\r\nc\r\nd\r\n"));
    EXPECT_TRUE(normalizeScriptText(QString()).isEmpty());
}

// One script per language that uses every statement form, with two units
// beside it read from disk; the tree is kept as a golden file. Run with
// PGX_UPDATE_GOLDEN=1 to rewrite the golden files after a deliberate change.
class GoldenTrees : public ::testing::TestWithParam<QString>
{ };

TEST_P(GoldenTrees, MatchTheKeptTree)
{
    const QString dir = QStringLiteral(PGX_TEST_DATA "/script/front");
    const QString script = dir + QStringLiteral("/all_statements.") + GetParam();
    const QString golden = script + QStringLiteral(".tree");
    QFile source(script);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly)) << script.toStdString();

    registerStandardLanguages();
    TkxILParser parser;
    parser.setUnitFolder(dir);
    parser.selectLanguage(languageForFile(script));
    ASSERT_TRUE(parser.makeProgramTree(normalizeScriptText(QString::fromUtf8(source.readAll()))))
        << parser.errorMessage().toStdString() << " at " << parser.errorPos().toStdString();
    const QString tree = parser.programTree().toXml();

    EXPECT_TRUE(pgx::test::matchesGoldenFile(tree, golden));

    // A stored tree reads back into the same tree.
    ProgramTree reread;
    ASSERT_TRUE(ProgramTree::fromXml(tree, reread));
    EXPECT_EQ(reread.toXml(), tree);
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, GoldenTrees, ::testing::ValuesIn(scriptFileSuffixes()),
                         [](const auto &info) { return info.param.toStdString(); });

TEST(ProgramTreeXml, RejectsMalformedText)
{
    ProgramTree tree;
    QString error;
    EXPECT_FALSE(ProgramTree::fromXml(QStringLiteral("<program></program>"), tree, &error));
    EXPECT_EQ(error, QStringLiteral("Invalid file format"));
    EXPECT_FALSE(ProgramTree::fromXml(QStringLiteral("<?xml?><program><a></b></program>"), tree));
    EXPECT_FALSE(ProgramTree::fromXml(QStringLiteral("<?xml?><program><a <b/></program>"), tree));
    EXPECT_FALSE(ProgramTree::fromXml(QStringLiteral("<?xml?><program><a>"), tree));
    // Depth is bounded.
    QString deep = QStringLiteral("<?xml?>");
    for (int i = 0; i < 100000; ++i)
        deep += QStringLiteral("<a>");
    EXPECT_FALSE(ProgramTree::fromXml(deep, tree));
    // Closing tags compare without regard to case; entities decode.
    ASSERT_TRUE(ProgramTree::fromXml(
        QStringLiteral(
            "<?xml version=\"1.0\"?><Program><op text=\"&#60;&quot;\" pos=\"2:3\"/></PROGRAM>"),
        tree));
    EXPECT_EQ(tree.root()->child(0)->text(), QStringLiteral("<\""));
    EXPECT_EQ(tree.root()->child(0)->pos(), (TextPos{2, 3}));
}

TEST(ProgramTreeNodes, CloneTakeAndFindKeepParentsRight)
{
    // The second stage rewrites trees (a return becomes an assignment to
    // Result) and keeps copies of designator nodes for late building.
    const Outcome out = analyse(kJScript, {"return a.b;"});
    ASSERT_TRUE(out.ok);
    ProgramTree tree;
    ASSERT_TRUE(ProgramTree::fromXml(QStringLiteral("<?xml version=\"1.0\"?>") + out.tree, tree));
    ProgramNode *ret = tree.root()->findChild(u"COMPOUNDSTMT")->findChild(u"return");
    ASSERT_NE(ret, nullptr);
    std::unique_ptr<ProgramNode> copy = ret->clone();
    EXPECT_EQ(ProgramTree::nodeToXml(*copy), ProgramTree::nodeToXml(*ret));
    EXPECT_EQ(copy->child(0)->parent(), copy.get());

    std::unique_ptr<ProgramNode> expr = ret->takeChild(0);
    EXPECT_EQ(expr->parent(), nullptr);
    EXPECT_EQ(ret->childCount(), 0);
    auto result = std::make_unique<ProgramNode>(QStringLiteral("dsgn"));
    ret->appendChild(std::move(result));
    ret->insertChild(1, std::move(expr));
    EXPECT_EQ(ret->child(1)->name(), QStringLiteral("expr"));
    EXPECT_EQ(ret->child(1)->parent(), ret);
    EXPECT_EQ(ret->findChild(u"nothing"), nullptr);
}

}   // namespace
}   // namespace pgx::script
