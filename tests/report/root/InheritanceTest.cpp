// Inherited reports: the parent template's objects, the difference form on
// saving, where parent templates are found, and conflicts.

#include "RootTestSupport.h"

#include "report/root/NewReport.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

using namespace pgx::test;

namespace {

class Inheritance : public ::testing::Test
{
protected:
    void SetUp() override
    {
        registerClasses();
        ASSERT_TRUE(dir.isValid());
        TpgxReport base;
        pgx::BuildNewReport(base);
        base.SetScriptLanguage(QStringLiteral("JScript"));
        base.SaveToFile(dir.filePath(QStringLiteral("base.pgr")));
    }
    QTemporaryDir dir;
    RecordingPrompts prompts;
    pgx::ScopedUserPrompts scope{prompts};
};

TEST_F(Inheritance, ParentObjectsComeFromTheAncestorAndOnlyDifferencesAreWritten)
{
    TpgxReport child;
    child.SetFileName(dir.filePath(QStringLiteral("child.pgr")));
    child.SetParentReport(QStringLiteral("base.pgr"));
    ASSERT_TRUE(child.Ancestor());
    TpgxComponent *title = child.FindObject(QStringLiteral("ReportTitle1"));
    ASSERT_TRUE(title);
    EXPECT_TRUE(title->FromAncestor());
    EXPECT_EQ(child.ScriptLanguage(), QStringLiteral("JScript"));
    title->SetHeight(99);
    auto *own = new TpgxReportComponent(title);
    own->SetName(QStringLiteral("Own1"));

    const QString path = dir.filePath(QStringLiteral("child.pgr"));
    child.SaveToFile(path);
    const QByteArray saved = readFile(path);
    EXPECT_TRUE(saved.contains("ParentReport=\"base.pgr\""));
    EXPECT_TRUE(saved.contains("<inherited Name=\"ReportTitle1\" Height=\"99\">"))
        << saved.constData();
    EXPECT_TRUE(saved.contains("<TpgxReportComponent Name=\"Own1\""));
    EXPECT_FALSE(saved.contains("ScriptLanguage"));

    TpgxReport loaded;
    EXPECT_TRUE(loaded.LoadFromFile(path));
    EXPECT_TRUE(loaded.Errors().isEmpty()) << qPrintable(loaded.Errors().join(QLatin1Char('\n')));
    EXPECT_DOUBLE_EQ(loaded.FindObject(QStringLiteral("ReportTitle1"))->Height(), 99);
    EXPECT_TRUE(loaded.FindObject(QStringLiteral("Own1")));
    EXPECT_FALSE(loaded.FindObject(QStringLiteral("Own1"))->FromAncestor());
    EXPECT_EQ(loaded.ScriptLanguage(), QStringLiteral("JScript"));
    QBuffer again;
    again.open(QIODevice::WriteOnly);
    loaded.SaveToStream(&again);
    EXPECT_EQ(again.data(), saved);

    // Detaching keeps the objects as the report's own.
    loaded.SetParentReport(QString());
    EXPECT_FALSE(loaded.FindObject(QStringLiteral("ReportTitle1"))->FromAncestor());
    EXPECT_FALSE(loaded.Ancestor());
}

TEST_F(Inheritance, ParentNamesResolveAbsoluteThenBesideTheReportThenTemplateFolder)
{
    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    QDir(dir.path()).mkdir(QStringLiteral("templates"));
    QFile::copy(dir.filePath(QStringLiteral("base.pgr")),
                dir.filePath(QStringLiteral("templates/shared.pgr")));
    TpgxReport::SetTemplateFolder(dir.filePath(QStringLiteral("templates")));
    const struct
    {
        const char *parent;
        bool found;
    } cases[] = {
        {"shared.pgr", true},    // template folder
        {"../base.pgr", true},   // beside the report
        {"base.pgr", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.parent);
        const QString path = dir.filePath(QStringLiteral("sub/child.pgr"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TpgxReport ParentReport=\""
                + QByteArray(c.parent) + "\"/>");
        f.close();
        TpgxReport report;
        report.EngineOptions()->NewSilentMode = TpgxEngineOptions::simSilent;
        report.LoadFromFile(path);
        EXPECT_EQ(report.FindObject(QStringLiteral("MasterData1")) != nullptr, c.found);
        EXPECT_EQ(report.Errors().isEmpty(), c.found);
    }
    TpgxReport absolute;
    absolute.SetParentReport(dir.filePath(QStringLiteral("base.pgr")));
    EXPECT_TRUE(absolute.FindObject(QStringLiteral("MasterData1")));
    TpgxReport::SetTemplateFolder(QString());
}

TEST_F(Inheritance, ATemplateThatInheritsFromItselfEnds)
{
    const QString path = dir.filePath(QStringLiteral("loop.pgr"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TpgxReport ParentReport=\"loop.pgr\"/>");
    f.close();
    TpgxReport report;
    report.EngineOptions()->NewSilentMode = TpgxEngineOptions::simSilent;
    report.LoadFromFile(path);
    EXPECT_TRUE(report.Errors()
                    .join(QLatin1Char('\n'))
                    .contains(QLatin1String("nested more than 16 levels")));
}

TEST_F(Inheritance, InheritFromAskAboutDuplicatesAndCanBeCancelled)
{
    TpgxReport::SetTemplateFolder(dir.path());
    const QString base = dir.filePath(QStringLiteral("base.pgr"));
    const auto makeReport = [](TpgxReport &r) {
        pgx::BuildBlankReport(r);
        auto *title = new TpgxReportComponent(r.FindObject(QStringLiteral("Page1")));
        title->SetName(QStringLiteral("MasterData1"));   // clashes with the template
        auto *mine = new TpgxReportComponent(r.FindObject(QStringLiteral("Page1")));
        mine->SetName(QStringLiteral("Mine1"));
        r.SetScriptText({QStringLiteral("// mine")});
    };
    QStringList asked;
    {
        TpgxReport r;
        makeReport(r);
        EXPECT_FALSE(r.InheritFrom(base, [&](const QStringList &names) {
            asked = names;
            return TpgxReport::InheritConflict::Cancel;
        }));
        EXPECT_EQ(asked, QStringList{QStringLiteral("MasterData1")});
        EXPECT_TRUE(r.ParentReport().isEmpty());
        EXPECT_TRUE(r.FindObject(QStringLiteral("Mine1")));
        EXPECT_FALSE(r.FindObject(QStringLiteral("ReportTitle1")));
    }
    for (auto answer : {TpgxReport::InheritConflict::DeleteDuplicates,
                        TpgxReport::InheritConflict::RenameDuplicates}) {
        TpgxReport r;
        makeReport(r);
        EXPECT_TRUE(r.InheritFrom(base, [&](const QStringList &) { return answer; }));
        EXPECT_EQ(r.ParentReport(), QStringLiteral("base.pgr"));
        EXPECT_TRUE(r.FindObject(QStringLiteral("ReportTitle1"))->FromAncestor());
        EXPECT_TRUE(r.FindObject(QStringLiteral("Mine1")));
        EXPECT_FALSE(r.FindObject(QStringLiteral("Mine1"))->FromAncestor());
        EXPECT_EQ(r.FindObject(QStringLiteral("ReportComponent1")) != nullptr,
                  answer == TpgxReport::InheritConflict::RenameDuplicates);
        EXPECT_EQ(r.ScriptText(), QStringList{QStringLiteral("// mine")});
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        r.SaveToStream(&out);
        TpgxReport back;
        back.SetFileName(dir.filePath(QStringLiteral("x.pgr")));
        loadReport(back, out.data());
        EXPECT_TRUE(back.Errors().isEmpty()) << qPrintable(back.Errors().join(QLatin1Char('\n')));
        EXPECT_TRUE(back.FindObject(QStringLiteral("Mine1")));
    }
    TpgxReport::SetTemplateFolder(QString());
}

}   // namespace
