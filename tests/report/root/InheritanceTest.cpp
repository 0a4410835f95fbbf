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
        ASSERT_TRUE(m_dir.isValid());
        TpgxReport base;
        pgx::buildNewReport(base);
        base.setScriptLanguage(QStringLiteral("JScript"));
        base.saveToFile(m_dir.filePath(QStringLiteral("base.pgr")));
    }
    QTemporaryDir m_dir;
    RecordingPrompts m_prompts;
    pgx::ScopedUserPrompts m_scope{m_prompts};
};

TEST_F(Inheritance, ParentObjectsComeFromTheAncestorAndOnlyDifferencesAreWritten)
{
    TpgxReport child;
    child.setFileName(m_dir.filePath(QStringLiteral("child.pgr")));
    child.setParentReport(QStringLiteral("base.pgr"));
    ASSERT_TRUE(child.ancestor());
    TpgxComponent *title = child.findObject(QStringLiteral("ReportTitle1"));
    ASSERT_TRUE(title);
    EXPECT_TRUE(title->fromAncestor());
    EXPECT_EQ(child.scriptLanguage(), QStringLiteral("JScript"));
    title->setHeight(99);
    auto *own = new TpgxReportComponent(title);
    own->setName(QStringLiteral("Own1"));

    const QString path = m_dir.filePath(QStringLiteral("child.pgr"));
    child.saveToFile(path);
    const QByteArray saved = readFile(path);
    EXPECT_TRUE(saved.contains("ParentReport=\"base.pgr\""));
    EXPECT_TRUE(saved.contains("<inherited Name=\"ReportTitle1\" Height=\"99\">"))
        << saved.constData();
    EXPECT_TRUE(saved.contains("<TpgxReportComponent Name=\"Own1\""));
    EXPECT_FALSE(saved.contains("ScriptLanguage"));

    TpgxReport loaded;
    EXPECT_TRUE(loaded.loadFromFile(path));
    EXPECT_TRUE(loaded.errors().isEmpty()) << qPrintable(loaded.errors().join(QLatin1Char('\n')));
    EXPECT_DOUBLE_EQ(loaded.findObject(QStringLiteral("ReportTitle1"))->height(), 99);
    EXPECT_TRUE(loaded.findObject(QStringLiteral("Own1")));
    EXPECT_FALSE(loaded.findObject(QStringLiteral("Own1"))->fromAncestor());
    EXPECT_EQ(loaded.scriptLanguage(), QStringLiteral("JScript"));
    QBuffer again;
    again.open(QIODevice::WriteOnly);
    loaded.saveToStream(&again);
    EXPECT_EQ(again.data(), saved);

    // Detaching keeps the objects as the report's own.
    loaded.setParentReport(QString());
    EXPECT_FALSE(loaded.findObject(QStringLiteral("ReportTitle1"))->fromAncestor());
    EXPECT_FALSE(loaded.ancestor());
}

TEST_F(Inheritance, ParentNamesResolveAbsoluteThenBesideTheReportThenTemplateFolder)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("sub"));
    QDir(m_dir.path()).mkdir(QStringLiteral("templates"));
    QFile::copy(m_dir.filePath(QStringLiteral("base.pgr")),
                m_dir.filePath(QStringLiteral("templates/shared.pgr")));
    TpgxReport::setTemplateFolder(m_dir.filePath(QStringLiteral("templates")));
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
        const QString path = m_dir.filePath(QStringLiteral("sub/child.pgr"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TpgxReport ParentReport=\""
                + QByteArray(c.parent) + "\"/>");
        f.close();
        TpgxReport report;
        report.engineOptions()->newSilentMode = TpgxEngineOptions::simSilent;
        report.loadFromFile(path);
        EXPECT_EQ(report.findObject(QStringLiteral("MasterData1")) != nullptr, c.found);
        EXPECT_EQ(report.errors().isEmpty(), c.found);
    }
    TpgxReport absolute;
    absolute.setParentReport(m_dir.filePath(QStringLiteral("base.pgr")));
    EXPECT_TRUE(absolute.findObject(QStringLiteral("MasterData1")));
    TpgxReport::setTemplateFolder(QString());
}

TEST_F(Inheritance, ATemplateThatInheritsFromItselfEnds)
{
    const QString path = m_dir.filePath(QStringLiteral("loop.pgr"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TpgxReport ParentReport=\"loop.pgr\"/>");
    f.close();
    TpgxReport report;
    report.engineOptions()->newSilentMode = TpgxEngineOptions::simSilent;
    report.loadFromFile(path);
    EXPECT_TRUE(report.errors()
                    .join(QLatin1Char('\n'))
                    .contains(QLatin1String("nested more than 16 levels")));
}

TEST_F(Inheritance, InheritFromAskAboutDuplicatesAndCanBeCancelled)
{
    TpgxReport::setTemplateFolder(m_dir.path());
    const QString base = m_dir.filePath(QStringLiteral("base.pgr"));
    const auto makeReport = [](TpgxReport &r) {
        pgx::buildBlankReport(r);
        auto *title = new TpgxReportComponent(r.findObject(QStringLiteral("Page1")));
        title->setName(QStringLiteral("MasterData1"));   // clashes with the template
        auto *mine = new TpgxReportComponent(r.findObject(QStringLiteral("Page1")));
        mine->setName(QStringLiteral("Mine1"));
        r.setScriptText({QStringLiteral("// mine")});
    };
    QStringList asked;
    {
        TpgxReport r;
        makeReport(r);
        EXPECT_FALSE(r.inheritFrom(base, [&](const QStringList &names) {
            asked = names;
            return TpgxReport::InheritConflict::Cancel;
        }));
        EXPECT_EQ(asked, QStringList{QStringLiteral("MasterData1")});
        EXPECT_TRUE(r.parentReport().isEmpty());
        EXPECT_TRUE(r.findObject(QStringLiteral("Mine1")));
        EXPECT_FALSE(r.findObject(QStringLiteral("ReportTitle1")));
    }
    for (auto answer : {TpgxReport::InheritConflict::DeleteDuplicates,
                        TpgxReport::InheritConflict::RenameDuplicates}) {
        TpgxReport r;
        makeReport(r);
        EXPECT_TRUE(r.inheritFrom(base, [&](const QStringList &) { return answer; }));
        EXPECT_EQ(r.parentReport(), QStringLiteral("base.pgr"));
        EXPECT_TRUE(r.findObject(QStringLiteral("ReportTitle1"))->fromAncestor());
        EXPECT_TRUE(r.findObject(QStringLiteral("Mine1")));
        EXPECT_FALSE(r.findObject(QStringLiteral("Mine1"))->fromAncestor());
        EXPECT_EQ(r.findObject(QStringLiteral("ReportComponent1")) != nullptr,
                  answer == TpgxReport::InheritConflict::RenameDuplicates);
        EXPECT_EQ(r.scriptText(), QStringList{QStringLiteral("// mine")});
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        r.saveToStream(&out);
        TpgxReport back;
        back.setFileName(m_dir.filePath(QStringLiteral("x.pgr")));
        loadReport(back, out.data());
        EXPECT_TRUE(back.errors().isEmpty()) << qPrintable(back.errors().join(QLatin1Char('\n')));
        EXPECT_TRUE(back.findObject(QStringLiteral("Mine1")));
    }
    TpgxReport::setTemplateFolder(QString());
}

}   // namespace
