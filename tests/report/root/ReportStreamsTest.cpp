// Loading and saving a report: the shape of a new template, save-load-save
// for every template the project ships, the steps around the serializer
// (data page, kept options, password) and broken input.

#include "RootTestSupport.h"

#include "platform/Error.h"
#include "report/data/TpgxDataSet.h"
#include "report/root/NewReport.h"
#include "report/root/PasswordScrambling.h"

#include <gtest/gtest.h>

#include <QtCore/QDirIterator>
#include <QtCore/QTemporaryDir>

using namespace pgx::test;

namespace {

const QByteArray kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";

const QByteArray kNewReportRoot
    = "<TpgxReport Version=\"4.2.16\" DotMatrixReport=\"False\" IniFile=\"\\Software\\Velmora\" "
      "PreviewOptions.Buttons=\"4095\" PreviewOptions.Zoom=\"1\" PrintOptions.Printer=\"Default\" "
      "PrintOptions.PrintOnSheet=\"0\" ReportOptions.CreateDate=\"39233.6753560764\" "
      "ReportOptions.Description.Text=\"\" ReportOptions.LastChange=\"39233.6753560764\" "
      "ScriptLanguage=\"PascalScript\" ScriptText.Text=\"begin&#13;&#10;&#13;&#10;end.\" "
      "PropData=\"0844617461736574730100095661726961626C65730100055374796C650100\">";

class ReportStreams : public ::testing::Test
{
protected:
    void SetUp() override { registerClasses(); }
    RecordingPrompts m_prompts;
    pgx::ScopedUserPrompts m_scope{m_prompts};
};

TEST_F(ReportStreams, NewReportSavesInTheTemplateShape)
{
    TpgxReport report;
    pgx::buildBlankReport(report);
    fixDates(report);
    const QList<QByteArray> lines = saveReport(report).split('\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r");
    EXPECT_EQ(lines[1], kNewReportRoot + '\r');
    EXPECT_EQ(
        lines[2],
        "  <TpgxDataPage Name=\"Data\" Height=\"1000\" Left=\"0\" Top=\"0\" Width=\"1000\"/>\r");
    EXPECT_TRUE(lines[3].startsWith("  <TpgxReportPage Name=\"Page1\"")) << lines[3].constData();
}

TEST_F(ReportStreams, HostPositionGoesIntoPropDataAndStaysAcrossALoad)
{
    TpgxReport report;
    report.setDesignPosition({40, 152});
    const QByteArray saved = saveReport(report);
    EXPECT_TRUE(saved.contains(
        "PropData=\"044C656674022803546F700398000844617461736574730100095661726961626C"
        "65730100055374796C650100\""));
    TpgxReport other;
    other.setDesignPosition({7, 9});
    loadReport(other, saved);
    EXPECT_EQ(other.designPosition(), QPoint(7, 9));
}

// Every template of the project loads and saves to the same text twice.
TEST_F(ReportStreams, SaveLoadSaveIsByteIdenticalForEveryTemplate)
{
    QStringList files;
    for (const char *root : {PGX_TEST_DATA, PGX_SOURCE_DIR "/examples"}) {
        QDirIterator it(QString::fromUtf8(root), {QStringLiteral("*.pgr")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files.append(it.next());
    }
    ASSERT_GE(files.size(), 5);
    for (const QString &file : files) {
        SCOPED_TRACE(qPrintable(file));
        TpgxReport first;
        first.engineOptions()->newSilentMode = TpgxEngineOptions::simSilent;
        loadReport(first, readFile(file));
        const QByteArray once = saveReport(first);
        TpgxReport second;
        second.engineOptions()->newSilentMode = TpgxEngineOptions::simSilent;
        loadReport(second, once);
        EXPECT_TRUE(second.errors().isEmpty())
            << qPrintable(second.errors().join(QLatin1Char('\n')));
        EXPECT_EQ(saveReport(second), once);
    }
}

TEST_F(ReportStreams, TemplateWithoutDataPageGetsOneFirstWithTheNonVisualComponents)
{
    const QByteArray text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                            "<TpgxReport>\r\n"
                            "  <TpgxReportPage Name=\"Page1\">\r\n"
                            "    <TpgxUserDataSet Name=\"Customers\" Left=\"300\" Top=\"300\"/>\r\n"
                            "  </TpgxReportPage>\r\n"
                            "  <TpgxReportPage Name=\"Page2\">\r\n"
                            "    <TpgxUserDataSet Name=\"Orders\"/>\r\n"
                            "  </TpgxReportPage>\r\n"
                            "</TpgxReport>\r\n";
    TpgxReport report;
    loadReport(report, text);
    ASSERT_EQ(report.objects().size(), 3);
    TpgxComponent *data = report.objects().first();
    EXPECT_EQ(data->name(), QStringLiteral("Data"));
    EXPECT_TRUE(data->inherits("TpgxDataPage"));
    EXPECT_EQ(report.objects()[1]->name(), QStringLiteral("Page1"));
    EXPECT_EQ(report.objects()[2]->name(), QStringLiteral("Page2"));
    ASSERT_EQ(data->objects().size(), 2);
    const struct
    {
        const char *name;
        double left;
    } moved[] = {{"Customers", 60}, {"Orders", 124}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(data->objects()[i]->name(), QString::fromLatin1(moved[i].name));
        EXPECT_DOUBLE_EQ(data->objects()[i]->left(), moved[i].left);
        EXPECT_DOUBLE_EQ(data->objects()[i]->top(), 20);
    }
}

TEST_F(ReportStreams, DataPageTakesAUniqueNameWhenDataIsTaken)
{
    TpgxReport report;
    loadReport(report, kHeader + "<TpgxReport><TpgxReportPage Name=\"Data\"/></TpgxReport>");
    ASSERT_EQ(report.objects().size(), 2);
    EXPECT_EQ(report.objects()[0]->name(), QStringLiteral("DataPage1"));
    EXPECT_EQ(report.objects()[1]->name(), QStringLiteral("Data"));

    // A template that has its data page keeps it, wherever it stands.
    TpgxReport again;
    loadReport(again, saveReport(report));
    EXPECT_EQ(again.objects().size(), 2);
}

TEST_F(ReportStreams, LoadKeepsTheProgramsOptionsAndTakesTheTemplatesOwn)
{
    TpgxReport source;
    source.engineOptions()->convertNulls = false;
    source.engineOptions()->doublePass = true;
    source.engineOptions()->maxMemSize = 99;
    source.previewOptions()->outlineVisible = true;
    source.previewOptions()->outlineWidth = 300;
    source.previewOptions()->zoom = 2.5;
    source.setIniFile(QStringLiteral("/tmp/other.ini"));
    source.setShowProgress(false);
    const QByteArray saved = saveReport(source);

    TpgxReport target;
    target.engineOptions()->newSilentMode = TpgxEngineOptions::simReThrow;
    target.previewOptions()->zoom = 0.5;
    loadReport(target, saved);
    // From the template:
    EXPECT_FALSE(target.engineOptions()->convertNulls);
    EXPECT_TRUE(target.engineOptions()->doublePass);
    EXPECT_TRUE(target.previewOptions()->outlineVisible);
    EXPECT_EQ(target.previewOptions()->outlineWidth, 300);
    // Kept from before:
    EXPECT_EQ(target.engineOptions()->maxMemSize, 10);
    EXPECT_EQ(target.engineOptions()->newSilentMode, TpgxEngineOptions::simReThrow);
    EXPECT_DOUBLE_EQ(target.previewOptions()->zoom, 0.5);
    EXPECT_EQ(target.iniFile(), QStringLiteral("\\Software\\Velmora"));
    EXPECT_TRUE(target.showProgress());
}

TEST_F(ReportStreams, VersionAndCompressedAreKeptAsTheSystemDecides)
{
    TpgxReport report;
    loadReport(report, kHeader + "<TpgxReport Version=\"3.0\" ReportOptions.Compressed=\"True\"/>");
    EXPECT_EQ(report.version(), QStringLiteral("4.2.16"));
    EXPECT_TRUE(report.reportOptions()->compressed);
    const QByteArray saved = saveReport(report);
    EXPECT_TRUE(saved.startsWith(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TpgxReport Version=\"4.2.16\""));
    EXPECT_TRUE(saved.contains(" ReportOptions.Compressed=\"True\""));
}

TEST_F(ReportStreams, PasswordIsStoredLoweredByTenAndAskedForOnLoading)
{
    TpgxReport report;
    report.reportOptions()->password = QStringLiteral("kot7");
    const QByteArray saved = saveReport(report);
    EXPECT_TRUE(saved.contains(" ReportOptions.Password=\"aej-\"")) << saved.constData();
    EXPECT_EQ(report.reportOptions()->password, QStringLiteral("kot7"));

    struct Case
    {
        const char *what;
        std::optional<QString> answer;
        bool loaded;
    };
    const Case cases[] = {
        {"cancelled", std::nullopt, false},
        {"wrong", QStringLiteral("kot8"), false},
        {"right", QStringLiteral("kot7"), true},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("secret.pgr"));
    report.saveToFile(path);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        m_prompts.requests.clear();
        m_prompts.passwordAnswer = c.answer;
        TpgxReport target;
        EXPECT_TRUE(target.loadFromFile(path));
        ASSERT_EQ(m_prompts.requests.size(), 1);
        EXPECT_EQ(m_prompts.requests[0].caption, QStringLiteral("Password"));
        EXPECT_EQ(m_prompts.requests[0].label, QStringLiteral("Enter the password:"));
        EXPECT_EQ(m_prompts.requests[0].okText, QStringLiteral("OK"));
        EXPECT_EQ(m_prompts.requests[0].cancelText, QStringLiteral("Cancel"));
        EXPECT_EQ(target.reportOptions()->password, c.loaded ? QStringLiteral("kot7") : QString());
        EXPECT_EQ(target.objects().isEmpty(), !c.loaded);
        // A refused report forgets its file, so that saving cannot
        // overwrite the protected template with an empty one.
        EXPECT_EQ(target.fileName(), c.loaded ? path : QString());
        if (c.loaded) {
            // Accepted once, the same password is not asked again.
            m_prompts.requests.clear();
            loadReport(target, saveReport(target));
            EXPECT_TRUE(m_prompts.requests.isEmpty());
            EXPECT_EQ(target.reportOptions()->password, QStringLiteral("kot7"));
        }
    }
    EXPECT_TRUE(m_prompts.messages.isEmpty());
}

TEST(PasswordScrambling, EveryCharacterRoundTripsAndOrdinaryOnesShiftByTen)
{
    using pgx::password::scramble;
    using pgx::password::unscramble;
    EXPECT_EQ(scramble(QStringLiteral("kot7")), QStringLiteral("aej-"));
    EXPECT_EQ(unscramble(QStringLiteral("aej-")), QStringLiteral("kot7"));
    const QString hard = QStringLiteral("\x01\t\n ") + QChar(0xD7FF) + QChar(0xE005)
        + QStringLiteral("\U0001F600\U0010FFFF");
    EXPECT_EQ(unscramble(scramble(hard)), hard);
    // Below zero wraps to the top of the range; the surrogates are skipped.
    EXPECT_EQ(scramble(QStringLiteral("\x01")), QStringLiteral("\U0010FFF7"));
    EXPECT_EQ(scramble(QString(QChar(0xE005))), QString(QChar(0xD7FB)));
}

TEST_F(ReportStreams, PasswordsOfControlCharactersRoundTripThroughTheFile)
{
    TpgxReport report;
    const QString password = QStringLiteral("\x05 !\"&'<>()\t\n\r\x01z");
    report.reportOptions()->password = password;
    m_prompts.passwordAnswer = password;
    TpgxReport target;
    loadReport(target, saveReport(report));
    EXPECT_EQ(target.reportOptions()->password, password);
}

TEST_F(ReportStreams, ErrorsAreReportedAsTheSilentModeSays)
{
    const QByteArray broken = kHeader
        + "<TpgxReport ReportOptions.Author=\"x\" EngineOptions.MaxMemSize=\"lots\">"
          "<TUnknownThing Name=\"X1\"><TpgxReportPage Name=\"Inner\"/></TUnknownThing>"
          "<TpgxReportPage Name=\"Page1\"/></TpgxReport>";
    {
        TpgxReport report;
        loadReport(report, broken);
        ASSERT_EQ(m_prompts.messages.size(), 1);
        EXPECT_EQ(m_prompts.messages[0],
                  QStringLiteral("The following error(s) have occured:\r\n")
                      + report.errors().join(QLatin1String("\r\n")));
        EXPECT_EQ(report.errorsText(), m_prompts.messages[0]);
        ASSERT_EQ(report.errors().size(), 2);
        EXPECT_TRUE(report.errors().contains(QStringLiteral("Cannot find class TUnknownThing")));
        EXPECT_TRUE(report.errorsText().contains(QLatin1String("'lots'")));
        // What could be read stays usable.
        EXPECT_EQ(report.reportOptions()->author, QStringLiteral("x"));
        EXPECT_TRUE(report.findObject(QStringLiteral("Page1")));
        EXPECT_FALSE(report.findObject(QStringLiteral("Inner")));
    }
    m_prompts.messages.clear();
    {
        TpgxReport report;
        report.engineOptions()->newSilentMode = TpgxEngineOptions::simSilent;
        loadReport(report, broken);
        EXPECT_TRUE(m_prompts.messages.isEmpty());
        EXPECT_EQ(report.errors().size(), 2);
    }
    {
        TpgxReport report;
        report.engineOptions()->setSilentMode(false);
        report.engineOptions()->newSilentMode = TpgxEngineOptions::simReThrow;
        try {
            loadReport(report, broken);
            ADD_FAILURE() << "no error raised";
        } catch (const pgx::Error &e) {
            EXPECT_TRUE(
                e.message().startsWith(QLatin1String("The following error(s) have occured:\r\n")));
        }
        EXPECT_TRUE(m_prompts.messages.isEmpty());
    }
}

// Input that is no template, or only part of one: never a crash, the
// report usable, the error list saying what was wrong.
TEST_F(ReportStreams, BrokenTemplatesLoadWhatCanBeReadAndSayWhy)
{
    const struct
    {
        const char *what;
        QByteArray text;
        const char *error;
        bool hasPage1;
        bool errorStays = false;   // the saved report still names what is missing
    } cases[] = {
        {"not XML", "this is not a template", "Invalid file format", false},
        {"empty", "", "Invalid file format", false},
        {"ends early",
         kHeader
             + "<TpgxReport><TpgxReportPage Name=\"Page1\"><TpgxMasterData Name=\"MasterData1\"/>",
         "", true},
        {"bad PropData",
         kHeader + "<TpgxReport PropData=\"0856\"><TpgxReportPage Name=\"Page1\"/></TpgxReport>",
         "PropData", true},
        {"bad picture",
         kHeader
             + "<TpgxReport ReportOptions.Picture.PropData=\"04446174610A01000000FF\">"
               "<TpgxReportPage Name=\"Page1\"/></TpgxReport>",
         "Invalid picture data", true},
        {"bad hex",
         kHeader + "<TpgxReport PropData=\"XYZ\"><TpgxReportPage Name=\"Page1\"/></TpgxReport>",
         "PropData", true},
        {"parent missing",
         kHeader
             + "<TpgxReport ParentReport=\"/no/such/base.pgr\"><TpgxReportPage "
               "Name=\"Page1\"/></TpgxReport>",
         "Cannot find the parent report \"/no/such/base.pgr\"", true, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TpgxReport report;
        report.engineOptions()->newSilentMode = TpgxEngineOptions::simSilent;
        loadReport(report, c.text);
        ASSERT_FALSE(report.errors().isEmpty());
        EXPECT_TRUE(report.errors().join(QLatin1Char('\n')).contains(QLatin1String(c.error)))
            << qPrintable(report.errors().join(QLatin1Char('\n')));
        EXPECT_EQ(report.findObject(QStringLiteral("Page1")) != nullptr, c.hasPage1)
            << qPrintable(report.errors().join(QLatin1Char('\n')));
        // Always a report that can be saved and read again.
        EXPECT_TRUE(report.objects().first()->inherits("TpgxDataPage"));
        TpgxReport again;
        loadReport(again, saveReport(report));
        EXPECT_EQ(again.errors().isEmpty(), !c.errorStays);
    }
}

TEST_F(ReportStreams, ListsTravelInPropDataWithTheirReferences)
{
    TpgxReport report;
    pgx::buildBlankReport(report);
    auto *customers = new TpgxUserDataSet(report.objects().first());
    customers->setName(QStringLiteral("Customers"));
    customers->setUserName(QStringLiteral("Clients"));
    report.dataSets()->add(customers);
    report.setDataSet(customers);
    report.variables()->add()->setName(QStringLiteral(" Totals"));
    report.variables()->setValue(QStringLiteral("Rate"), QStringLiteral("1+2"));
    TpgxStyleSheet sheet;
    sheet.loadBuiltIn();
    report.setStyles(sheet.items(0));

    TpgxReport loaded;
    loadReport(loaded, saveReport(report));
    EXPECT_TRUE(loaded.errors().isEmpty()) << qPrintable(loaded.errors().join(QLatin1Char('\n')));
    ASSERT_EQ(loaded.dataSets()->count(), 1);
    auto *loadedCustomers = loaded.findObject(QStringLiteral("Customers"));
    EXPECT_EQ(loaded.dataSets()->items(0)->dataSet(), loadedCustomers);
    EXPECT_EQ(loaded.dataSets()->items(0)->dataSetName(), QStringLiteral("Clients"));
    EXPECT_EQ(loaded.dataSet(), loadedCustomers);
    EXPECT_EQ(loaded.getDataset(QStringLiteral("clients")), loadedCustomers);
    EXPECT_EQ(loaded.variables()->count(), 2);
    EXPECT_EQ(loaded.variables()->value(QStringLiteral("rate")).toString(), QStringLiteral("1+2"));
    EXPECT_EQ(loaded.styles()->count(), 6);
    EXPECT_EQ(loaded.styles()->items(0)->font()->height(), -16);

    // Destroying the data source clears the references but keeps the name
    // the list knew it by.
    delete loadedCustomers;
    EXPECT_EQ(loaded.dataSets()->items(0)->dataSet(), nullptr);
    EXPECT_EQ(loaded.dataSets()->items(0)->dataSetName(), QStringLiteral("Clients"));
    EXPECT_EQ(loaded.dataSet(), nullptr);
    EXPECT_EQ(loaded.aliasOf(nullptr), QString());
    EXPECT_EQ(loaded.aliasOf(customers),
              QStringLiteral("(dataset is not included in Report.DataSets)"));
}

TEST_F(ReportStreams, ReportPictureIsKeptByteForByte)
{
    TpgxReport report;
    pgx::buildBlankReport(report);
    const QByteArray bytes("\x89PNG\r\n\x1a\n\0\0data", 14);
    report.reportOptions()->picture()->setGraphic("TPngImage", bytes);
    const QByteArray saved = saveReport(report);
    EXPECT_TRUE(saved.contains(" ReportOptions.Picture.PropData=\"0444617461"));
    TpgxReport loaded;
    loadReport(loaded, saved);
    EXPECT_TRUE(loaded.errors().isEmpty());
    EXPECT_EQ(loaded.reportOptions()->picture()->graphicClass(), QByteArray("TPngImage"));
    EXPECT_EQ(loaded.reportOptions()->picture()->graphicData(), bytes);
    EXPECT_EQ(saveReport(loaded), saved);
    loaded.clear();
    EXPECT_TRUE(loaded.reportOptions()->picture()->isEmpty());
}

TEST_F(ReportStreams, MissingFileLeavesAnEmptyReport)
{
    TpgxReport report;
    pgx::buildBlankReport(report);
    report.variables()->setValue(QStringLiteral("A"), 1);
    EXPECT_FALSE(report.loadFromFile(QStringLiteral("/no/such/file.pgr")));
    EXPECT_TRUE(report.objects().isEmpty());
    EXPECT_EQ(report.variables()->count(), 0);
    EXPECT_TRUE(report.fileName().isEmpty());
}

}   // namespace
