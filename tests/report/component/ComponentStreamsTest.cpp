// TpgxComponent's stream members over the serializer, with the real classes.

#include "report/pages/TpgxDataPage.h"
#include "report/pages/TpgxPage.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include <gtest/gtest.h>

#include <QtCore/QBuffer>
#include <QtCore/QTemporaryDir>

namespace {

QByteArray saved(TpgxComponent &component, bool children = true)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    component.saveToStream(&buffer, children);
    return buffer.data();
}

class ComponentStreams : public ::testing::Test
{
protected:
    void SetUp() override { pgx::registerReportClasses(); }
};

TEST_F(ComponentStreams, NewReportSavesInTheTemplateShape)
{
    TpgxReport report;
    auto *page = new TpgxPage(&report);
    page->setName(QStringLiteral("Page1"));
    const QByteArray text = saved(report);
    const QList<QByteArray> lines = text.split('\n');
    ASSERT_EQ(lines.size(), 5) << text.constData();
    EXPECT_EQ(lines[0], "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r");
    EXPECT_TRUE(lines[1].startsWith("<TpgxReport Version=\"4.2.16\" ")) << lines[1].constData();
    EXPECT_TRUE(lines[1].contains(" ScriptText.Text=\"begin&#13;&#10;&#13;&#10;end.\""))
        << lines[1].constData();
    EXPECT_TRUE(lines[2].startsWith("  <TpgxPage Name=\"Page1\"")) << lines[2].constData();
    EXPECT_EQ(lines[3], "</TpgxReport>\r");
}

TEST_F(ComponentStreams, SaveLoadSaveIsByteIdentical)
{
    TpgxReport report;
    // Loading adds a data page to a report without one.
    (new TpgxDataPage(&report))->setName(QStringLiteral("Data"));
    auto *page = new TpgxPage(&report);
    page->setName(QStringLiteral("Page1"));
    page->setVisible(false);
    report.setScriptLanguage(QStringLiteral("JScript"));
    report.reportOptions()->setProperty("Author", QStringLiteral("A. \"Quote\" <Author>"));
    const QByteArray first = saved(report);

    TpgxReport copy;
    QBuffer buffer;
    buffer.setData(first);
    buffer.open(QIODevice::ReadOnly);
    copy.loadFromStream(&buffer);
    EXPECT_TRUE(copy.errors().isEmpty()) << copy.errors().join(';').toStdString();
    EXPECT_EQ(saved(copy), first);
    auto *loadedPage = qobject_cast<TpgxPage *>(copy.findObject(QStringLiteral("Page1")));
    ASSERT_NE(loadedPage, nullptr);
    EXPECT_FALSE(loadedPage->visible());
    EXPECT_EQ(loadedPage->parentComponent(), &copy);
}

TEST_F(ComponentStreams, AssignCopiesPropertiesAndAssignTreeChildren)
{
    TpgxReport report;
    auto *source = new TpgxPage(&report);
    source->setName(QStringLiteral("Source"));
    source->setVisible(false);
    auto *child = new TpgxReportComponent(source);
    child->setName(QStringLiteral("Child"));

    TpgxReport other;
    auto *target = new TpgxPage(&other);
    target->setName(QStringLiteral("Target"));
    new TpgxReportComponent(target);
    target->assign(source);
    EXPECT_EQ(target->name(), QStringLiteral("Target"));
    EXPECT_FALSE(target->visible());
    EXPECT_TRUE(target->objects().isEmpty());

    target->assignTree(source);
    ASSERT_EQ(target->objects().size(), 1);
    EXPECT_EQ(target->objects()[0]->name(), QStringLiteral("Child"));
    EXPECT_TRUE(other.errors().isEmpty()) << other.errors().join(';').toStdString();
}

TEST_F(ComponentStreams, LoadFromFileReportsFaultsInErrors)
{
    QTemporaryDir dir;
    const QString unknown = dir.filePath(QStringLiteral("unknown.pgr"));
    const QString broken = dir.filePath(QStringLiteral("broken.pgr"));
    auto write = [](const QString &path, const QByteArray &text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write(unknown,
          "<?xml version=\"1.0\"?>\r\n<TpgxReport>\r\n  <TUnknownThing "
          "Name=\"X1\"/>\r\n</TpgxReport>\r\n");
    write(broken, "<TpgxReport></TpgxReport>");

    TpgxReport report;
    EXPECT_TRUE(report.loadFromFile(unknown));
    EXPECT_EQ(report.errors(), QStringList{QStringLiteral("Cannot find class TUnknownThing")});
    EXPECT_TRUE(report.loadFromFile(broken));
    EXPECT_EQ(report.errors(), QStringList{QStringLiteral("Invalid file format")});
}

}   // namespace
